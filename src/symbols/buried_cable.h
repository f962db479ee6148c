// The buried cable: a red line between two picked points with a dashed line beside it.
#pragma once

#include <QPointF>

#include "cad/cad_link.h"

namespace symbols {

// The unit offset of the dashed line: 90° counter-clockwise from the way start to end, so the
// dashed line lies to the left walking from start to end; straight up when the points coincide.
QPointF cableOffset(QPointF start, QPointF end);

// Loads "HIDDEN" (a failure is no obstacle), asks for both ends, then draws the two lines.
void drawBuriedCable(cad::CadLink& link);

}  // namespace symbols
