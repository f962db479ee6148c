// ClientSession: reads requests, runs them on the drawing, answers, and tracks handed-out objects.
#include "cad/remote/client_session.h"

#include "cad/remote/waiting_interaction.h"

namespace cad::remote {

ClientSession::ClientSession(QLocalSocket* socket, Services services)
    : m_socket(socket), m_services(std::move(services)) {
    QObject::connect(m_socket, &QLocalSocket::readyRead, m_socket, [this] { readIncoming(); });
    QObject::connect(m_socket, &QLocalSocket::disconnected, m_socket, [this] { onDisconnected(); });
}

ClientSession::~ClientSession() {
    Q_ASSERT(m_depth == 0);
    m_socket->disconnect();
    m_socket->abort();
    m_socket->deleteLater();
}

std::uint32_t ClientSession::idOf(const ObjectRef& object) {
    if (!object) {
        return 0;
    }
    auto found = m_ids.constFind(object.get());
    std::uint32_t id = found != m_ids.constEnd() ? *found : 0;
    if (id == 0) {
        id = m_nextId++;
        m_ids.insert(object.get(), id);
        m_held.insert(id, Held{object, 0});
    }
    ++m_held[id].sent;
    return id;
}

ObjectRef ClientSession::objectOf(std::uint32_t id) {
    auto found = m_held.constFind(id);
    return found != m_held.constEnd() ? found->object : nullptr;
}

void ClientSession::release(const std::vector<std::uint32_t>& ids) {
    for (std::uint32_t id : ids) {
        auto found = m_held.find(id);
        if (found != m_held.end() && --found->sent == 0) {
            m_ids.remove(found->object.get());
            m_held.erase(found);
        }
    }
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
        if (!payload) {
            break;
        }
        handle(*payload);
    }
    --m_depth;
    if (m_frames.oversize() && !m_closed) {
        m_socket->abort();
    }
    if (isFinished()) {
        m_services.closed();
    }
}

void ClientSession::handle(const QByteArray& payload) {
    Reader reader(payload);
    const Request request = decodeRequest(reader, *this);
    if (reader.failed()) {
        Answer refusal{request.serial, {}, reader.failure()};
        m_socket->write(frame(encodeAnswer(refusal, *this)));
        return;
    }
    if (request.kind == RequestKind::Release) {
        release(request.released);
        return;
    }
    const Answer answer = execute(request);
    if (!m_closed) {
        m_socket->write(frame(encodeAnswer(answer, *this)));
    }
}

Answer ClientSession::execute(const Request& request) {
    Answer answer{request.serial, {}, std::nullopt};
    if (request.kind == RequestKind::Hello) {
        if (request.name.compare(m_services.progId, Qt::CaseInsensitive) == 0) {
            answer.value = m_services.application;
        } else {
            answer.error = QStringLiteral("这里没有 %1").arg(request.name);
        }
        return answer;
    }
    ObjectRef target = objectOf(request.object);
    if (!target) {
        answer.error = QStringLiteral("对象编号无效");
        return answer;
    }
    const std::optional<Member> member = memberByName(request.name);
    if (!member) {
        answer.error = QStringLiteral("未知的成员：%1").arg(request.name);
        return answer;
    }
    try {
        switch (request.kind) {
            case RequestKind::Get:
                answer.value = target->Get(*member);
                break;
            case RequestKind::Put:
                target->Put(*member, request.values.front());
                break;
            default:
                answer.value = target->Call(*member, request.values);
                break;
        }
    } catch (const Error& e) {
        answer.error = e.message();
    }
    return answer;
}

void ClientSession::onDisconnected() {
    m_closed = true;
    // A client gone while its pick waits: end the pick, so the call returns and frees us.
    if (m_depth > 0) {
        m_services.interaction->abandon();
    }
    m_held.clear();
    m_ids.clear();
    if (isFinished()) {
        m_services.closed();
    }
}

}  // namespace cad::remote
