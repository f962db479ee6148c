// Paths read from a DXF record's tags: polyline vertices with bulges and widths, and hatch
// boundaries.
#pragma once

#include <QLineF>
#include <QPointF>
#include <vector>

#include "dxf/document.h"

namespace sketchcad {

double tagNumber(const dxf::Tag& tag);

struct Vertex {
    QPointF at;
    double bulge = 0;
    double startWidth = 0;  // of the segment that starts here
    double endWidth = 0;
};

// Vertices joined by straight segments or, where a bulge is given, by arcs (bulge: tangent
// of a quarter of the arc's angle, positive counter-clockwise).
std::vector<QPointF> polylinePath(const std::vector<Vertex>& vertices, bool closed);

// The areas a polyline with widths covers: one loop per segment of some width (a band along
// a line, a ring sector along an arc), all turning the same way so that a non-zero fill joins
// them. Empty when no segment has a width.
std::vector<std::vector<QPointF>> polylineWidthAreas(const std::vector<Vertex>& vertices,
                                                     bool closed);

struct HatchBoundary {
    std::vector<QPointF> points;
    int flags = 0;  // as the file gives them: 1 external, 16 outermost
};

// The outlines of a HATCH record's boundary paths (polyline paths, and paths of line, arc,
// elliptic arc and spline edges).
std::vector<HatchBoundary> hatchBoundaries(const dxf::RecordView& record);

// The dashes of a HATCH record's pattern lines inside the loops (odd-even: an island is a hole).
// Empty when the pattern has no lines, or would need more than maxDashes of them at this scale:
// the boundary alone then stands for it.
std::vector<QLineF> hatchPatternDashes(const dxf::RecordView& record,
                                       const std::vector<std::vector<QPointF>>& loops,
                                       std::size_t maxDashes);

}  // namespace sketchcad
