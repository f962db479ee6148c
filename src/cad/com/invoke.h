// One late-bound call: IDispatch::Invoke with the arguments in their order.
#pragma once

#include <span>

#include "cad/com/variant.h"

namespace cad::com {

// How a member is reached: read, written, or called (a method, or a property with arguments
// such as Item, which late binding reaches either way).
enum class Access : WORD {
    Get = DISPATCH_PROPERTYGET,
    Put = DISPATCH_PROPERTYPUT,
    PutRef = DISPATCH_PROPERTYPUTREF,  // an object assigned by reference (`Set` in VBA)
    Call = DISPATCH_METHOD | DISPATCH_PROPERTYGET,
};

// A failed call: a cad::Error that keeps its HRESULT, so the client can tell a server gone from
// a call refused.
class CallFailed : public Error {
public:
    CallFailed(QString message, HRESULT code) : Error(std::move(message)), m_code(code) {}
    HRESULT code() const { return m_code; }

private:
    HRESULT m_code;
};

// Reaches member ID of DISPATCH with ARGS, first argument first (Invoke takes them last first;
// a Put or PutRef passes the new value as its one argument, named DISPID_PROPERTYPUT). The result
// is VT_EMPTY for a Put or a method that gives nothing. Throws CallFailed: with the server's own
// description when it reports the failure (DISP_E_EXCEPTION, the code then the one it gives),
// else with the HRESULT in hex and the system's text for it.
Variant invoke(IDispatch& dispatch, DISPID id, Access access, std::span<Variant> args);

}  // namespace cad::com
