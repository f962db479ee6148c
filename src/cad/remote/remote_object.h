// An automation object that lives in the server: every member access is a request.
#pragma once

#include "cad/remote/connection.h"

namespace cad::remote {

class RemoteObject : public Object {
public:
    RemoteObject(std::shared_ptr<Connection> connection, std::uint32_t id)
        : m_connection(std::move(connection)), m_id(id) {}
    ~RemoteObject() override { m_connection->release(m_id); }
    RemoteObject(const RemoteObject&) = delete;
    RemoteObject& operator=(const RemoteObject&) = delete;

    Value Get(Member m) override;
    void Put(Member m, const Value& value) override;
    Value Call(Member m, std::span<const Value> args) override;

    const Connection* connection() const { return m_connection.get(); }
    std::uint32_t id() const { return m_id; }
    // Members read in advance along with the item range this object came in.
    void setPrefetched(std::vector<std::pair<Member, Outcome>> outcomes, std::uint64_t generation) {
        m_prefetched = std::move(outcomes);
        m_prefetchGeneration = generation;
    }

private:
    Request request(RequestKind kind, Member m) const;

    std::shared_ptr<Connection> m_connection;
    std::uint32_t m_id;
    std::vector<std::pair<Member, Outcome>> m_prefetched;
    std::uint64_t m_prefetchGeneration = 0;  // 0: never part of a range
};

}  // namespace cad::remote
