// Encoding and checked decoding of requests, answers and values.
#include "cad/remote/message.h"

namespace cad::remote {

namespace {

enum class Tag : std::uint8_t {
    Empty,
    Bool,
    Int,
    Double,
    Text,
    Point,
    Doubles,
    Object,
    Objects,
};

enum class Status : std::uint8_t { Ok, Failed, Records };

ObjectRef readObject(Reader& r, ObjectIds& ids) {
    // Id 0 stands for no object (an unset reference).
    const std::uint32_t id = r.u32();
    if (r.failed() || id == 0) {
        return nullptr;
    }
    ObjectRef object = ids.objectOf(id);
    if (!object) {
        r.fail(QStringLiteral("对象编号无效"));
    }
    return object;
}

}  // namespace

void writeValue(Writer& w, const Value& v, ObjectIds& ids) {
    if (v.holds<bool>()) {
        w.u8(static_cast<std::uint8_t>(Tag::Bool));
        w.u8(v.toBool() ? 1 : 0);
    } else if (v.holds<int>()) {
        w.u8(static_cast<std::uint8_t>(Tag::Int));
        w.i32(v.toInt());
    } else if (v.holds<double>()) {
        w.u8(static_cast<std::uint8_t>(Tag::Double));
        w.f64(v.toDouble());
    } else if (v.holds<QString>()) {
        w.u8(static_cast<std::uint8_t>(Tag::Text));
        w.text(v.toText());
    } else if (v.holds<Point>()) {
        const Point p = v.toPoint();
        w.u8(static_cast<std::uint8_t>(Tag::Point));
        w.f64(p.x);
        w.f64(p.y);
        w.f64(p.z);
    } else if (v.holds<std::vector<double>>()) {
        const std::vector<double> d = v.toDoubles();
        w.u8(static_cast<std::uint8_t>(Tag::Doubles));
        w.u32(static_cast<std::uint32_t>(d.size()));
        for (double x : d) {
            w.f64(x);
        }
    } else if (v.holds<ObjectRef>()) {
        // An unset reference travels as id 0 (toObject() refuses to hand one out).
        const bool unset = v == Value(ObjectRef());
        w.u8(static_cast<std::uint8_t>(Tag::Object));
        w.u32(unset ? 0 : ids.idOf(v.toObject()));
    } else if (v.holds<ObjectList>()) {
        const ObjectList& list = v.toObjects();
        w.u8(static_cast<std::uint8_t>(Tag::Objects));
        w.u32(static_cast<std::uint32_t>(list.size()));
        for (const ObjectRef& o : list) {
            w.u32(ids.idOf(o));
        }
    } else {
        w.u8(static_cast<std::uint8_t>(Tag::Empty));
    }
}

Value readValue(Reader& r, ObjectIds& ids) {
    const auto tag = static_cast<Tag>(r.u8());
    if (r.failed()) {
        return {};
    }
    switch (tag) {
        case Tag::Empty:
            return {};
        case Tag::Bool: {
            const std::uint8_t b = r.u8();
            if (b > 1) {
                r.fail(QStringLiteral("布尔值无效"));
            }
            return b == 1;
        }
        case Tag::Int:
            return r.i32();
        case Tag::Double:
            return r.f64();
        case Tag::Text:
            return r.text();
        case Tag::Point: {
            Point p;
            p.x = r.f64();
            p.y = r.f64();
            p.z = r.f64();
            return p;
        }
        case Tag::Doubles: {
            std::vector<double> d(r.count(8));
            for (double& x : d) {
                x = r.f64();
            }
            return d;
        }
        case Tag::Object:
            return readObject(r, ids);
        case Tag::Objects: {
            ObjectList list(r.count(4));
            for (ObjectRef& o : list) {
                o = readObject(r, ids);
            }
            return list;
        }
    }
    r.fail(QStringLiteral("值的类型无效"));
    return {};
}

QByteArray encodeRequest(const Request& request, ObjectIds& ids) {
    Writer w;
    w.u8(static_cast<std::uint8_t>(request.kind));
    w.u32(request.serial);
    switch (request.kind) {
        case RequestKind::Hello:
            w.text(request.name);
            break;
        case RequestKind::Get:
        case RequestKind::Put:
        case RequestKind::Call:
            w.u32(request.object);
            w.text(request.name);
            if (request.kind == RequestKind::Put) {
                Q_ASSERT(request.values.size() == 1);
                writeValue(w, request.values.front(), ids);
            } else if (request.kind == RequestKind::Call) {
                w.u32(static_cast<std::uint32_t>(request.values.size()));
                for (const Value& v : request.values) {
                    writeValue(w, v, ids);
                }
            }
            break;
        case RequestKind::Release:
            w.u32(static_cast<std::uint32_t>(request.released.size()));
            for (std::uint32_t id : request.released) {
                w.u32(id);
            }
            break;
        case RequestKind::ItemRange:
            w.u32(request.object);
            w.i32(request.first);
            w.u32(request.count);
            w.u32(static_cast<std::uint32_t>(request.members.size()));
            for (const QString& m : request.members) {
                w.text(m);
            }
            break;
    }
    return w.bytes();
}

Request decodeRequest(Reader& r, ObjectIds& ids) {
    Request request;
    const std::uint8_t kind = r.u8();
    request.serial = r.u32();
    if (r.failed()) {
        return request;
    }
    request.kind = static_cast<RequestKind>(kind);
    switch (request.kind) {
        case RequestKind::Hello:
            request.name = r.text();
            break;
        case RequestKind::Get:
        case RequestKind::Put:
        case RequestKind::Call:
            request.object = r.u32();
            request.name = r.text();
            if (request.kind == RequestKind::Put) {
                request.values.push_back(readValue(r, ids));
            } else if (request.kind == RequestKind::Call) {
                // Each argument takes at least its tag byte.
                const std::uint32_t n = r.count(1);
                if (n > kMaxArguments) {
                    r.fail(QStringLiteral("参数过多"));
                }
                for (std::uint32_t i = 0; i < n && !r.failed(); ++i) {
                    request.values.push_back(readValue(r, ids));
                }
            }
            break;
        case RequestKind::Release:
            request.released.resize(r.count(4));
            for (std::uint32_t& id : request.released) {
                id = r.u32();
            }
            break;
        case RequestKind::ItemRange: {
            request.object = r.u32();
            request.first = r.i32();
            request.count = r.u32();
            if (request.count == 0 || request.count > kMaxRangeItems) {
                r.fail(QStringLiteral("范围的长度无效"));
            }
            const std::uint32_t n = r.count(4);
            if (n > kMaxRangeMembers) {
                r.fail(QStringLiteral("成员过多"));
            }
            for (std::uint32_t i = 0; i < n && !r.failed(); ++i) {
                request.members.append(r.text());
            }
            break;
        }
        default:
            r.fail(QStringLiteral("未知的请求类型"));
            return request;
    }
    if (!r.failed() && !r.atEnd()) {
        r.fail(QStringLiteral("消息末尾有多余的数据"));
    }
    return request;
}

namespace {

void writeOutcome(Writer& w, const Outcome& o, ObjectIds& ids) {
    w.u8(static_cast<std::uint8_t>(o.error ? Status::Failed : Status::Ok));
    if (o.error) {
        w.text(*o.error);
    } else {
        writeValue(w, o.value, ids);
    }
}

Outcome readOutcome(Reader& r, ObjectIds& ids) {
    Outcome o;
    const auto status = static_cast<Status>(r.u8());
    if (status == Status::Failed) {
        o.error = r.text();
    } else if (status == Status::Ok) {
        o.value = readValue(r, ids);
    } else {
        r.fail(QStringLiteral("回答的状态无效"));
    }
    return o;
}

}  // namespace

namespace {

std::size_t encodedTextSize(const QString& s) {
    return 4 + 2 * static_cast<std::size_t>(s.size());
}

// What writeValue writes, counted.
std::size_t encodedSize(const Value& v) {
    std::size_t data = 0;
    if (v.holds<bool>()) {
        data = 1;
    } else if (v.holds<int>() || v.holds<ObjectRef>()) {
        data = 4;
    } else if (v.holds<double>()) {
        data = 8;
    } else if (v.holds<QString>()) {
        data = encodedTextSize(v.toText());
    } else if (v.holds<Point>()) {
        data = 24;
    } else if (v.holds<std::vector<double>>()) {
        data = 4 + 8 * v.toDoubles().size();
    } else if (v.holds<ObjectList>()) {
        data = 4 + 4 * v.toObjects().size();
    }
    return 1 + data;
}

}  // namespace

std::size_t encodedSize(const ItemRecord& record) {
    std::size_t size = encodedSize(record.item);
    for (const Outcome& o : record.members) {
        size += 1 + (o.error ? encodedTextSize(*o.error) : encodedSize(o.value));
    }
    return size;
}

QByteArray encodeAnswer(const Answer& answer, ObjectIds& ids) {
    Writer w;
    if (!answer.records.empty()) {
        w.u8(static_cast<std::uint8_t>(Status::Records));
        w.u32(answer.serial);
        w.u32(static_cast<std::uint32_t>(answer.records.size()));
        w.u32(static_cast<std::uint32_t>(answer.records.front().members.size()));
        for (const ItemRecord& record : answer.records) {
            Q_ASSERT(record.members.size() == answer.records.front().members.size());
            writeValue(w, record.item, ids);
            for (const Outcome& o : record.members) {
                writeOutcome(w, o, ids);
            }
        }
        return w.bytes();
    }
    w.u8(static_cast<std::uint8_t>(answer.error ? Status::Failed : Status::Ok));
    w.u32(answer.serial);
    if (answer.error) {
        w.text(*answer.error);
    } else {
        writeValue(w, answer.value, ids);
    }
    return w.bytes();
}

Answer decodeAnswer(Reader& r, ObjectIds& ids) {
    Answer answer;
    const auto status = static_cast<Status>(r.u8());
    answer.serial = r.u32();
    if (status == Status::Failed) {
        answer.error = r.text();
    } else if (status == Status::Ok) {
        answer.value = readValue(r, ids);
    } else if (status == Status::Records) {
        // Each record takes at least its item's tag byte.
        const std::uint32_t n = r.count(1);
        const std::uint32_t m = r.u32();
        if (n == 0 || n > kMaxRangeItems || m > kMaxRangeMembers) {
            r.fail(QStringLiteral("范围的回答无效"));
        }
        for (std::uint32_t i = 0; i < n && !r.failed(); ++i) {
            ItemRecord record{readValue(r, ids), {}};
            for (std::uint32_t j = 0; j < m && !r.failed(); ++j) {
                record.members.push_back(readOutcome(r, ids));
            }
            answer.records.push_back(std::move(record));
        }
    } else {
        r.fail(QStringLiteral("回答的状态无效"));
    }
    if (!r.failed() && !r.atEnd()) {
        r.fail(QStringLiteral("消息末尾有多余的数据"));
    }
    return answer;
}

}  // namespace cad::remote
