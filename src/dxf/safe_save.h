// Replacing a file so that it is always either the old file or the complete new one.
#pragma once

#include "dxf/result.h"

#include <QByteArray>
#include <QString>

namespace dxf {

// Writes bytes to a temporary file in the target's folder, syncs it, keeps the previous
// target as PATH.bak, and renames the temporary file over the target. On failure the target
// is untouched. The result is the number of bytes written.
Result<qint64> writeFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace dxf
