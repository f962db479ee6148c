// What the server does with one client's messages, apart from the socket: decode, run, answer.
#pragma once

#include <QHash>
#include <span>

#include "cad/remote/message.h"

namespace cad::remote {

// Hands out object ids to one client and keeps the objects alive until the client releases
// them (an object sent n times needs n releases) or goes away.
class RequestHandler : public ObjectIds {
public:
    RequestHandler(ObjectRef application, QString progId)
        : m_application(std::move(application)), m_progId(std::move(progId)) {}

    // The answer's payload to a request's payload; nullopt for a message that wants none.
    // Malformed input is answered with an error, never thrown or asserted on.
    std::optional<QByteArray> answer(const QByteArray& request);

    // One member access on the object an id names, as a Get, Put or Call request of it runs: the
    // value, or the error the client is told.
    Outcome perform(std::uint32_t object, RequestKind kind, Member m,
                    std::span<const Value> values);

    int heldObjects() const { return static_cast<int>(m_held.size()); }
    // Counts one hand-out of the ids fewer (the client let go of them).
    void release(const std::vector<std::uint32_t>& ids);
    void releaseAll();

    std::uint32_t idOf(const ObjectRef& object) override;
    ObjectRef objectOf(std::uint32_t id) override;

private:
    // Status, serial, record and member counts.
    static constexpr std::size_t kRangeAnswerHead = 13;

    struct Held {
        ObjectRef object;
        std::uint32_t sent = 0;  // times handed out and not yet released
    };

    Answer execute(const Request& request);
    Answer itemRange(const Request& request, Object& collection);
    static Outcome read(const Value& item, std::optional<Member> member);
    QByteArray encode(const Answer& answer);
    void forget(const Value& value);

    ObjectRef m_application;
    QString m_progId;
    QHash<std::uint32_t, Held> m_held;
    QHash<const Object*, std::uint32_t> m_ids;
    std::uint32_t m_nextId = 1;
};

}  // namespace cad::remote
