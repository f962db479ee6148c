// A point typed on the command line: "x,y" absolute, "@dx,dy" from the base point.
#pragma once

#include <QPointF>
#include <QString>
#include <optional>

namespace sketchcad {

// Blanks are allowed around the numbers, a third coordinate is ignored, and the full-width comma
// of Chinese input counts as a comma. Without a base point "@" counts from the origin. None
// for text that is no point.
std::optional<QPointF> parseTypedPoint(const QString& text, std::optional<QPointF> base);

}  // namespace sketchcad
