// A served drawing on a thread of its own, for hosts whose own thread blocks on the drawing's
// answers: the script runner and the tests, whose client and server share one process.
#pragma once

#include <QThread>
#include <functional>
#include <memory>
#include <optional>

#include "cad/memory/application.h"
#include "cad/remote/server.h"

namespace cad::remote {

class ServerThread {
public:
    // Makes the server on its thread.
    using MakeServer = std::function<std::unique_ptr<Serving>(
        std::shared_ptr<memory::Application> application, Picker& picker)>;

    // Starts the thread and a server on it over the application (the socket server unless told
    // otherwise); listenResult() says whether it listens. The picker is called on the server's
    // thread.
    ServerThread(std::shared_ptr<memory::Application> application, Picker& picker,
                 const MakeServer& make = {});
    // Stops the server, then the thread.
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    const std::optional<QString>& listenResult() const { return m_listenResult; }

    // Runs f on the server's thread and waits for it; what f throws is thrown here. Everything
    // that touches the drawing or the server goes through here.
    void run(const std::function<void()>& f);
    // The server (only inside run): its interaction, its clients.
    Serving& server() const { return *m_server; }
    // The server goes away as a quitting program's would: socket closed, clients cut off.
    void stopServer();

private:
    QThread m_thread;
    QObject* m_context = nullptr;  // lives on m_thread
    std::unique_ptr<Serving> m_server;
    std::optional<QString> m_listenResult;
};

}  // namespace cad::remote
