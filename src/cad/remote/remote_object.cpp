// RemoteObject: members forwarded by name.
#include "cad/remote/remote_object.h"

namespace cad::remote {

Request RemoteObject::request(RequestKind kind, Member m) const {
    Request r;
    r.kind = kind;
    r.object = m_id;
    r.name = memberName(m).toString();
    return r;
}

Value RemoteObject::Get(Member m) {
    return m_connection->request(request(RequestKind::Get, m));
}

void RemoteObject::Put(Member m, const Value& value) {
    Request r = request(RequestKind::Put, m);
    r.values.push_back(value);
    m_connection->request(std::move(r));
}

Value RemoteObject::Call(Member m, std::span<const Value> args) {
    Request r = request(RequestKind::Call, m);
    r.values.assign(args.begin(), args.end());
    return m_connection->request(std::move(r));
}

}  // namespace cad::remote
