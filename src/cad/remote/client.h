// Reaching a running automation server from the assistant.
#pragma once

#include "cad/value.h"

namespace cad::remote {

// The application object served under the ProgID, or null at once when no server runs there.
ObjectRef connectRemote(const QString& progId);

// Lets GetRunningApplication find applications served on the user's local socket.
void installRemoteLocator();

}  // namespace cad::remote
