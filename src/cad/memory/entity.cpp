// Entity: members by table, with the refusals of a real CAD.
#include "cad/memory/entity.h"

#include <cmath>
#include <utility>

#include "cad/memory/document.h"

namespace cad::memory {

Entity::Entity(Document* document, const KindSpec& kind, quint64 handle)
    : DocNode(document), m_kind(&kind), m_handle(handle) {
    m_values.reserve(kind.members.size());
    for (const MemberSpec& memberSpec : kind.members) {
        m_values.push_back(memberSpec.defaultValue);
    }
}

const Value& Entity::value(Member m) const {
    int s = m_kind->slot(m);
    Q_ASSERT(s >= 0);
    return m_values[s];
}

void Entity::setValue(Member m, Value v) {
    int s = m_kind->slot(m);
    Q_ASSERT(s >= 0);
    m_values[s] = std::move(v);
}

int Entity::slotOrThrow(Member m) const {
    int s = m_kind->slot(m);
    if (s < 0) {
        noSuchMember(m);
    }
    return s;
}

void Entity::checkUnlocked() const {
    if (doc().isLayerLocked(m_values[kLayerSlot].toText())) {
        throw Error(QStringLiteral("实体在锁定的图层上"));
    }
}

void Entity::checkAllowed(std::uint16_t edit) const {
    if ((m_allowedEdits & edit) == 0) {
        throw Error(QStringLiteral("对象不允许此修改"));
    }
}

bool Entity::hasMember(Member m) const {
    return m == Member::EntityName || m == Member::ObjectName || m == Member::Handle ||
           m_kind->slot(m) >= 0;
}

Value Entity::get(Member m) {
    switch (m) {
        case Member::EntityName:
        case Member::ObjectName:
            return m_kind->className;
        case Member::Handle:
            return handleText();
        default:
            return m_values[slotOrThrow(m)];
    }
}

void Entity::put(Member m, const Value& value) {
    static constexpr std::uint16_t kEditOfCommonSlot[kCommonSlots] = {
        proxy_edit::kLayer, proxy_edit::kLinetype, proxy_edit::kColor, proxy_edit::kLinetypeScale};
    const int s = slotOrThrow(m);
    checkUnlocked();
    if (s < kCommonSlots) {
        checkAllowed(kEditOfCommonSlot[s]);
    }
    Value old = std::exchange(m_values[s], doc().checkedValue(m_kind->members[s], value));
    doc().record({Change::Kind::Member, s, shared_from_this(), nullptr, std::move(old)});
}

Value Entity::call(Member m, std::span<const Value>) {
    switch (m) {
        case Member::Update:
            doc().notifyChanged();
            return {};
        case Member::Delete:
            checkUnlocked();
            checkAllowed(proxy_edit::kErase);
            doc().erase(this);
            return {};
        default:
            noSuchMember(m);
    }
}

}  // namespace cad::memory
