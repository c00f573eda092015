// Many showdll calls in one process: each one works with its own parameters
// and leaves nothing behind. Leaks are caught by LeakSanitizer in the
// sanitizer build; resident memory is measured by bench/repeat.

#include "RepeatedUse.h"

#include <gtest/gtest.h>

namespace {

using namespace qelvan::test;

constexpr int kCalls = 200;

TEST(RepeatedUse, EveryCallWorksWithItsOwnParametersAndLeavesNothingBehind)
{
    RepeatedUse use(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf"));
    std::pair<int, int> afterFirst;
    for (int n = 0; n < kCalls; ++n) {
        SCOPED_TRACE(n);
        const UseResult r = use.call(n);
        ASSERT_TRUE(r.ran);
        QStringList expected;
        for (const std::string& p : RepeatedUse::parametersOf(n))
            expected << QString::fromStdString(p);
        ASSERT_EQ(r.parameters, expected);
        ASSERT_EQ(r.company, RepeatedUse::companyOf(n));
        ASSERT_GT(r.rows, 0);
        ASSERT_GE(r.pages, 1);
        ASSERT_EQ(r.boxes, 0u);
        ASSERT_EQ(Fm_Main, nullptr);
        ASSERT_EQ(dm, nullptr);
        if (n == 0)
            afterFirst = leftovers();
        else
            ASSERT_EQ(leftovers(), afterFirst);
    }
}

} // namespace
