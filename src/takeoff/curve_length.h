// The drawn length of the curves the pages do not total: polylines and splines, read from their
// DXF records.
#pragma once

#include <optional>

#include "dxf/document.h"

namespace takeoff {

// The length in plan (z ignored, as for lines) of an LWPOLYLINE, a 2D or 3D POLYLINE (with its
// VERTEX records; arc segments by their bulge, a closed one back to its first vertex, a spline
// frame's control points left out) or a SPLINE (its control points, knots and weights, or, for
// a spline given only by fit points, the cubic through them). Nothing for other records and for
// meshes, polyface meshes and curves whose data does not add up.
std::optional<double> curveLength(const dxf::RecordView& record);

}  // namespace takeoff
