// Loading a DXF file into the embedded drawing and saving the drawing back, losslessly.
#pragma once

#include "cad/memory/application.h"
#include "dxf/result.h"

#include <QByteArray>
#include <QString>

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

// The DXF text of the drawing: the file it was loaded from with what the drawing changed, or a
// complete new AC1024 file in UTF-8 for a drawing that was never loaded. Records added to the
// file (a block's BLOCK and ENDBLK) take handles of the drawing, so they never collide.
QByteArray drawingBytes(cad::memory::Document& drawing);

// Writes drawingBytes safely: into a temporary file beside the target, synced, then renamed over
// it, with the previous file kept as PATH.bak. On failure the target is untouched and the error
// says why. The result is the number of bytes written.
Result<qint64> saveDrawing(cad::memory::Document& drawing, const QString& path);

}  // namespace dxf
