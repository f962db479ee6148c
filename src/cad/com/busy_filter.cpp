// BusyFilter: retrying rejected calls, painting while a call is out.
#include "cad/com/busy_filter.h"

#include "cad/busy_wait.h"

namespace cad::com {

BusyFilter::BusyFilter(RetryPolicy policy, std::function<void()> onWaiting)
    : m_policy(policy), m_onWaiting(std::move(onWaiting)) {
    CoRegisterMessageFilter(this, &m_previous);
}

BusyFilter::~BusyFilter() {
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(m_previous, &ours);
    if (m_previous != nullptr) {
        m_previous->Release();  // the reference registering it again took
    }
}

HRESULT BusyFilter::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
        *out = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

DWORD BusyFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD BusyFilter::RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) {
    if ((rejectType != SERVERCALL_RETRYLATER && rejectType != SERVERCALL_REJECTED) ||
        !waitsForBusyCad()) {
        return static_cast<DWORD>(-1);
    }
    const DWORD pause = m_policy.decide(elapsedMs);
    if (pause != static_cast<DWORD>(-1) && m_onWaiting) {
        m_onWaiting();
    }
    return pause;
}

DWORD BusyFilter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace cad::com
