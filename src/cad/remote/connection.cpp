// Connection: framing, waiting for answers, and batching object releases.
#include "cad/remote/connection.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "cad/input_hold.h"
#include "cad/remote/local_endpoint.h"
#include "cad/remote/remote_object.h"

namespace cad::remote {

namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 30000;
constexpr std::size_t kReleaseBatch = 256;

std::uint64_t g_requestsSent = 0;

// Calls that wait for the user in the drawing window.
bool isInteractive(const Request& r) {
    if (r.kind != RequestKind::Call) {
        return false;
    }
    const std::optional<Member> m = memberByName(r.name);
    return m == Member::GetPoint || m == Member::SelectOnScreen;
}

}  // namespace

std::shared_ptr<Connection> Connection::open(const QString& path) {
    auto connection = std::make_shared<Connection>();
    connection->m_socket.connectToServer(path);
    if (!connection->m_socket.waitForConnected(kConnectMs)) {
        return nullptr;
    }
    // Only our own user's server gets our drawing's calls.
    if (!peerIsCurrentUser(connection->m_socket.socketDescriptor())) {
        return nullptr;
    }
    return connection;
}

Value Connection::request(Request request) {
    return exchange(std::move(request)).value;
}

Answer Connection::exchange(Request request) {
    if (m_socket.state() != QLocalSocket::ConnectedState) {
        throw Error(QStringLiteral("自动化服务器已断开"));
    }
    if (m_waitingForUser) {
        // Something the event loop ran during a pick: the stream holds the pick's answer next.
        throw Error(QStringLiteral("自动化服务器正在等待用户选择"));
    }
    request.serial = ++m_serial;
    const QByteArray message = frame(encodeRequest(request, *this));
    if (message.size() > static_cast<qsizetype>(kMaxMessage) + 4) {
        throw Error(QStringLiteral("请求过大"));
    }
    m_socket.write(takeReleases() + message);
    m_socket.flush();
    ++g_requestsSent;
    Answer answer = isInteractive(request) ? awaitUser(request.serial)
                                           : awaitAnswer(request.serial, Wait::Blocking);
    if (answer.error) {
        throw Error(*answer.error);
    }
    if (answer.records.empty() != (request.kind != RequestKind::ItemRange)) {
        fail(QStringLiteral("自动化服务器的回答与请求不符"));
    }
    return answer;
}

Value Connection::item(std::uint32_t collection, int index) {
    if (m_range.collection == collection && index >= m_range.first &&
        index - m_range.first < static_cast<int>(m_range.items.size())) {
        return m_range.items[index - m_range.first];
    }
    // Ranges grow while a walk goes on from where the last one ended.
    const bool continues = m_range.collection == collection &&
                           index == m_range.first + static_cast<int>(m_range.items.size());
    m_rangeSize = continues ? std::min(m_rangeSize * 4, kLongestRange) : kFirstRange;
    Request r;
    r.kind = RequestKind::ItemRange;
    r.object = collection;
    r.first = index;
    r.count = static_cast<std::uint32_t>(m_rangeSize);
    for (Member m : m_wanted) {
        r.members.append(memberName(m).toString());
    }
    Answer answer = exchange(std::move(r));
    m_range = Range{collection, index, {}};
    for (ItemRecord& record : answer.records) {
        if (record.item.holds<ObjectRef>() && record.item != Value(ObjectRef())) {
            std::vector<std::pair<Member, Outcome>> outcomes;
            for (std::size_t i = 0; i < m_wanted.size() && i < record.members.size(); ++i) {
                outcomes.emplace_back(m_wanted[i], std::move(record.members[i]));
            }
            static_cast<RemoteObject&>(*record.item.toObject())
                .setPrefetched(std::move(outcomes), m_generation);
        }
        m_range.items.push_back(std::move(record.item));
    }
    if (!m_forgetScheduled) {
        // The user may change the drawing once we are back in the event loop.
        m_forgetScheduled = true;
        QTimer::singleShot(0, &m_socket, [this] { forgetPrefetched(); });
    }
    return m_range.items.front();
}

