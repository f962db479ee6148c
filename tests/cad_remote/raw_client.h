// A client that speaks the wire format by hand, to send what the real client never would.
#pragma once

#include <QLocalSocket>

#include "cad/remote/frame.h"
#include "cad/remote/message.h"

namespace remote_test {

// Object ids stand for themselves: a received id becomes an IdTag, an IdTag sends its id.
class IdTag : public cad::Object {
public:
    explicit IdTag(std::uint32_t id) : id(id) {}
    cad::Value Get(cad::Member m) override { noSuchMember(m); }
    void Put(cad::Member m, const cad::Value&) override { noSuchMember(m); }
    cad::Value Call(cad::Member m, std::span<const cad::Value>) override { noSuchMember(m); }
    const std::uint32_t id;
};

class TagIds : public cad::remote::ObjectIds {
public:
    std::uint32_t idOf(const cad::ObjectRef& object) override;
    cad::ObjectRef objectOf(std::uint32_t id) override;
};

class RawClient {
public:
    // Connects to the ProgID's socket; connected() says whether that worked.
    RawClient();

    bool connected() const { return m_socket.state() == QLocalSocket::ConnectedState; }
    void writeBytes(const QByteArray& bytes);
    void send(const cad::remote::Request& request);
    // The next answer; nullopt when the server closed the connection or none came in time.
    std::optional<cad::remote::Answer> answer();
    // Whether an answer (whole or in part) has arrived, without waiting for one.
    bool answerArrived();
    // Sends a request and reads its answer.
    std::optional<cad::remote::Answer> ask(const cad::remote::Request& request);
    // True once the server has closed the connection (waits generously).
    bool waitForServerToClose();
    void close() { m_socket.abort(); }

    // The id of the application object, after a hello.
    std::uint32_t hello();

private:
    QLocalSocket m_socket;
    cad::remote::FrameBuffer m_frames;
    TagIds m_ids;
};

cad::remote::Request getRequest(std::uint32_t object, const QString& member);

}  // namespace remote_test
