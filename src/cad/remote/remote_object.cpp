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
    if (m_prefetchGeneration == m_connection->generation()) {
        for (const auto& [member, outcome] : m_prefetched) {
            if (member == m) {
                if (outcome.error) {
                    throw Error(*outcome.error);
                }
                return outcome.value;
            }
        }
    }
    if (m_prefetchGeneration != 0) {
        m_connection->noteWanted(m);
    }
    return m_connection->request(request(RequestKind::Get, m));
}

void RemoteObject::Put(Member m, const Value& value) {
    m_connection->forgetPrefetched();
    Request r = request(RequestKind::Put, m);
    r.values.push_back(value);
    m_connection->request(std::move(r));
}

Value RemoteObject::Call(Member m, std::span<const Value> args) {
    if (m == Member::Item && args.size() == 1 && args.front().holds<int>()) {
        return m_connection->item(m_id, args.front().toInt());
    }
    // Any other call may change the drawing (and a pick lets the user change it).
    m_connection->forgetPrefetched();
    Request r = request(RequestKind::Call, m);
    r.values.assign(args.begin(), args.end());
    return m_connection->request(std::move(r));
}

}  // namespace cad::remote
