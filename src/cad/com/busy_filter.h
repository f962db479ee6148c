// Calls a busy CAD rejects, tried again for a while: the GUI thread's COM message filter.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <objidl.h>

#include <functional>

namespace cad::com {

// A CAD in a command or a modal dialog rejects calls (SERVERCALL_RETRYLATER or
// SERVERCALL_REJECTED) until it is free again. A rejected call is tried again every pause until
// the limit has passed since it was first made; then it fails with RPC_E_CALL_REJECTED. Under a
// NoBusyWait it fails at once.
struct RetryPolicy {
    DWORD limitMs = 30000;
    DWORD pauseMs = 250;

    // What RetryRejectedCall answers: the pause before the next try, or -1 to give up.
    DWORD decide(DWORD elapsedMs) const {
        return elapsedMs < limitMs ? pauseMs : static_cast<DWORD>(-1);
    }
};

// The thread's message filter while it lives (CoRegisterMessageFilter); the previous one is put
// back when it goes. onWaiting runs before every new try (the hint line says the assistant
// waits for the CAD). While any call is out, COM dispatches paint messages and keeps
// keyboard and mouse input from the window (PENDINGMSG_WAITDEFPROCESS), so the window stays
// painted and takes no clicks. Incoming calls are handled as they come: the client serves none.
class BusyFilter : public IMessageFilter {
public:
    BusyFilter(RetryPolicy policy, std::function<void()> onWaiting);
    ~BusyFilter();
    BusyFilter(const BusyFilter&) = delete;
    BusyFilter& operator=(const BusyFilter&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // lives as long as its owner
    ULONG STDMETHODCALLTYPE Release() override { return 1; }  // and is never deleted by COM

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD type, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO info) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD elapsedMs,
                                              DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD elapsedMs,
                                           DWORD pendingType) override;

private:
    RetryPolicy m_policy;
    std::function<void()> m_onWaiting;
    IMessageFilter* m_previous = nullptr;
};

}  // namespace cad::com
