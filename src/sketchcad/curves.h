// Curves as polylines (arcs, circles, splines through fit points) and linetype dashes along them.
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

// The dashes of a polyline drawn in a linetype: pairs of points, one pair per dash (a dot is a
// dash of nearly no length). pattern: > 0 dash, < 0 gap, 0 dot, already scaled. Empty when the
// pattern has no gap, or when more than maxDashes dashes would be needed (drawn continuous then).
std::vector<QPointF> dashPolyline(const std::vector<QPointF>& points,
                                  const std::vector<double>& pattern, int maxDashes = 4000);

}  // namespace sketchcad
