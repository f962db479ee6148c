// Which drawings a take-off reads and at which scale: paths and folders expanded, the scales
// file applied.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "takeoff/takeoff_run.h"

namespace takeoff {

// The DXF files of the paths: a file as it is (named by its file name), a folder searched
// through all its subfolders for *.dxf in any letter case (each named by its path below the
// folder, with "/"), in name order. Errors name paths that do not exist.
struct DrawingSet {
    std::vector<DrawingEntry> entries;
    QStringList errors;
};
DrawingSet findDrawings(const QStringList& paths, const QString& scale);

// Applies a scales file (UTF-8, or GBK as a Chinese Excel saves CSV): one drawing per line,
// "name,scale" (a tab or ";" also separates), the
// name being the drawing's name in the report, its file name, or its file name without ".dxf",
// in any letter case. Empty lines and lines starting with "#" are skipped, and so is a first
// line that names no scale (a heading). Returns the errors (a line that is no scale, a file
// that cannot be read); notes get the names that matched no drawing.
QStringList applyScales(const QString& scalesFile, std::vector<DrawingEntry>& entries,
                        QStringList& notes);

}  // namespace takeoff
