// The socket in a private directory and the peer credential check (Linux).
#include "cad/remote/local_endpoint.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace cad::remote {

namespace {

// A real directory (not a link to one) that belongs to us.
bool isOwnDirectory(const QByteArray& native, struct stat& st) {
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

// A directory of ours that nobody else can enter.
bool isPrivateDirectory(const QString& path) {
    struct stat st {};
    return isOwnDirectory(QFile::encodeName(path), st) && (st.st_mode & 077) == 0;
}

// Our own directory under it: made when missing, and a loose mode on it is tightened (the
// runtime directory itself is never changed, only judged).
bool makePrivateDirectory(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat st {};
    if (!isOwnDirectory(native, st)) {
        return false;
    }
    return (st.st_mode & 077) == 0 || ::chmod(native.constData(), 0700) == 0;
}

QString privateDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateDirectory(runtime)) {
        const QString dir = runtime + QStringLiteral("/elecaide");
        if (makePrivateDirectory(dir)) {
            return dir;
        }
    }
    const QString dir = QStringLiteral("/tmp/elecaide-%1").arg(::getuid());
    return makePrivateDirectory(dir) ? dir : QString();
}

}  // namespace

std::optional<LocalEndpoint> localEndpoint(const QString& progId) {
    if (!isPlainName(progId)) {
        return std::nullopt;
    }
    const QString dir = privateDirectory();
    if (dir.isEmpty()) {
        return std::nullopt;
    }
    const QString socket = dir + u'/' + progId.toLower() + QStringLiteral(".sock");
    return LocalEndpoint{socket, socket + QStringLiteral(".lock")};
}

bool peerIsCurrentUser(qintptr socketDescriptor) {
    struct ucred cred {};
    socklen_t size = sizeof cred;
    if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) !=
        0) {
        return false;
    }
    return cred.uid == ::getuid();
}

}  // namespace cad::remote
