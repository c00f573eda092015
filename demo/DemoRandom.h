#pragma once
// A small random source whose sequence is fixed by its seed on every
// platform and standard library (the <random> distributions are not).

#include <cstdint>
#include <string_view>

namespace qelvan::demo {

class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : m_state(seed) {}

    /// A seed for an independent stream named `name`, so that adding rows to
    /// one table never reshuffles another.
    static std::uint64_t streamSeed(std::uint64_t seed, std::string_view name)
    {
        std::uint64_t hash = 1469598103934665603ull;   // FNV-1a
        for (unsigned char c : name)
            hash = (hash ^ c) * 1099511628211ull;
        return seed ^ hash;
    }

    std::uint64_t next()
    {
        // splitmix64
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    /// Uniform in [0, bound); bound > 0.
    int below(int bound)
    {
        return static_cast<int>((next() >> 32) * static_cast<std::uint64_t>(bound) >> 32);
    }

    /// Uniform in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }

    /// Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    std::uint64_t m_state;
};

} // namespace qelvan::demo
