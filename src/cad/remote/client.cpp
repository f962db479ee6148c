// The client's entry: connect, say hello, take the application object.
#include "cad/remote/client.h"

#include "cad/remote/connection.h"
#include "cad/remote/socket_path.h"
#include "cad/running.h"

namespace cad::remote {

ObjectRef connectRemote(const QString& progId) {
    const QString path = socketPath(progId);
    if (path.isEmpty()) {
        return nullptr;
    }
    std::shared_ptr<Connection> connection = Connection::open(path);
    if (!connection) {
        return nullptr;
    }
    Request hello;
    hello.kind = RequestKind::Hello;
    hello.name = progId;
    try {
        return connection->request(std::move(hello)).toObject();
    } catch (const Error&) {
        return nullptr;
    }
}

void installRemoteLocator() {
    setPlatformLocator(&connectRemote);
}

}  // namespace cad::remote
