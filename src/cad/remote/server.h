// The automation server: serves an embedded drawing to the user's own processes on a local socket.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <memory>
#include <optional>
#include <vector>

#include "cad/memory/application.h"
#include "cad/remote/waiting_interaction.h"
#include "cad/running.h"

namespace cad::remote {

class ClientSession;

// Lives on one thread with an event loop, the drawing's thread: every request runs there.
// Picks go to the picker through a WaitingInteraction the server installs on the application.
class Server {
public:
    Server(std::shared_ptr<memory::Application> application, Picker& picker,
           QString progId = QString::fromUtf16(kAutoCadProgId));
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Starts serving; nullopt on success, else why not (another server already runs, no
    // private directory for the socket, the socket failure).
    std::optional<QString> listen();
    QString socketPath() const { return m_local.fullServerName(); }

    WaitingInteraction& interaction() const { return *m_interaction; }
    int clientCount() const { return static_cast<int>(m_sessions.size()); }
    // Objects handed to clients and not yet released, over all clients.
    int heldObjects() const;

    // Stops serving: no more connections, the waiting pick ended as a cancel and no later one
    // started, every client cut off. A request under way (a pick's) still has to return through
    // its event loop: the server may be destroyed once isServing() says none is left.
    void shutdown();
    bool isServing() const;

private:
    void accept();
    void removeFinished();

    std::shared_ptr<memory::Application> m_application;
    std::shared_ptr<WaitingInteraction> m_interaction;
    QString m_progId;
    std::unique_ptr<QLockFile> m_lock;  // held while serving
    QLocalServer m_local;
    std::vector<std::unique_ptr<ClientSession>> m_sessions;
};

}  // namespace cad::remote
