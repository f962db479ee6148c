// The automation server: serves an embedded drawing to the user's own processes on a local socket.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <memory>
#include <optional>
#include <vector>

#include "cad/memory/application.h"
#include "cad/remote/serving.h"
#include "cad/running.h"

namespace cad::remote {

class ClientSession;

// Picks go to the picker through a WaitingInteraction the server installs on the application.
class Server : public Serving {
public:
    Server(std::shared_ptr<memory::Application> application, Picker& picker,
           QString progId = QString::fromUtf16(kAutoCadProgId));
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Fails when another server already runs, there is no private directory for the socket, or
    // the socket fails.
    std::optional<QString> listen() override;
    QString socketPath() const { return m_local.fullServerName(); }

    WaitingInteraction& interaction() const override { return *m_interaction; }
    // For another server of the same drawing, whose picks go the same way.
    std::shared_ptr<WaitingInteraction> sharedInteraction() const { return m_interaction; }
    int clientCount() const { return static_cast<int>(m_sessions.size()); }
    int heldObjects() const override;

    void shutdown() override;
    bool isServing() const override;

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
