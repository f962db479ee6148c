// One of the served drawing's objects as COM sees it: an IDispatch whose calls the server runs.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <cstdint>

namespace cad::com {

class Server;

// Names are the member table's, without regard to case; a member's DISPID is its place in the
// table plus one, the same on every object. Every call goes to the server, which knows the
// object by its id in the request handler; once the server has stopped, calls fail as
// disconnected.
class ServedObject final : public IDispatch {
public:
    ServedObject(Server* server, std::uint32_t id) : m_server(server), m_id(id) {}

    std::uint32_t id() const { return m_id; }
    // The server has stopped: later calls fail, and the object is no longer its to release.
    void orphan() { m_server = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override;

private:
    ~ServedObject() = default;  // through Release only

    Server* m_server;
    std::uint32_t m_id;
    ULONG m_references = 1;
};

}  // namespace cad::com
