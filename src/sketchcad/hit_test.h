// Which entities of the scene a click or a selection rectangle finds, and where points snap.
#pragma once

#include <optional>
#include <vector>

#include "sketchcad/scene.h"

namespace sketchcad {

// Items wholly inside the rectangle (a window, dragged left to right).
std::vector<int> itemsInWindow(const Scene& scene, const Box& rect);
// Items inside the rectangle or touching it (a crossing, dragged right to left).
std::vector<int> itemsCrossing(const Scene& scene, const Box& rect);
// The topmost item within tolerance of the point (on a stroke, inside a text's box or a filled
// area); -1 for none.
int itemAt(const Scene& scene, QPointF p, double tolerance);
// The nearest endpoint, centre or insertion point within tolerance.
std::optional<QPointF> snapAt(const Scene& scene, QPointF p, double tolerance);

}  // namespace sketchcad
