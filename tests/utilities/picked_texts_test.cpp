// Align left and the sum of values: only single-line texts count, failures are passed over.
#include <gtest/gtest.h>

#include "statistics/attached_drawing.h"
#include "utilities/align_text_left.h"
#include "utilities/sum_selected_values.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Point;

using PickedTexts = statistics_test::AttachedDrawing;

TEST_F(PickedTexts, AlignLeftPutsEveryPickedTextOnTheFirstTextsX) {
    const cad::Entity mtext = ms.AddMtext({1, 1, 0}, 40, u"7"_s);
    const cad::Entity first = ms.AddText(u"a"_s, {20, 5, 0}, 2.5);
    first.HorizontalAlignment(2);
    const cad::Entity second = ms.AddText(u"b"_s, {35, 10, 1}, 2.5);
    second.HorizontalAlignment(1);
    const cad::Entity line = ms.AddLine({0, 0, 0}, {9, 9, 0});
    pickOnScreen({mtext, first, line, second});
    const qint64 outside = doc->changesOutsideUndoGroups();
    utilities::AlignTextLeft(link);

    EXPECT_EQ(first.HorizontalAlignment(), 0);
    EXPECT_EQ(second.HorizontalAlignment(), 0);
    EXPECT_EQ(first.InsertionPoint(), (Point{20, 5, 0}));
    EXPECT_EQ(second.InsertionPoint(), (Point{20, 10, 1}));
    EXPECT_EQ(mtext.InsertionPoint(), (Point{1, 1, 0}));
    EXPECT_EQ(ui.lastHint(), u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), outside);
}

TEST_F(PickedTexts, AlignLeftPassesOverATextOnALockedLayer) {
    cad::memory::LayerRecord& layer = doc->addLayer(u"Locked"_s);
    const cad::Entity first = ms.AddText(u"a"_s, {20, 5, 0}, 2.5);
    const cad::Entity locked = ms.AddText(u"b"_s, {35, 10, 0}, 2.5);
    locked.Layer(u"Locked"_s);
    layer.locked = true;
    const cad::Entity last = ms.AddText(u"c"_s, {50, 15, 0}, 2.5);
    pickOnScreen({first, locked, last});
    utilities::AlignTextLeft(link);
    EXPECT_EQ(locked.InsertionPoint().x, 35);
    EXPECT_EQ(last.InsertionPoint().x, 20);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(PickedTexts, AlignLeftSurvivesAFailureAtAnyCall) {
    const cad::Entity first = ms.AddText(u"a"_s, {20, 5, 0}, 2.5);
    const cad::Entity second = ms.AddText(u"b"_s, {35, 10, 0}, 2.5);
    for (int n = 3; n <= 30; ++n) {  // after the guard's two calls
        link.AttachCad();
        pickOnScreen({first, second});
        app->failCall(n);
        EXPECT_NO_THROW(utilities::AlignTextLeft(link)) << n;
        app->failCall(1000000);
    }
    second.InsertionPoint({35, 10, 0});
    pickOnScreen({first, second});
    utilities::AlignTextLeft(link);
    EXPECT_EQ(second.InsertionPoint().x, 20);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(PickedTexts, SumAddsTextsThatReadAsNumbersAndSkipsMultilineTexts) {
    const cad::Entity twelve = ms.AddText(u"12"_s, {}, 2.5);
    const cad::Entity blanks = ms.AddText(u"  3.5 "_s, {}, 2.5);
    const cad::Entity word = ms.AddText(u"abc"_s, {}, 2.5);
    const cad::Entity mtext = ms.AddMtext({}, 40, u"7"_s);
    pickOnScreen({twelve, blanks, word, mtext});
    utilities::SumSelectedValues(link);
    EXPECT_EQ(ui.lastHint(), u"提示：所选数值之和为 15.5"_s);
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(PickedTexts, SumOfNothingIsZeroAndNegativeSumsKeepTheirSign) {
    pickOnScreen({});
    utilities::SumSelectedValues(link);
    EXPECT_EQ(ui.lastHint(), u"提示：所选数值之和为 0"_s);
    const cad::Entity a = ms.AddText(u"-0.75"_s, {}, 2.5);
    const cad::Entity b = ms.AddText(u"12m"_s, {}, 2.5);
    pickOnScreen({a, b});
    utilities::SumSelectedValues(link);
    EXPECT_EQ(ui.lastHint(), u"提示：所选数值之和为-.75"_s);
}

TEST_F(PickedTexts, SumReportsWhatWasReadWhenTheCadFails) {
    const cad::Entity a = ms.AddText(u"2"_s, {}, 2.5);
    for (int n = 3; n <= 20; ++n) {  // after the guard's two calls
        link.AttachCad();
        pickOnScreen({a});
        app->failCall(n);
        EXPECT_NO_THROW(utilities::SumSelectedValues(link)) << n;
        app->failCall(1000000);
        EXPECT_TRUE(ui.lastHint() == u"提示：所选数值之和为 2"_s ||
                    ui.lastHint() == u"提示：所选数值之和为 0"_s)
            << n;
    }
    pickOnScreen({a, a});
    utilities::SumSelectedValues(link);
    EXPECT_EQ(ui.lastHint(), u"提示：所选数值之和为 2"_s);
    EXPECT_FALSE(selectionSetLeft());
}

}  // namespace
