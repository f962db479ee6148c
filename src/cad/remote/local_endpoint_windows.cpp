// The named pipe open to this user alone, and the peer check by the token's user SID (Windows).
//
// The pipe's name carries the user's SID, so two users of one machine never meet in the pipe
// namespace, and a digest of the runtime directory holding its lock, so that the lock guards one
// pipe (a served script run with a directory of its own gets a pipe of its own). QLocalServer's
// UserAccessOption gives the pipe a DACL naming this user alone; the peer check stands behind it
// for the client, which asks the same of the server.
#include <windows.h>
// after windows.h
#include <sddl.h>

#include <QCryptographicHash>
#include <QDir>
#include <memory>

#include "cad/remote/local_endpoint.h"

namespace cad::remote {

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The user SID of a process's token, as text ("S-1-5-21-…"); empty when it cannot be read.
QString processUserSid(HANDLE process) {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &raw)) {
        return {};
    }
    const Handle token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        return {};
    }
    QByteArray buffer(static_cast<qsizetype>(size), '\0');
    if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        return {};
    }
    const QString sid = QString::fromWCharArray(text);
    ::LocalFree(text);
    return sid;
}

const QString& ownSid() {
    static const QString sid = processUserSid(::GetCurrentProcess());
    return sid;
}

QString runtimeDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QDir::cleanPath(runtime.isEmpty() ? QDir::tempPath() : runtime) +
           QStringLiteral("/elecaide");
}

}  // namespace

std::optional<LocalEndpoint> localEndpoint(const QString& progId) {
    const QString dir = runtimeDirectory();
    if (!isPlainName(progId) || ownSid().isEmpty() || !QDir().mkpath(dir)) {
        return std::nullopt;
    }
    const QByteArray digest = QCryptographicHash::hash(
        QDir::toNativeSeparators(dir).toLower().toUtf8(), QCryptographicHash::Sha1);
    const QString pipe =
        QStringLiteral("elecaide-%1-%2-%3")
            .arg(ownSid(), QString::fromLatin1(digest.toHex().left(12)), progId.toLower());
    return LocalEndpoint{pipe, dir + u'/' + progId.toLower() + QStringLiteral(".lock")};
}

bool peerIsCurrentUser(qintptr socketDescriptor) {
    const auto pipe = reinterpret_cast<HANDLE>(socketDescriptor);
    ULONG client = 0;
    ULONG server = 0;
    if (socketDescriptor == -1 || !::GetNamedPipeClientProcessId(pipe, &client) ||
        !::GetNamedPipeServerProcessId(pipe, &server)) {
        return false;
    }
    // Either end may ask: the peer is the end that is not this process (or this process, when
    // it talks to itself).
    const ULONG peer = client == ::GetCurrentProcessId() ? server : client;
    const Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, peer));
    return process && !ownSid().isEmpty() && processUserSid(process.get()) == ownSid();
}

}  // namespace cad::remote
