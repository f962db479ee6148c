// RawClient: hand-made requests over a plain local socket.
#include "raw_client.h"

#include <QDeadlineTimer>

#include "cad/remote/local_endpoint.h"
#include "cad/running.h"

namespace remote_test {

using namespace cad::remote;

std::uint32_t TagIds::idOf(const cad::ObjectRef& object) {
    return object ? dynamic_cast<const IdTag&>(*object).id : 0;
}

cad::ObjectRef TagIds::objectOf(std::uint32_t id) {
    return std::make_shared<IdTag>(id);
}

RawClient::RawClient() {
    m_socket.connectToServer(localEndpoint(QString::fromUtf16(cad::kAutoCadProgId))->name);
    m_socket.waitForConnected(10000);
}

void RawClient::writeBytes(const QByteArray& bytes) {
    m_socket.write(bytes);
    m_socket.waitForBytesWritten(10000);
}

void RawClient::send(const Request& request) {
    writeBytes(frame(encodeRequest(request, m_ids)));
}

std::optional<Answer> RawClient::answer() {
    const QDeadlineTimer deadline(20000);
    for (;;) {
        if (std::optional<QByteArray> payload = m_frames.next()) {
            Reader reader(*payload);
            Answer a = decodeAnswer(reader, m_ids);
            if (reader.failed()) {
                return std::nullopt;
            }
            return a;
        }
        if (!connected() || deadline.hasExpired()) {
            return std::nullopt;
        }
        m_socket.waitForReadyRead(100);
        m_frames.append(m_socket.readAll());
    }
}

bool RawClient::answerArrived() {
    m_socket.waitForReadyRead(0);
    m_frames.append(m_socket.readAll());
    return m_frames.pending() > 0;
}

std::optional<Answer> RawClient::ask(const Request& request) {
    send(request);
    return answer();
}

bool RawClient::waitForServerToClose() {
    const QDeadlineTimer deadline(20000);
    while (connected() && !deadline.hasExpired()) {
        m_socket.waitForReadyRead(100);
        m_socket.readAll();
    }
    return !connected();
}

std::uint32_t RawClient::hello() {
    Request r;
    r.kind = RequestKind::Hello;
    r.serial = 1;
    r.name = QString::fromUtf16(cad::kAutoCadProgId);
    std::optional<Answer> a = ask(r);
    if (!a || a->error) {
        return 0;
    }
    return static_cast<const IdTag&>(*a->value.toObject()).id;
}

Request getRequest(std::uint32_t object, const QString& member) {
    Request r;
    r.kind = RequestKind::Get;
    r.serial = 7;
    r.object = object;
    r.name = member;
    return r;
}

}  // namespace remote_test
