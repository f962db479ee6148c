// RequestHandler: the object table and the execution of requests on the drawing.
#include "cad/remote/request_handler.h"

#include <algorithm>

#include "cad/memory/entity.h"
#include "cad/remote/frame.h"

namespace cad::remote {

std::optional<QByteArray> RequestHandler::answer(const QByteArray& payload) {
    Reader reader(payload);
    const Request request = decodeRequest(reader, *this);
    if (reader.failed()) {
        return encode(Answer{request.serial, {}, reader.failure(), {}});
    }
    if (request.kind == RequestKind::Release) {
        release(request.released);
        return std::nullopt;
    }
    return encode(execute(request));
}

Answer RequestHandler::execute(const Request& request) {
    Answer answer{request.serial, {}, std::nullopt, {}};
    if (request.kind == RequestKind::Hello) {
        if (request.name.compare(m_progId, Qt::CaseInsensitive) == 0) {
            answer.value = m_application;
        } else {
            answer.error = QStringLiteral("这里没有 %1").arg(request.name);
        }
        return answer;
    }
    if (request.kind == RequestKind::ItemRange) {
        ObjectRef target = objectOf(request.object);
        if (!target) {
            answer.error = QStringLiteral("对象编号无效");
            return answer;
        }
        return itemRange(request, *target);
    }
    const std::optional<Member> member = memberByName(request.name);
    if (!member) {
        answer.error = QStringLiteral("未知的成员：%1").arg(request.name);
        return answer;
    }
    Outcome outcome = perform(request.object, request.kind, *member, request.values);
    answer.value = std::move(outcome.value);
    answer.error = std::move(outcome.error);
    return answer;
}

Outcome RequestHandler::perform(std::uint32_t object, RequestKind kind, Member m,
                                std::span<const Value> values) {
    Outcome outcome;
    ObjectRef target = objectOf(object);
    if (!target) {
        outcome.error = QStringLiteral("对象编号无效");
        return outcome;
    }
    try {
        switch (kind) {
            case RequestKind::Get:
                outcome.value = target->Get(m);
                break;
            case RequestKind::Put:
                target->Put(m, values.front());
                break;
            default:
                outcome.value = target->Call(m, values);
                break;
        }
    } catch (const Error& e) {
        outcome.error = e.message();
    }
    return outcome;
}

Answer RequestHandler::itemRange(const Request& request, Object& collection) {
    Answer answer{request.serial, {}, std::nullopt, {}};
    std::vector<std::optional<Member>> members;
    for (const QString& name : request.members) {
        members.push_back(memberByName(name));
    }
    // The range ends early rather than outgrow a message: records after the cap are simply not
    // sent, and the client asks for them next.
    std::size_t size = kRangeAnswerHead;
    const qint64 end = qint64(request.first) + request.count;
    for (qint64 i = request.first; i < end; ++i) {
        ItemRecord record;
        try {
            const Value index(static_cast<int>(i));
            record.item = collection.Call(Member::Item, std::span<const Value>(&index, 1));
        } catch (const Error& e) {
            // Past the end, or a collection that changed under us: the range stops here. Only
            // the first item's failure is the caller's, as a plain Item call would have had it.
            if (i == request.first) {
                answer.error = e.message();
            }
            break;
        }
        for (const std::optional<Member>& m : members) {
            record.members.push_back(read(record.item, m));
        }
        const std::size_t recordSize = encodedSize(record);
        if (size + recordSize > kMaxMessage) {
            if (answer.records.empty()) {
                // One item whose members alone exceed a message: the item without them; the
                // client reads each member with a call of its own.
                record.members.clear();
                answer.records.push_back(std::move(record));
            }
            break;
        }
        size += recordSize;
        answer.records.push_back(std::move(record));
    }
    return answer;
}

Outcome RequestHandler::read(const Value& item, std::optional<Member> member) {
    if (!member) {
        return {{}, QStringLiteral("未知的成员")};
    }
    // A range carries every member the walk has read on any kind; refusing a member by throwing
    // for each entity that lacks it would cost more than the rest of the walk.
    try {
        const ObjectRef object = item.toObject();
        if (const auto* entity = dynamic_cast<const memory::Entity*>(object.get());
            entity != nullptr && !entity->hasMember(*member)) {
            entity->checkAvailable();  // an erased entity refuses every member first
            return {{}, Object::noSuchMemberText(*member)};
        }
        return {object->Get(*member), std::nullopt};
    } catch (const Error& e) {
        return {{}, e.message()};
    }
}

QByteArray RequestHandler::encode(const Answer& answer) {
    QByteArray payload = encodeAnswer(answer, *this);
    if (payload.size() > static_cast<qsizetype>(kMaxMessage)) {
        forget(answer.value);
        for (const ItemRecord& record : answer.records) {
            forget(record.item);
            for (const Outcome& o : record.members) {
                forget(o.value);
            }
        }
        payload = encodeAnswer(
            Answer{answer.serial, {}, QStringLiteral("回答超过了消息的大小上限"), {}}, *this);
    }
    return payload;
}

std::uint32_t RequestHandler::idOf(const ObjectRef& object) {
    if (!object) {
        return 0;
    }
    auto found = m_ids.constFind(object.get());
    std::uint32_t id = found != m_ids.constEnd() ? *found : 0;
    if (id == 0) {
        // After 2^32 hand-outs the counter wraps: skip 0 (no object) and ids still held.
        do {
            id = m_nextId++;
        } while (id == 0 || m_held.contains(id));
        m_ids.insert(object.get(), id);
        m_held.insert(id, Held{object, 0});
    }
    ++m_held[id].sent;
    return id;
}

ObjectRef RequestHandler::objectOf(std::uint32_t id) {
    auto found = m_held.constFind(id);
    return found != m_held.constEnd() ? found->object : nullptr;
}

void RequestHandler::release(const std::vector<std::uint32_t>& ids) {
    for (std::uint32_t id : ids) {
        auto found = m_held.find(id);
        if (found != m_held.end() && --found->sent == 0) {
            m_ids.remove(found->object.get());
            m_held.erase(found);
        }
    }
}

void RequestHandler::releaseAll() {
    m_held.clear();
    m_ids.clear();
}

void RequestHandler::forget(const Value& value) {
    // The ids counted while encoding an answer that is not sent: the client never saw them.
    std::vector<std::uint32_t> ids;
    auto collect = [&](const ObjectRef& o) {
        if (o) {
            ids.push_back(m_ids.value(o.get()));
        }
    };
    if (value.holds<ObjectList>()) {
        std::for_each(value.toObjects().begin(), value.toObjects().end(), collect);
    } else if (value.holds<ObjectRef>() && value != Value(ObjectRef())) {
        collect(value.toObject());
    }
    release(ids);
}

}  // namespace cad::remote
