// The COM server: the embedded drawing in the running object table, its objects as IDispatch.
#pragma once

#include <QDeadlineTimer>
#include <QHash>
#include <memory>

#include "cad/com/served_object.h"
#include "cad/com/variant.h"
#include "cad/memory/application.h"
#include "cad/remote/request_handler.h"
#include "cad/remote/serving.h"

namespace cad::com {

// sketchcad's own class, never AutoCAD's on a user's machine.
inline constexpr char16_t kSketchcadProgId[] = u"Sketchcad.Application";
CLSID sketchcadClass();

// Lives on its thread's single-threaded apartment, which it joins, with an event loop: COM
// brings the calls through the thread's messages. The objects go through the same request
// handler as the socket server's (one object table, one way of running a member); a call made
// while a pick waits, or while the CAD is made to look busy, is answered
// RPC_E_SERVERCALL_RETRYLATER, which the client tries again.
class Server : public remote::Serving {
public:
    // Serves the application in the running object table under clsid; picks share the
    // interaction given (that of a socket server of the same drawing), or get one of their own.
    Server(std::shared_ptr<memory::Application> application, const CLSID& clsid,
           std::shared_ptr<remote::WaitingInteraction> interaction);
    Server(std::shared_ptr<memory::Application> application, const CLSID& clsid,
           remote::Picker& picker);
    ~Server() override;
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Fails when an object runs under the class already, or the table refuses it.
    std::optional<QString> listen() override;
    remote::WaitingInteraction& interaction() const override { return *m_interaction; }
    int heldObjects() const override { return m_handler.heldObjects(); }
    // Revokes the entry and disconnects every object handed out.
    void shutdown() override;
    bool isServing() const override { return m_callsUnderWay > 0; }

    // Behaves as a CAD in a command: every call is refused as busy until the time has passed.
    void refuseCallsFor(int ms) { m_busyUntil = QDeadlineTimer(ms); }

    // For ServedObject.
    HRESULT invoke(ServedObject& object, DISPID id, WORD flags, const DISPPARAMS& params,
                   VARIANT* result, EXCEPINFO* exception, UINT* badArgument);
    void released(const ServedObject& object);

private:
    // The IDispatch the object travels as (a new reference), and the object one of ours stands
    // for (cad::Error for any other).
    IDispatch* dispatchOf(const ObjectRef& object);
    ObjectRef objectOf(IDispatch* dispatch);
    HRESULT fail(EXCEPINFO* exception, const QString& message) const;

    std::shared_ptr<memory::Application> m_application;
    CLSID m_clsid;
    std::shared_ptr<remote::WaitingInteraction> m_interaction;
    remote::RequestHandler m_handler;
    QHash<std::uint32_t, ServedObject*> m_served;  // by handler id
    IDispatch* m_registered = nullptr;             // the application, while in the table
    DWORD m_cookie = 0;
    bool m_apartment = false;  // this server joined it and leaves it
    int m_callsUnderWay = 0;
    QDeadlineTimer m_busyUntil;
};

}  // namespace cad::com
