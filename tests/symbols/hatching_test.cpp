// Hatching: the number of lines, their spacing and angle, and that they run edge to edge.
#include <gtest/gtest.h>

#include <QtMath>
#include <cmath>

#include "symbols/hatching.h"

namespace symbols {
namespace {

double distanceToCircle(QPointF p, QPointF centre, double radius) {
    return std::abs(QLineF(p, centre).length() - radius);
}

TEST(HatchingTest, DiscGetsTheStatedCountAtTheSpacingWithEndsOnTheCircle) {
    const auto lines = hatch(Region::disc({1, 2}, 1.5), 45, 0.3, 10);
    ASSERT_EQ(lines.size(), 10u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NEAR(distanceToCircle(lines[i].p1(), {1, 2}, 1.5), 0, 1e-12);
        EXPECT_NEAR(distanceToCircle(lines[i].p2(), {1, 2}, 1.5), 0, 1e-12);
        EXPECT_NEAR(lines[i].dx(), lines[i].dy(), 1e-12);  // 45°
        if (i > 0) {
            // Spacing at right angles: the distance of one line's point from the previous line.
            const QPointF d = lines[i].p1() - lines[i - 1].p1();
            EXPECT_NEAR(std::abs(d.x() - d.y()) / std::sqrt(2.0), 0.3, 1e-12);
        }
    }
}

TEST(HatchingTest, RingSplitsTheLinesThatCrossTheHole) {
    const auto lines = hatch(Region::disc({0, 0}, 3.25).withHole({0, 0}, 1.5), 90, 0.5, 13);
    ASSERT_EQ(lines.size(), 18u);
    for (const QLineF& l : lines) {
        EXPECT_EQ(l.p1().x(), l.p2().x());
        EXPECT_NEAR(std::remainder(l.p1().x(), 0.5), 0, 1e-12);
        for (QPointF end : {l.p1(), l.p2()}) {
            EXPECT_NEAR(
                std::min(distanceToCircle(end, {0, 0}, 3.25), distanceToCircle(end, {0, 0}, 1.5)),
                0, 1e-12);
        }
    }
}

TEST(HatchingTest, BandInACircleEndsOnTheChordsOrTheArc) {
    const Region band = Region::disc({0, 0}, 3.25).band(-1.02, 1.02);
    const auto lines = hatch(band, 45, 0.3, 19);
    ASSERT_EQ(lines.size(), 19u);
    for (const QLineF& l : lines) {
        for (QPointF end : {l.p1(), l.p2()}) {
            const bool onChord = std::abs(std::abs(end.y()) - 1.02) < 1e-12;
            EXPECT_TRUE(onChord || distanceToCircle(end, {0, 0}, 3.25) < 1e-12);
            EXPECT_LE(std::abs(end.y()), 1.02 + 1e-12);
        }
    }
}

TEST(HatchingTest, PolygonLinesRunFromEdgeToEdgeInside) {
    // The explosion-proof button's roof: 18 lines at spacing 0.1.
    const auto lines = hatch(Region::polygon({{-1.25, 4}, {1.25, 4}, {0, 5}}), 45, 0.1, 18);
    ASSERT_EQ(lines.size(), 18u);
    for (const QLineF& l : lines) {
        for (QPointF end : {l.p1(), l.p2()}) {
            const bool onBase = std::abs(end.y() - 4) < 1e-12;
            const bool onLeft = std::abs((end.y() - 4) - 0.8 * (end.x() + 1.25)) < 1e-12;
            const bool onRight = std::abs((end.y() - 4) + 0.8 * (end.x() - 1.25)) < 1e-12;
            EXPECT_TRUE(onBase || onLeft || onRight) << end.x() << "," << end.y();
        }
    }
}

TEST(HatchingTest, ExplicitOffsetsPlaceVerticalLinesAtTheirX) {
    const auto lines = hatchAt(Region::disc({0, 0}, 1.5), 90, {-1.015, 0, 0.515});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_DOUBLE_EQ(lines[0].p1().x(), -1.015);
    EXPECT_DOUBLE_EQ(lines[1].p1().x(), 0);
    EXPECT_DOUBLE_EQ(lines[2].p1().x(), 0.515);
    EXPECT_NEAR(lines[1].length(), 3, 1e-12);
}

TEST(HatchingTest, HalfDiscCutAlongTheHatchDirectionKeepsOnlyItsSide) {
    const auto lines = hatch(Region::disc({0, 0}, 1.5).leftOf({-1, -1}, {1, 1}), 45, 0.3, 5);
    ASSERT_EQ(lines.size(), 5u);
    for (const QLineF& l : lines) {
        EXPECT_GT(l.p1().y() - l.p1().x(), 0);  // upper left of the diagonal
    }
}

}  // namespace
}  // namespace symbols
