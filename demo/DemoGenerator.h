#pragma once
// Writes the demo databases: the host database (companies, products, the
// link catalog) and one sales database per link, with an index on the day of
// each sales date so that date-range summaries read only the days they need.

#include <QDate>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qelvan::demo {

enum class DemoSize {
    Small,   ///< three years of a few lines per company and day: for the demo and tests
    Large,   ///< five years, over a million lines in each main sales table: for benchmarks
};

struct DemoOptions {
    std::string outDir;
    std::uint64_t seed = 1;
    DemoSize size = DemoSize::Small;
    QDate endDate;   ///< the last day with sales
};

struct DemoTableCount {
    std::string table;   ///< e.g. "LNK1.XSVXSFP0"
    long long rows = 0;
};

struct DemoSummary {
    QDate firstDate;
    std::vector<DemoTableCount> tables;
    long long salesRows = 0;
};

inline constexpr std::string_view kHostFileName = "vuq.db";

/// The first day with sales for a size and an end date.
QDate demoFirstDate(DemoSize size, const QDate& endDate);

/// The day of the sales that cancel to zero (the day before the end date).
QDate demoCancellingDate(const QDate& endDate);

/// Writes outDir/vuq.db and outDir/<link file> for every link, creating the
/// folder and replacing earlier files of those names. Each file is written
/// under a temporary name and renamed when complete, the host database last.
/// The same options always give the same content. Throws std::runtime_error
/// with the reason (an invalid end date, an unwritable folder, ...).
DemoSummary generateDemoData(const DemoOptions& options);

/// The options a complete demo data set in `dir` was generated with, or
/// nothing when there is none (or it is unreadable).
std::optional<DemoOptions> readDemoStamp(const std::string& dir);

std::string_view sizeName(DemoSize size);
std::optional<DemoSize> parseSize(std::string_view name);

} // namespace qelvan::demo
