// Frame size: the sheet table matched in both orders, and the refusals of the pick.
#include <gtest/gtest.h>

#include "statistics/attached_drawing.h"
#include "utilities/frame_size.h"

namespace {

using namespace Qt::StringLiterals;
using utilities::FrameSizes;
using utilities::matchFrameSize;

class CheckFrameSize : public statistics_test::AttachedDrawing {
protected:
    cad::Entity line(double length) { return ms.AddLine({10, 10, 3}, {10, 10 + length, 9}); }
    QString check(const std::vector<cad::Entity>& picks) {
        pickOnScreen(picks);
        utilities::CheckFrameSize(link);
        EXPECT_FALSE(selectionSetLeft());
        EXPECT_EQ(ui.broughtToFront, 0);
        return ui.lastHint();
    }
};

TEST_F(CheckFrameSize, ReportsTheA1CountOfDrawnFramesEitherSideFirst) {
    const struct {
        double first, second;
        const char16_t* hint;
    } cases[] = {
        {594.5, 840.2, u"提示：此图折合1#图 1张"}, {840.2, 594.5, u"提示：此图折合1#图 1张"},
        {210, 297, u"提示：此图折合1#图 .125张"},  {297, 210, u"提示：此图折合1#图 .125张"},
        {841, 1189, u"提示：此图折合1#图 2张"},    {420, 594, u"提示：此图折合1#图 .5张"},
        {1337, 841, u"提示：此图折合1#图 2.25张"}, {148, 210, u"提示：此图折合1#图 .0625张"},
        {600, 900, u"提示：此图框不常用"},         {900, 600, u"提示：此图框不常用"},
        {595.001, 841, u"提示：此图框不常用"},     {593, 842, u"提示：此图折合1#图 1张"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(check({line(c.first), line(c.second)}), QString::fromUtf16(c.hint))
            << c.first << " x " << c.second;
    }
}

TEST_F(CheckFrameSize, EveryTableRowIsFoundFromItsOwnSidesUnlessAnEarlierRowMatches) {
    for (const utilities::FrameSize& size : FrameSizes) {
        for (const auto& [d0, d1] : {std::pair{size.side1, size.side2}, {size.side2, size.side1}}) {
            const utilities::FrameSize* found = matchFrameSize(d0, d1);
            ASSERT_NE(found, nullptr) << d0 << " x " << d1;
            EXPECT_LE(found, &size);
            EXPECT_EQ(found->a1Sheets, size.a1Sheets) << d0 << " x " << d1;
        }
    }
}

TEST_F(CheckFrameSize, PicksOtherThanTwoLinesAreRefused) {
    const cad::Entity a = line(210), b = line(297), c = line(420);
    const cad::Entity text = ms.AddText(u"297"_s, {}, 2.5);
    EXPECT_EQ(check({a, b, c}), u"提示：选择两条相邻边"_s);
    EXPECT_EQ(check({a}), u"提示：选择两条相邻边"_s);
    EXPECT_EQ(check({a, text}), u"提示：请选择直线，本软件只认直线为图纸边框"_s);
    EXPECT_EQ(check({a, b}), u"提示：此图折合1#图 .125张"_s);
}

TEST_F(CheckFrameSize, FailureAtAnyCallChangesNothingAndTheNextCheckWorks) {
    const cad::Entity a = line(210), b = line(297);
    const qint64 changes = doc->changes();
    for (int n = 3; n <= 25; ++n) {  // after the guard's two calls
        link.AttachCad();
        pickOnScreen({a, b});
        app->failCall(n);
        try {
            utilities::CheckFrameSize(link);
        } catch (const cad::Error&) {
            // The window's guard reports it.
        }
        app->failCall(1000000);
    }
    EXPECT_EQ(doc->changes(), changes);
    EXPECT_EQ(check({a, b}), u"提示：此图折合1#图 .125张"_s);
}

}  // namespace
