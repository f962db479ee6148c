// Where a ProgID's automation server listens, and who may talk to it. The platform seam of the
// transport: a Unix socket in a private directory (local_endpoint_posix.cpp), a named pipe open
// to this user alone (local_endpoint_windows.cpp). Both are QLocalServer/QLocalSocket names.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace cad::remote {

struct LocalEndpoint {
    QString name;      // what QLocalServer listens on and QLocalSocket connects to
    QString lockFile;  // the one-instance lock beside it, in a directory of this user's
};

// The endpoint serving a ProgID, under the runtime directory: $XDG_RUNTIME_DIR (which the test
// tools and a served script run point at a directory of their own), else a per-user place
// (/tmp/elecaide-<uid>; the user's temporary folder on Windows). Nothing when the ProgID is not
// a plain name or no private directory can be had.
std::optional<LocalEndpoint> localEndpoint(const QString& progId);

// True when the process at the other end of a connected local socket runs as this user.
bool peerIsCurrentUser(qintptr socketDescriptor);

// A ProgID fit to name a file or a pipe: letters, digits, '.', '_' and '-', at most 64.
bool isPlainName(const QString& name);

}  // namespace cad::remote
