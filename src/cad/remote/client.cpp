// The client's entry: connect, say hello, take the application object.
#include "cad/remote/client.h"

#include "cad/remote/connection.h"
#include "cad/remote/local_endpoint.h"
#include "cad/running.h"

namespace cad::remote {

ObjectRef connectRemote(const QString& progId) {
    const std::optional<LocalEndpoint> endpoint = localEndpoint(progId);
    if (!endpoint) {
        return nullptr;
    }
    std::shared_ptr<Connection> connection = Connection::open(endpoint->name);
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
