// Hit testing: window and crossing rectangles, clicks near strokes and texts, snapping.
#include <gtest/gtest.h>

#include "cad/memory/document.h"
#include "drawing_builder.h"
#include "sketchcad/hit_test.h"
#include "sketchcad/text_font.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using cad::Point;
namespace kinds = cad::memory::kinds;

class HitTesting : public ::testing::Test {
protected:
    HitTesting() {
        drawing.line(0, 0, 10, 0);  // 0
        drawing.add(kinds::circle(),
                    {{Member::Center, Point{20, 20, 0}}, {Member::Radius, 5.0}});  // 1
        drawing.add(kinds::text(), {{Member::TextString, u"T"_s},
                                    {Member::InsertionPoint, Point{40, 0, 0}},
                                    {Member::Height, 4.0}});  // 2
        drawing.line(-5, 30, 5, 30);                          // 3: the line drawn last
        drawing.line(-5, 30, 5, 31);                          // 4: over it
        scene = Scene::build(*drawing.doc, font);
    }

    sketchcad_test::TestDrawing drawing;
    TextFont font;
    Scene scene;
};

TEST_F(HitTesting, AWindowTakesOnlyWhatLiesWhollyInside) {
    EXPECT_EQ(itemsInWindow(scene, Box::of({-1, -1}, {26, 26})), (std::vector<int>{0, 1}));
    EXPECT_EQ(itemsInWindow(scene, Box::of({-1, -1}, {5, 5})), std::vector<int>{});
}

TEST_F(HitTesting, ACrossingAlsoTakesWhatItTouchesButNotWhatOnlyItsBoxOverlaps) {
    EXPECT_EQ(itemsCrossing(scene, Box::of({5, -1}, {6, 1})), std::vector<int>{0});
    // Inside the circle, away from its edge: the circle's box overlaps, the circle does not.
    EXPECT_EQ(itemsCrossing(scene, Box::of({19, 19}, {21, 21})), std::vector<int>{});
    EXPECT_EQ(itemsCrossing(scene, Box::of({24, 19}, {26, 21})), std::vector<int>{1});
    EXPECT_EQ(itemsCrossing(scene, Box::of({40.5, 1}, {40.6, 1.1})), std::vector<int>{2});
}

TEST_F(HitTesting, AClickFindsTheTopmostEntityWithinTheTolerance) {
    EXPECT_EQ(itemAt(scene, {5, 0.4}, 0.5), 0);
    EXPECT_EQ(itemAt(scene, {5, 0.6}, 0.5), -1);
    EXPECT_EQ(itemAt(scene, {25.2, 20}, 0.5), 1);
    EXPECT_EQ(itemAt(scene, {41, 2}, 0.1), 2);  // inside the text's box
    EXPECT_EQ(itemAt(scene, {-5, 30}, 0.1), 4);
}

TEST_F(HitTesting, PointsSnapToTheNearestEndpointCentreOrInsertionPoint) {
    EXPECT_EQ(snapAt(scene, {9.7, 0.2}, 0.5), QPointF(10, 0));
    EXPECT_EQ(snapAt(scene, {20.3, 19.8}, 0.5), QPointF(20, 20));
    EXPECT_EQ(snapAt(scene, {40.1, 0}, 0.5), QPointF(40, 0));
    EXPECT_EQ(snapAt(scene, {15, 0}, 0.5), std::nullopt);
}

}  // namespace
}  // namespace sketchcad
