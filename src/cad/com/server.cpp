// Server: the running object table entry, and each call from its DISPPARAMS to the handler and
// back.
#include "cad/com/server.h"

#include <vector>

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;
using remote::RequestKind;

constexpr int kTableStartMs = 20000;
constexpr HRESULT kTableNotRunning = HRESULT(0x800706BAu);  // RPC_S_SERVER_UNAVAILABLE

// How a call is run. A caller may read a property as a method (DISPATCH_METHOD together with
// DISPATCH_PROPERTYGET, as VBScript does): such a call without arguments is tried as a read
// first.
RequestKind kindOf(WORD flags) {
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        return RequestKind::Put;
    }
    return (flags & DISPATCH_METHOD) != 0 ? RequestKind::Call : RequestKind::Get;
}

}  // namespace

CLSID sketchcadClass() {
    CLSID clsid{};
    CLSIDFromString(reinterpret_cast<LPCOLESTR>(SKETCHCAD_CLSID), &clsid);
    return clsid;
}

Server::Server(std::shared_ptr<memory::Application> application, const CLSID& clsid,
               std::shared_ptr<remote::WaitingInteraction> interaction)
    : m_application(std::move(application)),
      m_clsid(clsid),
      m_interaction(std::move(interaction)),
      m_handler(m_application, QString::fromUtf16(kSketchcadProgId)) {
    // S_FALSE when the thread is in its apartment already; it is left as often as joined.
    m_apartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Server::Server(std::shared_ptr<memory::Application> application, const CLSID& clsid,
               remote::Picker& picker)
    : Server(application, clsid, std::make_shared<remote::WaitingInteraction>(picker)) {
    m_application->setInteraction(m_interaction);
}

Server::~Server() {
    shutdown();
    if (m_apartment) {
        CoUninitialize();
    }
}

std::optional<QString> Server::listen() {
    IUnknown* running = nullptr;
    if (SUCCEEDED(GetActiveObject(m_clsid, nullptr, &running)) && running != nullptr) {
        running->Release();
        return u"已有一个 %1 在运行"_s.arg(QString::fromUtf16(kSketchcadProgId));
    }
    IDispatch* application = dispatchOf(m_application);
    // The table lives in the system's RPC service, which a session just started (under Wine,
    // the first program of one) may not have running yet.
    HRESULT code = E_FAIL;
    for (const QDeadlineTimer deadline(kTableStartMs);;) {
        code = RegisterActiveObject(application, m_clsid, ACTIVEOBJECT_STRONG, &m_cookie);
        if (code != kTableNotRunning || deadline.hasExpired()) {
            break;
        }
        Sleep(100);
    }
    if (FAILED(code)) {
        application->Release();
        return u"无法登记到运行对象表 (0x%1)"_s.arg(quint32(code), 8, 16, QLatin1Char('0'));
    }
    m_registered = application;
    return std::nullopt;
}

void Server::shutdown() {
    m_interaction->close();
    if (m_registered != nullptr) {
        RevokeActiveObject(m_cookie, nullptr);
        m_registered->Release();
        m_registered = nullptr;
    }
    // Clients holding objects get RPC_E_DISCONNECTED from now on; the references COM held for
    // them go, and with them the objects.
    const QList<ServedObject*> served = m_served.values();
    for (ServedObject* object : served) {
        object->AddRef();
        CoDisconnectObject(object, 0);
        object->orphan();
        object->Release();
    }
    m_served.clear();
    m_handler.releaseAll();
}

HRESULT Server::fail(EXCEPINFO* exception, const QString& message) const {
    if (exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->bstrSource = toBstr(QString::fromUtf16(kSketchcadProgId));
        exception->bstrDescription = toBstr(message);
        exception->scode = E_FAIL;
    }
    return DISP_E_EXCEPTION;
}

HRESULT Server::invoke(ServedObject& object, DISPID id, WORD flags, const DISPPARAMS& params,
                       VARIANT* result, EXCEPINFO* exception, UINT* badArgument) {
    if (m_interaction->isWaiting() || !m_busyUntil.hasExpired()) {
        return RPC_E_SERVERCALL_RETRYLATER;
    }
    // DISPID_VALUE is the default member, Item, as the CAD's collections have it (`coll(0)`).
    if (id == DISPID_VALUE) {
        id = static_cast<int>(Member::Item) + 1;
    }
    if (id < 1 || id > kMemberCount) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const auto m = static_cast<Member>(id - 1);
    RequestKind kind = kindOf(flags);
    if (kind == RequestKind::Get && params.cArgs > 0) {
        kind = RequestKind::Call;  // a property read with arguments, such as Item
    }
    const bool put = kind == RequestKind::Put;
    if (params.cNamedArgs > (put ? 1u : 0u) ||
        (put && (params.cArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))) {
        return put ? DISP_E_PARAMNOTOPTIONAL : DISP_E_NONAMEDARGS;
    }
    const Arity arity = memberArity(m);
    if (!put && (params.cArgs < UINT(arity.required) ||
                 params.cArgs > UINT(arity.required + arity.optional))) {
        return DISP_E_BADPARAMCOUNT;
    }

    // Arguments come last first; those left out are empty, up to the member's full count.
    std::vector<Value> values;
    const auto objectOf = [this](IDispatch* d) { return this->objectOf(d); };
    for (UINT i = 0; i < params.cArgs; ++i) {
        try {
            values.push_back(fromVariant(params.rgvarg[params.cArgs - 1 - i], objectOf));
        } catch (const Error& e) {
            if (badArgument != nullptr) {
                *badArgument = params.cArgs - 1 - i;
            }
            return fail(exception, e.message());
        }
    }
    if (!put) {
        values.resize(std::size_t(arity.required + arity.optional));
    }

    ++m_callsUnderWay;
    remote::Outcome outcome;
    if (kind == RequestKind::Call && params.cArgs == 0 && (flags & DISPATCH_PROPERTYGET) != 0) {
        outcome = m_handler.perform(object.id(), RequestKind::Get, m, {});
        if (outcome.error == Object::noSuchMemberText(m)) {
            outcome = m_handler.perform(object.id(), RequestKind::Call, m, values);
        }
    } else {
        outcome = m_handler.perform(object.id(), kind, m, values);
    }
    --m_callsUnderWay;
    if (outcome.error) {
        return fail(exception, *outcome.error);
    }
    if (result != nullptr && !put) {
        try {
            Variant v =
                toVariant(outcome.value, [this](const ObjectRef& o) { return dispatchOf(o); });
            *result = *v;
            VariantInit(v.get());  // handed over to the caller
        } catch (const Error& e) {
            return fail(exception, e.message());
        }
    }
    return S_OK;
}

IDispatch* Server::dispatchOf(const ObjectRef& object) {
    if (!object) {
        return nullptr;
    }
    const std::uint32_t id = m_handler.idOf(object);
    if (ServedObject* served = m_served.value(id)) {
        m_handler.release({id});  // one hand-out per ServedObject; COM counts the rest
        served->AddRef();
        return served;
    }
    auto* served = new ServedObject(this, id);
    m_served.insert(id, served);
    return served;
}

ObjectRef Server::objectOf(IDispatch* dispatch) {
    for (auto it = m_served.constBegin(); it != m_served.constEnd(); ++it) {
        if (static_cast<IDispatch*>(it.value()) == dispatch) {
            return m_handler.objectOf(it.key());
        }
    }
    throw Error(u"不是本程序的对象"_s);
}

void Server::released(const ServedObject& object) {
    m_served.remove(object.id());
    m_handler.release({object.id()});
}

}  // namespace cad::com