void Connection::forgetPrefetched() {
    m_forgetScheduled = false;
    ++m_generation;
    m_range = {};
}

void Connection::noteWanted(Member m) {
    if (m_wanted.size() < kMaxRangeMembers &&
        std::find(m_wanted.begin(), m_wanted.end(), m) == m_wanted.end()) {
        m_wanted.push_back(m);
    }
}

Answer Connection::awaitUser(std::uint32_t serial) {
    // Whatever the event loop runs may drop the last reference to this connection.
    const std::shared_ptr<Connection> self = shared_from_this();
    m_waitingForUser = true;
    try {
        Answer answer = awaitAnswer(serial, Wait::EventLoop);
        m_waitingForUser = false;
        return answer;
    } catch (...) {
        m_waitingForUser = false;
        throw;
    }
}

Answer Connection::awaitAnswer(std::uint32_t serial, Wait wait) {
    QDeadlineTimer deadline = wait == Wait::EventLoop ? QDeadlineTimer(QDeadlineTimer::Forever)
                                                      : QDeadlineTimer(kAnswerMs);
    for (;;) {
        if (std::optional<QByteArray> payload = m_frames.next()) {
            Reader reader(*payload);
            Answer answer = decodeAnswer(reader, *this);
            if (reader.failed()) {
                fail(QStringLiteral("自动化服务器的回答无效：%1").arg(reader.failure()));
            }
            if (answer.serial != serial) {
                fail(QStringLiteral("自动化服务器的回答与请求不符"));
            }
            return answer;
        }
        if (m_frames.oversize()) {
            fail(QStringLiteral("自动化服务器的回答过大"));
        }
        if (m_socket.state() != QLocalSocket::ConnectedState) {
            fail(QStringLiteral("自动化服务器已断开"));
        }
        if (deadline.hasExpired()) {
            fail(QStringLiteral("自动化服务器没有回答"));
        }
        if (wait == Wait::EventLoop && QCoreApplication::instance()) {
            runEventLoopUntilReadable();
        } else {
            const qint64 left = deadline.remainingTime();
            m_socket.waitForReadyRead(left < 0 || left > 1000 ? 1000 : static_cast<int>(left));
        }
        m_frames.append(m_socket.readAll());
    }
}

void Connection::runEventLoopUntilReadable() {
    if (m_socket.bytesAvailable() > 0) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&m_socket, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&m_socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&m_socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    cad::InputHold hold;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Connection::fail(const QString& why) {
    m_socket.abort();
    throw Error(why);
}

void Connection::release(std::uint32_t id) {
    if (m_socket.state() != QLocalSocket::ConnectedState) {
        return;
    }
    m_released.push_back(id);
    if (m_released.size() >= kReleaseBatch) {
        sendReleases();
    } else if (!m_releaseScheduled) {
        // Sent when control is back in the event loop, if one runs before the next request.
        m_releaseScheduled = true;
        QTimer::singleShot(0, &m_socket, [this] { sendReleases(); });
    }
}

QByteArray Connection::takeReleases() {
    m_releaseScheduled = false;
    if (m_released.empty()) {
        return {};
    }
    Request r;
    r.kind = RequestKind::Release;
    r.released = std::exchange(m_released, {});
    return frame(encodeRequest(r, *this));
}

void Connection::sendReleases() {
    if (m_socket.state() == QLocalSocket::ConnectedState) {
        m_socket.write(takeReleases());
        m_socket.flush();
    }
}

std::uint64_t Connection::requestsSent() {
    return g_requestsSent;
}

std::uint32_t Connection::idOf(const ObjectRef& object) {
    if (!object) {
        return 0;
    }
    const auto* remote = dynamic_cast<const RemoteObject*>(object.get());
    if (!remote || remote->connection() != this) {
        throw Error(QStringLiteral("该对象不属于这个自动化服务器"));
    }
    return remote->id();
}

ObjectRef Connection::objectOf(std::uint32_t id) {
    return std::make_shared<RemoteObject>(shared_from_this(), id);
}

}  // namespace cad::remote
