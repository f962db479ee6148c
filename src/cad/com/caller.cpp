// Caller: the DISPID cache and the busy retries.
#include "cad/com/caller.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "cad/busy_wait.h"
#include "cad/input_hold.h"

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

CallCounts g_counts;

// RPC_S_CALL_FAILED (a call in flight when the server died) and RPC_S_SERVER_UNAVAILABLE (any
// call after), as HRESULTs.
constexpr HRESULT kCallFailed = HRESULT(0x800706BEu);
constexpr HRESULT kServerUnavailable = HRESULT(0x800706BAu);

bool isBusy(HRESULT code) {
    return code == RPC_E_CALL_REJECTED || code == RPC_E_SERVERCALL_RETRYLATER;
}

// Waits with the window painted and its input held, as during a call.
void pause(DWORD ms) {
    QEventLoop loop;
    QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
    InputHold hold;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

const CallCounts& callCounts() {
    return g_counts;
}

bool isServerGone(HRESULT code) {
    switch (code) {
        case kCallFailed:
        case kServerUnavailable:
        case RPC_E_DISCONNECTED:
        case RPC_E_SERVER_DIED:
        case RPC_E_SERVER_DIED_DNE:
        case CO_E_OBJNOTCONNECTED:
            return true;
        default:
            return false;
    }
}

DISPID Caller::memberId(IDispatch& dispatch, const QString& kind, Member m) {
    const QString key = kind + u'/' + memberName(m).toString();
    if (auto found = m_ids.constFind(key); found != m_ids.constEnd()) {
        return *found;
    }
    BSTR name = toBstr(memberName(m).toString());
    DISPID id = DISPID_UNKNOWN;
    ++g_counts.nameLookups;
    const HRESULT code = dispatch.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    SysFreeString(name);
    if (FAILED(code)) {
        if (isServerGone(code)) {
            throw CallFailed(u"与 CAD 的连接已断开"_s, code);
        }
        throw CallFailed(Object::noSuchMemberText(m), code);
    }
    m_ids.insert(key, id);
    return id;
}

Variant Caller::call(IDispatch& dispatch, DISPID id, Access access, std::span<Variant> args) {
    QElapsedTimer since;
    since.start();
    bool told = false;
    for (;;) {
        try {
            ++g_counts.invokes;
            return invoke(dispatch, id, access, args);
        } catch (const CallFailed& e) {
            if (isServerGone(e.code())) {
                throw CallFailed(u"与 CAD 的连接已断开"_s, e.code());
            }
            if (!isBusy(e.code())) {
                throw;
            }
            if (!waitsForBusyCad()) {
                throw CadBusy(u"CAD 正忙"_s);
            }
            // Windows retries in COM through the message filter and reports the rejection
            // once the limit has passed; Wine reports every rejection at once.
            if (since.elapsed() >= qint64(m_policy.limitMs)) {
                throw CadBusy(u"CAD 正忙，%1 秒内没有接受调用"_s.arg(
                    QString::number(m_policy.limitMs / 1000.0)));
            }
            if (!told && m_onWaiting) {
                told = true;
                m_onWaiting();
            }
            pause(m_policy.pauseMs);
        }
    }
}

}  // namespace cad::com
