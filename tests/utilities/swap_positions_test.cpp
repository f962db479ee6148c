// Swapping insertion points: the kinds allowed, the refusals, and no harm from a failing CAD.
#include <gtest/gtest.h>

#include "statistics/attached_drawing.h"
#include "utilities/swap_positions.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Point;

class SwapPositions : public statistics_test::AttachedDrawing {
protected:
    SwapPositions() { doc->addBlock(u"LAMP"_s); }

    cad::Entity insert(const Point& at) {
        auto& e = doc->modelSpace().append(doc->makeEntity(cad::memory::kinds::insert()));
        e.setValue(cad::Member::Name, u"LAMP"_s);
        const cad::Entity entity(doc->modelSpace().entities.back());
        entity.InsertionPoint(at);
        return entity;
    }
    void swap(const std::vector<cad::Entity>& picks) {
        pickOnScreen(picks);
        utilities::SwapPositions(link);
    }
};

TEST_F(SwapPositions, TextAndBlockReferenceExchangeTheirPointsInOneUndoStep) {
    const cad::Entity text = ms.AddText(u"A1"_s, {1, 2, 0}, 2.5);
    const cad::Entity lamp = insert({30, 40, 5});
    const qint64 outside = doc->changesOutsideUndoGroups();
    swap({text, lamp});
    EXPECT_EQ(text.InsertionPoint(), (Point{30, 40, 5}));
    EXPECT_EQ(lamp.InsertionPoint(), (Point{1, 2, 0}));
    EXPECT_EQ(ui.lastHint(), u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), outside);
}

TEST_F(SwapPositions, MultilineTextsSwapToo) {
    const cad::Entity a = ms.AddMtext({0, 0, 0}, 50, u"a"_s);
    const cad::Entity b = ms.AddText(u"b"_s, {7, 8, 0}, 2.5);
    swap({a, b});
    EXPECT_EQ(a.InsertionPoint(), (Point{7, 8, 0}));
    EXPECT_EQ(b.InsertionPoint(), (Point{0, 0, 0}));
}

TEST_F(SwapPositions, TextAndLineAreRefusedAndStay) {
    const cad::Entity text = ms.AddText(u"A1"_s, {1, 2, 0}, 2.5);
    const cad::Entity line = ms.AddLine({0, 0, 0}, {5, 5, 0});
    const qint64 changes = doc->changes();
    swap({text, line});
    EXPECT_EQ(ui.lastHint(), u"提示：只能选择文字、多行文字或块"_s);
    EXPECT_EQ(text.InsertionPoint(), (Point{1, 2, 0}));
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(doc->changes(), changes);
}

TEST_F(SwapPositions, ThreeObjectsAreRefusedAndTheNextSelectionStillWorks) {
    const cad::Entity a = ms.AddText(u"a"_s, {1, 0, 0}, 2.5);
    const cad::Entity b = ms.AddText(u"b"_s, {2, 0, 0}, 2.5);
    const cad::Entity c = ms.AddText(u"c"_s, {3, 0, 0}, 2.5);
    swap({a, b, c});
    EXPECT_EQ(ui.lastHint(), u"提示：只能选择两个对象"_s);
    EXPECT_EQ(ui.broughtToFront, 0);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(a.InsertionPoint().x, 1);

    swap({a, c});
    EXPECT_EQ(a.InsertionPoint().x, 3);
    EXPECT_EQ(c.InsertionPoint().x, 1);
}

TEST_F(SwapPositions, RefusedWriteOfTheSecondPutsTheFirstBack) {
    cad::memory::LayerRecord& layer = doc->addLayer(u"Locked"_s);
    const cad::Entity text = ms.AddText(u"a"_s, {1, 0, 0}, 2.5);
    const cad::Entity locked = ms.AddText(u"b"_s, {2, 0, 0}, 2.5);
    locked.Layer(u"Locked"_s);
    layer.locked = true;
    pickOnScreen({text, locked});
    EXPECT_THROW(utilities::SwapPositions(link), cad::Error);
    EXPECT_EQ(text.InsertionPoint().x, 1);
    EXPECT_EQ(locked.InsertionPoint().x, 2);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(doc->undoDepth(), 0);
}

TEST_F(SwapPositions, FailureAtAnyCallSwapsBothOrNeitherAndTheNextSwapWorks) {
    const cad::Entity a = ms.AddText(u"a"_s, {1, 0, 0}, 2.5);
    const cad::Entity b = insert({2, 0, 0});
    for (int n = 3; n <= 40; ++n) {  // after the guard's two calls
        link.AttachCad();
        const double before = a.InsertionPoint().x;
        pickOnScreen({a, b});
        app->failCall(n);
        try {
            utilities::SwapPositions(link);
        } catch (const cad::Error&) {
            // The window's guard reports it.
        }
        app->failCall(1000000);
        EXPECT_EQ(a.InsertionPoint().x + b.InsertionPoint().x, 3) << n;
        EXPECT_TRUE(a.InsertionPoint().x == before || a.InsertionPoint().x == 3 - before) << n;
    }
    const double before = a.InsertionPoint().x;
    swap({a, b});
    EXPECT_EQ(a.InsertionPoint().x, 3 - before);
    EXPECT_FALSE(selectionSetLeft());
}

}  // namespace
