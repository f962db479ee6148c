// Paths read from a DXF record's tags: polyline vertices with bulges, and hatch boundaries.
#pragma once

#include <QPointF>
#include <vector>

#include "dxf/document.h"

namespace sketchcad {

double tagNumber(const dxf::Tag& tag);

struct Vertex {
    QPointF at;
    double bulge = 0;
};

// Vertices joined by straight segments or, where a bulge is given, by arcs (bulge: tangent
// of a quarter of the arc's angle, positive counter-clockwise).
std::vector<QPointF> polylinePath(const std::vector<Vertex>& vertices, bool closed);

// The outlines of a HATCH record's boundary paths (polyline paths, and paths of line, arc,
// elliptic arc and spline edges); the fill itself is not drawn.
std::vector<std::vector<QPointF>> hatchBoundaries(const dxf::RecordView& record);

}  // namespace sketchcad
