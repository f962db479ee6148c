// ServedObject: IUnknown and IDispatch plumbing; the calls themselves are the server's.
#include "cad/com/served_object.h"

#include "cad/com/server.h"

namespace cad::com {

HRESULT ServedObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ServedObject::AddRef() {
    return ++m_references;
}

ULONG ServedObject::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        if (m_server != nullptr) {
            m_server->released(*this);
        }
        delete this;
    }
    return left;
}

HRESULT ServedObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;  // late binding only: names are looked up
    return S_OK;
}

HRESULT ServedObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT ServedObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    HRESULT code = S_OK;
    for (UINT i = 0; i < count; ++i) {
        // Only the first name is a member; the others would name its parameters, which late
        // binding by position does without.
        const std::optional<Member> m =
            i == 0 ? memberByName(QStringView(reinterpret_cast<const char16_t*>(names[i])))
                   : std::nullopt;
        ids[i] = m ? DISPID(static_cast<int>(*m) + 1) : DISPID_UNKNOWN;
        if (!m) {
            code = DISP_E_UNKNOWNNAME;
        }
    }
    return code;
}

HRESULT ServedObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT* badArgument) {
    if (m_server == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (params == nullptr) {
        return E_POINTER;
    }
    AddRef();  // a pick's event loop may see the last client reference go
    const HRESULT code =
        m_server->invoke(*this, id, flags, *params, result, exception, badArgument);
    Release();
    return code;
}

}  // namespace cad::com
