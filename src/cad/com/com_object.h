// An automation object of a CAD reached through COM: every member access is one Invoke.
#pragma once

#include <memory>

#include "cad/com/caller.h"

namespace cad::com {

// Member ids are cached per kind of object. An object's kind is its ObjectName once known (walks
// read it first); before that, the way it was reached ("Application.ActiveDocument.Layers").
// Objects reached through Item or an Add method may be of any kind, so a member particular to
// kinds is looked up only once their ObjectName (or EntityName) is known, read first if need
// be. ObjectName,
// EntityName and Handle belong to every drawing object alike.
class ComObject : public Object {
public:
    // Takes over the caller's reference to dispatch.
    ComObject(std::shared_ptr<Caller> caller, IDispatch* dispatch, QString way, bool mixed);
    ~ComObject() override;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    Value Get(Member m) override;
    void Put(Member m, const Value& value) override;
    Value Call(Member m, std::span<const Value> args) override;

    IDispatch& dispatch() const { return *m_dispatch; }

private:
    DISPID memberId(Member m);
    Value fromResult(const Variant& result, Member m);
    Variant argument(const Value& value) const;

    std::shared_ptr<Caller> m_caller;
    IDispatch* m_dispatch;
    QString m_way;         // how it was reached
    QString m_objectName;  // once read
    bool m_mixed;          // reached where objects of several kinds are
};

// The application object of a CAD, through a reference the caller hands over.
ObjectRef applicationObject(IDispatch* application, RetryPolicy policy,
                            std::function<void()> onWaiting);

}  // namespace cad::com
