// The benchmarks' drawing: texts with numbers, lines, arcs and lamp references.
#pragma once

#include <QString>

// Writes a DXF drawing of that many entities to path: texts with numbers, lines, arcs and
// references of the block LAMP in equal shares, a third of them on the layer 照明. The empty
// text on success, else why not.
QString writeBenchDrawing(const QString& path, int entities);
