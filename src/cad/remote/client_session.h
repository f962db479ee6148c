// One client of the automation server: its socket, the objects handed to it, its requests.
#pragma once

#include <QHash>
#include <QLocalSocket>
#include <functional>

#include "cad/remote/frame.h"
#include "cad/remote/message.h"

namespace cad::remote {

class WaitingInteraction;

class ClientSession : public ObjectIds {
public:
    struct Services {
        ObjectRef application;
        QString progId;
        WaitingInteraction* interaction;
        std::function<void()> closed;  // the session may now be deleted (never from inside it)
    };

    ClientSession(QLocalSocket* socket, Services services);
    ~ClientSession() override;

    // Closed and not serving a request: safe to delete.
    bool isFinished() const { return m_closed && m_depth == 0; }
    int heldObjects() const { return static_cast<int>(m_held.size()); }

    std::uint32_t idOf(const ObjectRef& object) override;
    ObjectRef objectOf(std::uint32_t id) override;

private:
    struct Held {
        ObjectRef object;
        std::uint32_t sent = 0;  // times handed out and not yet released
    };

    void readIncoming();
    void serve();
    void handle(const QByteArray& payload);
    Answer execute(const Request& request);
    void release(const std::vector<std::uint32_t>& ids);
    void onDisconnected();

    QLocalSocket* m_socket;
    Services m_services;
    FrameBuffer m_frames;
    QHash<std::uint32_t, Held> m_held;
    QHash<const Object*, std::uint32_t> m_ids;
    std::uint32_t m_nextId = 1;
    int m_depth = 0;  // requests being served (more than one only inside a pick's event loop)
    bool m_closed = false;
};

}  // namespace cad::remote
