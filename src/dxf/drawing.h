// Loading a DXF file into the embedded drawing and saving the drawing back, losslessly.
#pragma once

#include "cad/memory/application.h"
#include "dxf/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace dxf {

// Reads the file into a new drawing of the application, which becomes its active document and
// keeps the path for saving.
// On failure the application is left as it was: no half-loaded drawing stays behind.
//
// An entity on a layer the LAYER table lacks gets that layer in the drawing, as a CAD's audit
// does; the layer is written to the file only once the drawing changes it.
Result<std::shared_ptr<cad::memory::Document>> loadDrawing(cad::memory::Application& application,
                                                           const QString& path);
// The same for bytes already in memory; fileName names the drawing and appears in errors.
Result<std::shared_ptr<cad::memory::Document>> loadDrawingBytes(
    cad::memory::Application& application, QByteArray bytes, const QString& fileName);

// Kinds of the drawing's entities that the file's version lacks, by DXF name. The drawing keeps
// them as they are; the file holds their equivalents in its version (an R12 file: an MTEXT as
// TEXT records, a SPLINE as a POLYLINE), or leaves out a kind that has none.
struct VersionNotes {
    QStringList converted;
    QStringList leftOut;

    bool isEmpty() const { return converted.isEmpty() && leftOut.isEmpty(); }
};

// The DXF text of the drawing: the file it was loaded from with what the drawing changed, or a
// complete new AC1024 file in UTF-8 for a drawing that was never loaded. Records added to the
// file (a block's BLOCK and ENDBLK) take handles of the drawing, so they never collide. New
// entities are written as the file's version has them; notes, when given, say where that
// differs from the drawing.
QByteArray drawingBytes(cad::memory::Document& drawing, VersionNotes* notes = nullptr);

struct Saved {
    qint64 bytes = 0;
    VersionNotes notes;
};

// Writes drawingBytes safely: into a temporary file beside the target, synced, then renamed over
// it, with the previous file kept as PATH.bak. On failure the target is untouched and the error
// says why.
Result<Saved> saveDrawing(cad::memory::Document& drawing, const QString& path);

}  // namespace dxf
