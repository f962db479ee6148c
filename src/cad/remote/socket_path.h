// Where the automation socket lives, and who may talk to it.
#pragma once

#include <QString>
#include <QtGlobal>

namespace cad::remote {

// The full path of the socket serving a ProgID, in a directory only this user can enter:
// $XDG_RUNTIME_DIR/elecaide, or /tmp/elecaide-<uid> when there is no usable runtime directory.
// The directory is made (mode 0700) when missing. Empty when no private directory can be had
// (one that exists but belongs to someone else, a symbolic link) or the ProgID is not a plain
// name.
QString socketPath(const QString& progId);

// True when the process at the other end of a connected local socket runs as this user.
bool peerIsCurrentUser(qintptr socketDescriptor);

}  // namespace cad::remote
