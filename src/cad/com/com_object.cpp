// ComObject: member ids by kind, arguments by the member's parameters, results wrapped.
#include "cad/com/com_object.h"

#include <vector>

namespace cad::com {

namespace {

using namespace Qt::StringLiterals;

bool sharedByAllObjects(Member m) {
    return m == Member::ObjectName || m == Member::EntityName || m == Member::Handle;
}

// Members whose object may be of any kind: an item of model space or of a selection set, a new
// entity.
bool givesMixedKinds(Member m) {
    return m == Member::Item || memberName(m).startsWith(u"Add");
}

}  // namespace

ComObject::ComObject(std::shared_ptr<Caller> caller, IDispatch* dispatch, QString way, bool mixed)
    : m_caller(std::move(caller)), m_dispatch(dispatch), m_way(std::move(way)), m_mixed(mixed) {}

ComObject::~ComObject() {
    m_dispatch->Release();
}

DISPID ComObject::memberId(Member m) {
    if (sharedByAllObjects(m)) {
        return m_caller->memberId(*m_dispatch, u"*"_s, m);
    }
    if (m_mixed && m_objectName.isEmpty()) {
        try {
            Get(Member::ObjectName);
        } catch (const Error&) {
            m_mixed = false;  // not a drawing object: it is known by its way
        }
    }
    return m_caller->memberId(*m_dispatch, m_objectName.isEmpty() ? m_way : m_objectName, m);
}

Value ComObject::fromResult(const Variant& result, Member m) {
    const QString way = m_way + u'.' + memberName(m).toString();
    const bool mixed = givesMixedKinds(m);
    return fromVariant(*result, [&](IDispatch* d) -> ObjectRef {
        d->AddRef();
        return std::make_shared<ComObject>(m_caller, d, way, mixed);
    });
}

Variant ComObject::argument(const Value& value) const {
    return toVariant(value, [](const ObjectRef& o) -> IDispatch* {
        auto* ours = dynamic_cast<ComObject*>(o.get());
        if (ours == nullptr) {
            throw Error(u"只能把这个 CAD 自己的对象传给它"_s);
        }
        ours->m_dispatch->AddRef();
        return ours->m_dispatch;
    });
}

Value ComObject::Get(Member m) {
    const DISPID id = memberId(m);
    const Value v = fromResult(m_caller->call(*m_dispatch, id, Access::Get, {}), m);
    if ((m == Member::ObjectName || m == Member::EntityName) && v.holds<QString>()) {
        m_objectName = v.toText();
    }
    return v;
}

void ComObject::Put(Member m, const Value& value) {
    const DISPID id = memberId(m);
    Variant v = argument(value);
    try {
        m_caller->call(*m_dispatch, id, Access::Put, std::span<Variant>(&v, 1));
    } catch (const CallFailed& e) {
        // An object is assigned by reference where the CAD declares the property so.
        if (!value.holds<ObjectRef>() || e.code() != DISP_E_MEMBERNOTFOUND) {
            throw;
        }
        m_caller->call(*m_dispatch, id, Access::PutRef, std::span<Variant>(&v, 1));
    }
}

Value ComObject::Call(Member m, std::span<const Value> args) {
    const Arity arity = memberArity(m);
    if (args.size() < std::size_t(arity.required) ||
        args.size() > std::size_t(arity.required + arity.optional)) {
        throw Error(u"%1 的参数个数不对"_s.arg(memberName(m)));
    }
    // Optional arguments left empty are left out; trailing ones are not passed at all.
    std::size_t given = args.size();
    while (given > std::size_t(arity.required) && args[given - 1].isEmpty()) {
        --given;
    }
    std::vector<Variant> variants;
    variants.reserve(given);
    for (std::size_t i = 0; i < given; ++i) {
        const bool omitted = i >= std::size_t(arity.required) && args[i].isEmpty();
        variants.push_back(omitted ? omittedArgument() : argument(args[i]));
    }
    const DISPID id = memberId(m);
    return fromResult(m_caller->call(*m_dispatch, id, Access::Call, variants), m);
}

ObjectRef applicationObject(IDispatch* application, RetryPolicy policy,
                            std::function<void()> onWaiting) {
    auto caller = std::make_shared<Caller>(policy, std::move(onWaiting));
    return std::make_shared<ComObject>(std::move(caller), application, u"Application"_s, false);
}

}  // namespace cad::com
