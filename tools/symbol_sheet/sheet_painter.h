// Paints symbol primitives into a cell of the symbol sheet, scaled to fit, y axis up.
#pragma once

#include <QPainter>
#include <QRectF>

#include "symbols/symbol.h"

namespace sheet {

// Draws the primitives fitted into `cell` (white lines, red for colour 1, dashes for the
// linetypes) and marks the insertion point with a small green cross.
void paintPrimitives(QPainter& painter, const QRectF& cell, const symbols::Primitives& primitives);

}  // namespace sheet
