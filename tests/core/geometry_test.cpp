// Arc length and plan distance.
#include <gtest/gtest.h>

#include <numbers>

#include "core/geometry.h"

namespace {

using core::ArcLength;
using core::PlanDistance;
constexpr double pi = std::numbers::pi;

TEST(Geometry, ArcsRunCounterClockwiseAcrossTheZeroDirection) {
    EXPECT_DOUBLE_EQ(ArcLength(2, 7 * pi / 4, pi / 4), 2 * pi / 2);
    EXPECT_DOUBLE_EQ(ArcLength(2, pi / 4, 7 * pi / 4), 2 * 3 * pi / 2);
    EXPECT_NEAR(ArcLength(1, 350 * pi / 180, 10 * pi / 180), 20 * pi / 180, 1e-12);
    EXPECT_DOUBLE_EQ(ArcLength(100, 0, pi / 2), 50 * pi);
}

TEST(Geometry, PlanDistanceIgnoresHeight) {
    struct Point {
        double x, y, z;
    };
    EXPECT_DOUBLE_EQ(PlanDistance(Point{0, 0, 0}, Point{3, 4, 12}), 5);
    EXPECT_DOUBLE_EQ(PlanDistance(Point{-1, 2, 5}, Point{2, -2, -5}), 5);
}

}  // namespace
