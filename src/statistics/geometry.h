// Lengths measured in the drawing: arcs and distances in plan.
#pragma once

#include "cad/value.h"

namespace statistics {

// The length of a circular arc running counter-clockwise from startAngle to endAngle (radians):
// an arc from 350 degrees to 10 degrees sweeps 20 degrees, not 340.
double ArcLength(double radius, double startAngle, double endAngle);

// The distance of two points in the x-y plane; z is ignored.
double PlanDistance(const cad::Point& p1, const cad::Point& p2);

}  // namespace statistics
