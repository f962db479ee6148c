// The paths of a polyline's vertices: straight or bulged segments, and the areas widths cover.
#pragma once

#include <QPointF>
#include <vector>

namespace sketchcad {

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

}  // namespace sketchcad
