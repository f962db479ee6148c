// The calls of one attach to a CAD: member ids looked up once, busy rejections waited out.
#pragma once

#include <QHash>
#include <cstdint>

#include "cad/com/busy_filter.h"
#include "cad/com/invoke.h"

namespace cad::com {

// Cross-process calls made since the program started, for the benchmark.
struct CallCounts {
    std::uint64_t invokes = 0;      // IDispatch::Invoke, each try counted
    std::uint64_t nameLookups = 0;  // IDispatch::GetIDsOfNames
};
const CallCounts& callCounts();

// Shared by every object reached from one application object.
class Caller {
public:
    // onWaiting runs once per call the CAD rejects as busy, before it is tried again.
    Caller(RetryPolicy policy, std::function<void()> onWaiting)
        : m_policy(policy), m_onWaiting(std::move(onWaiting)) {}

    // The member's DISPID on objects of the kind (a CAD's objects of one kind share their
    // DISPIDs), asked of the object the first time only. Throws cad::Error for a member the
    // object does not have.
    DISPID memberId(IDispatch& dispatch, const QString& kind, Member m);

    // invoke(), tried again while the CAD rejects it as busy (RPC_E_CALL_REJECTED or
    // RPC_E_SERVERCALL_RETRYLATER) until the policy's limit has passed since the first try; the
    // window stays painted meanwhile and takes no input. A CAD that has gone away (the server
    // process ended or cut the connection) fails as one; a CAD still busy at the limit fails as
    // CadBusy, and under a NoBusyWait a refused call does so at once.
    Variant call(IDispatch& dispatch, DISPID id, Access access, std::span<Variant> args);

private:
    RetryPolicy m_policy;
    std::function<void()> m_onWaiting;
    QHash<QString, DISPID> m_ids;  // "kind/member"
};

// Whether the failure says the CAD is gone: the server process ended or cut the connection.
bool isServerGone(HRESULT code);

}  // namespace cad::com
