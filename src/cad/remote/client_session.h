// One client of the automation server: its socket, and its requests in the order they came.
#pragma once

#include <QLocalSocket>
#include <functional>

#include "cad/remote/frame.h"
#include "cad/remote/request_handler.h"

namespace cad::remote {

class WaitingInteraction;

class ClientSession {
public:
    struct Services {
        ObjectRef application;
        QString progId;
        WaitingInteraction* interaction;
        std::function<void()> closed;  // the session may now be deleted (never from inside it)
    };

    ClientSession(QLocalSocket* socket, Services services);
    ~ClientSession();
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // Closed and not serving a request: safe to delete.
    bool isFinished() const { return m_closed && m_depth == 0; }
    // In the middle of a request (a pick's loop may be running it).
    bool isServing() const { return m_depth > 0; }
    // The server cuts the client off: its socket closes and everything it held is let go.
    void cutOff();
    int heldObjects() const { return m_handler.heldObjects(); }

private:
    static constexpr qint64 kReadAhead = 1 << 20;

    void readIncoming();
    void serve();
    void send(const QByteArray& payload);
    void onDisconnected();

    QLocalSocket* m_socket;
    Services m_services;
    RequestHandler m_handler;
    FrameBuffer m_frames;
    int m_depth = 0;  // requests being served (more than one only inside a pick's event loop)
    bool m_closed = false;
};

}  // namespace cad::remote
