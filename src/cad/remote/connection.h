// The client's connection to the automation server: one request at a time, waited for.
#pragma once

#include <QLocalSocket>
#include <memory>
#include <vector>

#include "cad/remote/frame.h"
#include "cad/remote/message.h"

namespace cad::remote {

// The assistant has one thread: a request blocks it until the answer has come, reading the
// socket with waitForReadyRead. Ordinary calls give up after a generous time; picks wait as
// long as the user takes, for as long as the server is there.
class Connection : public ObjectIds, public std::enable_shared_from_this<Connection> {
public:
    // Connected to the socket at path, or null when nobody answers there.
    static std::shared_ptr<Connection> open(const QString& path);
    Connection() = default;

    // Sends the request and gives the answer's value. Throws cad::Error with the server's
    // message when the call failed there, or when the server is gone or misbehaves (the
    // connection is then closed for good).
    Value request(Request request);
    // Hands an object id back; sent with the next request, or sooner when many gather.
    void release(std::uint32_t id);

    std::uint32_t idOf(const ObjectRef& object) override;
    ObjectRef objectOf(std::uint32_t id) override;

private:
    Answer awaitAnswer(std::uint32_t serial, bool interactive);
    [[noreturn]] void fail(const QString& why);
    QByteArray takeReleases();
    void sendReleases();

    QLocalSocket m_socket;
    FrameBuffer m_frames;
    std::uint32_t m_serial = 0;
    std::vector<std::uint32_t> m_released;
    bool m_releaseScheduled = false;
};

}  // namespace cad::remote
