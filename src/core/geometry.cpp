// Arc length.
#include "core/geometry.h"

#include <cmath>
#include <numbers>

namespace core {

double ArcLength(double radius, double startAngle, double endAngle) {
    double swept = endAngle - startAngle;
    if (swept < 0) {
        swept += 2 * std::numbers::pi;
    }
    return radius * swept;
}

}  // namespace core
