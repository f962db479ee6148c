// The "0.0%" progress format, especially fractions whose percentage ends in an exact half.
#include "core/progress.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct PercentCase {
    qint64 done;
    qint64 total;
    QString expected;
};

TEST(ProgressPercent, RoundsTenthsHalfAwayFromZeroOnTheExactFraction) {
    const PercentCase cases[] = {
        {0, 7, u"0.0%"_s},
        {7, 7, u"100.0%"_s},
        {1, 16, u"6.3%"_s},  // 6.25 exactly
        {3, 8, u"37.5%"_s},
        {1, 3, u"33.3%"_s},
        {2, 3, u"66.7%"_s},
        {1, 2000, u"0.1%"_s},  // 0.05 exactly
        {1, 2001, u"0.0%"_s},
        {1, 6, u"16.7%"_s},
        {3, 16, u"18.8%"_s},  // 18.75 exactly
        {5, 16, u"31.3%"_s},  // 31.25 exactly
        {999, 1000, u"99.9%"_s},
        {19999, 20000, u"100.0%"_s},  // 99.995 rounds up to a full hundred
        {3, 2, u"150.0%"_s},
        {1, 1'000'000'000, u"0.0%"_s},
        {499'999'999, 1'000'000'000, u"50.0%"_s},
    };
    for (const PercentCase& c : cases) {
        EXPECT_EQ(core::progressPercent(c.done, c.total), c.expected) << c.done << "/" << c.total;
    }
}

TEST(ProgressPercent, EmptyWalkShowsZero) {
    EXPECT_EQ(core::progressPercent(0, 0), u"0.0%"_s);
    EXPECT_EQ(core::progressPercent(5, 0), u"0.0%"_s);
}

TEST(ProgressPercent, NegativeFractionsKeepTheirSignButNeverShowMinusZero) {
    EXPECT_EQ(core::progressPercent(-1, 16), u"-6.3%"_s);
    EXPECT_EQ(core::progressPercent(1, -16), u"-6.3%"_s);
    EXPECT_EQ(core::progressPercent(-1, -16), u"6.3%"_s);
    EXPECT_EQ(core::progressPercent(-1, 3000), u"0.0%"_s);
}

TEST(ProgressPercent, HugeCountsDoNotOverflow) {
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    EXPECT_EQ(core::progressPercent(max, max), u"100.0%"_s);
    EXPECT_EQ(core::progressPercent(max / 2, max), u"50.0%"_s);
    EXPECT_EQ(core::progressPercent(std::numeric_limits<qint64>::min(), max), u"-100.0%"_s);
}

TEST(ProgressHint, JoinsPrefixAndPercent) {
    EXPECT_EQ(core::progressHint(u"提示：修改完成", 3, 8), u"提示：修改完成37.5%"_s);
    EXPECT_EQ(core::progressHint(u"提示：搜索高度", 1, 1), u"提示：搜索高度100.0%"_s);
}

}  // namespace
