// Arc length and plan distance.
#include "statistics/geometry.h"

#include <cmath>
#include <numbers>

namespace statistics {

double ArcLength(double radius, double startAngle, double endAngle) {
    double swept = endAngle - startAngle;
    if (swept < 0) {
        swept += 2 * std::numbers::pi;
    }
    return radius * swept;
}

double PlanDistance(const cad::Point& p1, const cad::Point& p2) {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace statistics
