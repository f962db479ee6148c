// The benchmarks' drawing (texts with numbers, lines, arcs and lamp references) and the sketchcad
// child that serves it.
#pragma once

#include <QProcess>
#include <QString>

// Writes a DXF drawing of that many entities to path: texts with numbers, lines, arcs and
// references of the block LAMP in equal shares, a third of them on the layer 照明. The empty
// text on success, else why not.
QString writeBenchDrawing(const QString& path, int entities);

// Starts the sketchcad program offscreen on the drawing and waits until it says it serves. The
// empty text once it does, else why not.
QString startServing(QProcess& sketchcad, const QString& program, const QString& drawing);
