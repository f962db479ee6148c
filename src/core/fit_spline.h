// The curve a CAD draws through a spline's fit points, and a polyline that follows it.
#pragma once

#include <array>
#include <vector>

namespace core {

using Vector3 = std::array<double, 3>;

// A spline defined by fit points is the cubic that passes through them at their chord-length
// parameters, twice continuously differentiable, with the given end tangents (a zero tangent:
// the direction estimated from the first or last five points, as CAD programs do). Its points
// are a flat list (x, y, z, x, y, z, ...); consecutive repeats count once.
//
// Returns points on the curve, fit points among them, such that the polyline through them
// strays from the curve by less than tolerance. Fewer than two distinct fit points give those
// points as they are.
std::vector<double> fitSplinePolyline(const std::vector<double>& fitPoints,
                                      const Vector3& startTangent, const Vector3& endTangent,
                                      double tolerance);

}  // namespace core
