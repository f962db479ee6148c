// Curves as polylines: arcs, circles, and splines through fit points.
#pragma once

#include <QPointF>
#include <vector>

namespace sketchcad {

// Points along the arc from start to end angle counter-clockwise (radians); a full circle when
// the angles meet. Enough points that the chord strays under 1/500 of the radius, at least 4.
std::vector<QPointF> arcPoints(QPointF center, double radius, double startAngle, double endAngle);
std::vector<QPointF> circlePoints(QPointF center, double radius);

// A smooth curve that passes through every fit point in order (Catmull-Rom, segments per span).
std::vector<QPointF> splineThroughFitPoints(const std::vector<QPointF>& fit, int perSpan = 12);

// A spline from its control points: degree, knot vector (control points + degree + 1 knots)
// and weights (empty: all 1), sampled at perSpan points per control point. Empty when the knots
// do not fit the control points.
std::vector<QPointF> splineThroughControlPoints(int degree, const std::vector<double>& knots,
                                                const std::vector<QPointF>& control,
                                                const std::vector<double>& weights,
                                                int perSpan = 8);

}  // namespace sketchcad
