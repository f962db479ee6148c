// ClientSession: one request at a time per client, served from the socket's signals.
#include "cad/remote/client_session.h"

#include "cad/remote/waiting_interaction.h"

namespace cad::remote {

ClientSession::ClientSession(QLocalSocket* socket, Services services)
    : m_socket(socket),
      m_services(std::move(services)),
      m_handler(m_services.application, m_services.progId) {
    // The socket reads no further ahead than this while a request is served (a pick may wait
    // for minutes): a client streaming meanwhile fills its own pipe, not our memory.
    m_socket->setReadBufferSize(kReadAhead);
    QObject::connect(m_socket, &QLocalSocket::readyRead, m_socket, [this] { readIncoming(); });
    QObject::connect(m_socket, &QLocalSocket::disconnected, m_socket, [this] { onDisconnected(); });
}

ClientSession::~ClientSession() {
    Q_ASSERT(m_depth == 0);
    m_socket->disconnect();
    m_socket->abort();
    m_socket->deleteLater();
}

void ClientSession::readIncoming() {
    m_frames.append(m_socket->readAll());
    // Requests that arrive while one is being served wait until it has been answered, unless
    // they pile up beyond anything a well-behaved client sends.
    if (m_depth == 0) {
        serve();
    } else if (m_frames.pending() > 2 * static_cast<qsizetype>(kMaxMessage)) {
        m_socket->abort();
    }
}

void ClientSession::serve() {
    ++m_depth;
    while (!m_closed) {
        std::optional<QByteArray> payload = m_frames.next();
        if (!payload && m_socket->bytesAvailable() > 0) {
            // What came while a pick of this client waited: readyRead is not emitted again
            // while its own handler, this call, is still running.
            m_frames.append(m_socket->readAll());
            payload = m_frames.next();
        }
        if (!payload) {
            break;
        }
        WaitingInteraction& picks = *m_services.interaction;
        const void* outer = picks.requester();
        picks.setRequester(this);
        std::optional<QByteArray> answer = m_handler.answer(*payload);
        picks.setRequester(outer);
        if (answer && !m_closed) {
            send(*answer);
        }
    }
    --m_depth;
    if (m_frames.oversize() && !m_closed) {
        m_socket->abort();
    }
    if (isFinished()) {
        // Objects a call handed out after the client had gone.
        m_handler.releaseAll();
        m_services.closed();
    }
}

void ClientSession::send(const QByteArray& payload) {
    // A client that sends but never reads would make us buffer without end.
    if (m_socket->bytesToWrite() > 4 * static_cast<qint64>(kMaxMessage)) {
        m_socket->abort();
        return;
    }
    m_socket->write(frame(payload));
}

void ClientSession::cutOff() {
    m_socket->abort();
    onDisconnected();
}

void ClientSession::onDisconnected() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    // A client gone while its pick waits: end the pick, so the call returns and frees us.
    m_services.interaction->abandonFor(this);
    m_handler.releaseAll();
    if (isFinished()) {
        m_services.closed();
    }
}

}  // namespace cad::remote
