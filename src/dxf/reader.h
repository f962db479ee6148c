// Reading an ASCII DXF file into a Document, with errors that say where reading stopped.
#pragma once

#include "dxf/document.h"
#include "dxf/result.h"

#include <QByteArray>
#include <QString>

namespace dxf {

Result<Document> readFile(const QString& path);
// Reads a file already in memory; fileName is only used in errors and kept in the document.
Result<Document> readBytes(QByteArray bytes, const QString& fileName);

}  // namespace dxf
