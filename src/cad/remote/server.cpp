// Server: the private socket, the one-instance check, the peer check and the client sessions.
#include "cad/remote/server.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTimer>
#include <algorithm>

#include "cad/remote/client_session.h"
#include "cad/remote/local_endpoint.h"

namespace cad::remote {

namespace {

// A lock left by a dead server whose process id is now this process's own looks held by a live
// server of the same name: Wine hands out the same ids again after a restart, and Windows may.
// No other process can hold it; it is removed.
bool heldUnderOwnId(QLockFile& lock) {
    qint64 pid = 0;
    if (!lock.getLockInfo(&pid, nullptr, nullptr) || pid != QCoreApplication::applicationPid()) {
        return false;
    }
    return lock.removeStaleLockFile();
}

}  // namespace

Server::Server(std::shared_ptr<memory::Application> application, Picker& picker, QString progId)
    : m_application(std::move(application)),
      m_interaction(std::make_shared<WaitingInteraction>(picker)),
      m_progId(std::move(progId)) {
    m_application->setInteraction(m_interaction);
    QObject::connect(&m_local, &QLocalServer::newConnection, &m_local, [this] { accept(); });
}

Server::~Server() {
    shutdown();
    Q_ASSERT(!isServing());
    m_sessions.clear();
}

void Server::shutdown() {
    m_local.close();
    m_interaction->close();
    for (const auto& session : m_sessions) {
        session->cutOff();
    }
}

bool Server::isServing() const {
    return std::any_of(m_sessions.begin(), m_sessions.end(),
                       [](const auto& s) { return s->isServing(); });
}

std::optional<QString> Server::listen() {
    const std::optional<LocalEndpoint> endpoint = localEndpoint(m_progId);
    if (!endpoint) {
        return QStringLiteral("无法建立只属于本用户的套接字目录");
    }
    // The lock decides which of two servers starting at once serves; a dead server's lock is
    // taken over, and so is the socket file it left.
    auto lock = std::make_unique<QLockFile>(endpoint->lockFile);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && !(heldUnderOwnId(*lock) && lock->tryLock(0))) {
        return QStringLiteral("已有一个 %1 在运行").arg(m_progId);
    }
    m_lock = std::move(lock);
    QLocalServer::removeServer(endpoint->name);
    m_local.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_local.listen(endpoint->name)) {
        return m_local.errorString();
    }
    return std::nullopt;
}

int Server::heldObjects() const {
    int n = 0;
    for (const auto& s : m_sessions) {
        n += s->heldObjects();
    }
    return n;
}

void Server::accept() {
    while (QLocalSocket* socket = m_local.nextPendingConnection()) {
        if (!peerIsCurrentUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ClientSession::Services services{
            m_application, m_progId, m_interaction.get(),
            // Deferred: the session is still on the stack when it says it has closed.
            [this] { QTimer::singleShot(0, &m_local, [this] { removeFinished(); }); }};
        m_sessions.push_back(std::make_unique<ClientSession>(socket, std::move(services)));
    }
}

void Server::removeFinished() {
    std::erase_if(m_sessions, [](const auto& s) { return s->isFinished(); });
}

}  // namespace cad::remote
