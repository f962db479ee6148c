// Lengths measured in the drawing: arcs and distances in plan.
#pragma once

#include <cmath>

namespace core {

// The length of a circular arc running counter-clockwise from startAngle to endAngle (radians):
// an arc from 350 degrees to 10 degrees sweeps 20 degrees, not 340.
double ArcLength(double radius, double startAngle, double endAngle);

// The distance of two points (anything with x and y) in the x-y plane; z is ignored.
template <typename Point>
double PlanDistance(const Point& p1, const Point& p2) {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace core
