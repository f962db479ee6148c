// Paths read from a DXF record's tags: a hatch's boundaries and its pattern's dashes.
#pragma once

#include <QLineF>
#include <QPointF>
#include <vector>

#include "dxf/document.h"

namespace sketchcad {

// A tag's value as a number; 0 when it is not one.
double tagNumber(const dxf::Tag& tag);

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
