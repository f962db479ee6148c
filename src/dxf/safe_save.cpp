// Safe replacement with QSaveFile, and the backup of the previous file.
#include "dxf/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

// A second name for a file's data; false where the file system has no hard links (FAT, some
// network shares).
bool hardLink(const QString& existing, const QString& link) {
#ifdef Q_OS_WIN
    return ::CreateHardLinkW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(link).utf16()),
                             reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(existing).utf16()),
                             nullptr);
#else
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) ==
           0;
#endif
}

// The written bytes on the disk, not only in the system's cache, before the rename makes them
// the file.
bool reachesDisk(const QSaveFile& file) {
#ifdef Q_OS_WIN
    return ::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle())));
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The previous file as PATH.bak: a hard link where the file system has them (instant, and the
// rename of the new file leaves the link on the old data), a copy elsewhere.
bool keepBackup(const QString& path, QString& why) {
    const QString backup = path + u".bak"_s;
    if (QFile::exists(backup) && !QFile::remove(backup)) {
        why = u"cannot replace the backup %1"_s.arg(backup);
        return false;
    }
    if (hardLink(path, backup))
        return true;
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
    if (!reachesDisk(file)) {
        file.cancelWriting();
        return Error{path, 0, u"cannot save: the data did not reach the disk"_s};
    }
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
