// Writing a Document back as ASCII DXF, in the layout and encoding it was read with.
#pragma once

#include "dxf/document.h"
#include "dxf/result.h"

#include <QByteArray>

class QIODevice;

namespace dxf {

QByteArray writeBytes(const Document& document);
// Writes to an open device; the result is the number of bytes written.
Result<qint64> writeTo(const Document& document, QIODevice& device);

}  // namespace dxf
