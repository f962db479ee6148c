// The protocol's requests and answers, and the values they carry.
#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "cad/remote/wire.h"
#include "cad/value.h"

namespace cad::remote {

// Every request starts with its kind and a serial the answer repeats. A kind not listed is
// answered with an error, so kinds can be added (a batch of requests with one answer each)
// without breaking an older peer.
enum class RequestKind : std::uint8_t {
    Hello = 1,    // text ProgID → the application object
    Get = 2,      // object, member name → value
    Put = 3,      // object, member name, value → empty
    Call = 4,     // object, member name, argument count, values → value
    Release = 5,  // count, object ids; never answered
    // collection, first index, count, member names → for each item from the first on (fewer
    // when the collection ends), the item and what reading each member gave
    ItemRange = 6,
};

inline constexpr std::uint32_t kMaxArguments = 64;
inline constexpr std::uint32_t kMaxRangeItems = 4096;
inline constexpr std::uint32_t kMaxRangeMembers = 32;

// How object references cross the wire: each side maps them to the ids the server handed out.
class ObjectIds {
public:
    virtual ~ObjectIds() = default;
    // The id to send for the object; throws cad::Error for an object this peer cannot send.
    virtual std::uint32_t idOf(const ObjectRef& object) = 0;
    // The object behind a received id; null for an id that is not known.
    virtual ObjectRef objectOf(std::uint32_t id) = 0;
};

void writeValue(Writer& w, const Value& v, ObjectIds& ids);
// A failed reader gives an empty value.
Value readValue(Reader& r, ObjectIds& ids);

struct Request {
    RequestKind kind = RequestKind::Hello;
    std::uint32_t serial = 0;
    std::uint32_t object = 0;
    QString name;               // the member, or the ProgID of a hello
    std::vector<Value> values;  // the value put or the call's arguments
    std::vector<std::uint32_t> released;
    std::int32_t first = 0;  // of an item range
    std::uint32_t count = 0;
    QStringList members;
};

QByteArray encodeRequest(const Request& request, ObjectIds& ids);
// Reads a whole request; on failure the reader says why, and the serial is whatever could be
// read of it (0 when not even that).
Request decodeRequest(Reader& r, ObjectIds& ids);

// What a call gave: a value, or the message of the cad::Error it threw.
struct Outcome {
    Value value;
    std::optional<QString> error;
};

struct ItemRecord {
    Value item;
    std::vector<Outcome> members;  // in the order the range asked for them
};

struct Answer {
    std::uint32_t serial = 0;
    Value value;
    std::optional<QString> error;     // the cad::Error message the call failed with
    std::vector<ItemRecord> records;  // the answer to an item range
};

QByteArray encodeAnswer(const Answer& answer, ObjectIds& ids);
// The bytes a record takes in an encoded answer, so that a range can stop below the cap.
std::size_t encodedSize(const ItemRecord& record);
Answer decodeAnswer(Reader& r, ObjectIds& ids);

}  // namespace cad::remote
