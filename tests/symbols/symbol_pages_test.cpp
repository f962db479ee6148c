// The browser's pages: which page holds a symbol and paging that stops at both ends.
#include <gtest/gtest.h>

#include "symbols/symbol_pages.h"

namespace symbols {
namespace {

TEST(SymbolPagesTest, TwentySymbolsToAPageInListOrder) {
    const int pages[][2] = {{0, 1}, {19, 1}, {20, 2}, {39, 2}, {40, 3}, {67, 4}, {79, 4}};
    for (const auto& [index, page] : pages) {
        EXPECT_EQ(SymbolPages::pageOf(index), page) << index;
        SymbolPages shown;
        shown.show(page);
        EXPECT_TRUE(shown.showsSymbol(index)) << index;
        shown.show(page % SymbolPages::kCount + 1);
        EXPECT_FALSE(shown.showsSymbol(index)) << index;
    }
}

TEST(SymbolPagesTest, PagingStartsOnPageOneAndStopsAtBothEnds) {
    enum Turn { Forward, Back };
    const struct {
        Turn turn;
        bool turned;
        int page;
    } steps[] = {
        {Back, false, 1},    {Forward, true, 2}, {Forward, true, 3}, {Forward, true, 4},
        {Forward, false, 4}, {Back, true, 3},    {Back, true, 2},    {Back, true, 1},
    };
    SymbolPages pages;
    EXPECT_EQ(pages.shown(), 1);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.page);
        EXPECT_EQ(step.turn == Forward ? pages.turnForward() : pages.turnBack(), step.turned);
        EXPECT_EQ(pages.shown(), step.page);
        EXPECT_EQ(pages.hasPrevious(), step.page > 1);
        EXPECT_EQ(pages.hasNext(), step.page < 4);
    }
}

}  // namespace
}  // namespace symbols
