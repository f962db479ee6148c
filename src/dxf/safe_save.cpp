// Safe replacement with QSaveFile, and the backup of the previous file.
#include "dxf/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

// The previous file as PATH.bak: a hard link where the file system has them (instant, and the
// rename of the new file leaves the link on the old data), a copy elsewhere.
bool keepBackup(const QString& path, QString& why) {
    const QString backup = path + u".bak"_s;
    if (QFile::exists(backup) && !QFile::remove(backup)) {
        why = u"cannot replace the backup %1"_s.arg(backup);
        return false;
    }
#ifdef Q_OS_UNIX
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) == 0)
        return true;
#endif
    QFile source(path);
    if (!source.copy(backup)) {
        why = u"cannot keep the previous file as %1: %2"_s.arg(backup, source.errorString());
        return false;
    }
    return true;
}

}  // namespace

Result<qint64> writeFileSafely(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        return Error{path, 0,
                     u"cannot save: the folder %1 does not exist"_s.arg(info.absolutePath())};
    }
    if (info.isDir())
        return Error{path, 0, u"cannot save: the path is a folder"_s};
    QSaveFile file(path);
    // Writing in place would break the promise that the old file survives a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return Error{path, 0, u"cannot save: %1"_s.arg(file.errorString())};
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Error{path, 0, u"cannot save: %1"_s.arg(why)};
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return Error{path, 0, u"cannot save: the data did not reach the disk"_s};
    }
#endif
    if (info.exists()) {
        QString why;
        if (!keepBackup(path, why)) {
            file.cancelWriting();
            return Error{path, 0, u"cannot save: %1"_s.arg(why)};
        }
    }
    if (!file.commit())
        return Error{path, 0, u"cannot save: %1"_s.arg(file.errorString())};
    return written;
}

}  // namespace dxf
