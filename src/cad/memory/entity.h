// An entity of the embedded drawing: its kind's member table and one value per member.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "cad/memory/kinds.h"
#include "cad/memory/node.h"

namespace cad::memory {

// The edits an object of an add-on's class allows while the add-on is not loaded: the proxy
// capabilities its class declares (DXF group 90 of the CLASS record). Objects of every other
// kind allow them all.
namespace proxy_edit {
inline constexpr std::uint16_t kErase = 0x1;
inline constexpr std::uint16_t kColor = 0x4;
inline constexpr std::uint16_t kLayer = 0x8;
inline constexpr std::uint16_t kLinetype = 0x10;
inline constexpr std::uint16_t kLinetypeScale = 0x20;
inline constexpr std::uint16_t kAll = 0xFFFF;
}  // namespace proxy_edit

class Entity : public DocNode {
public:
    // A new entity with its kind's defaults; `handle` unique in the document.
    Entity(Document* document, const KindSpec& kind, quint64 handle);

    const KindSpec& kind() const { return *m_kind; }
    quint64 handle() const { return m_handle; }
    QString handleText() const { return QString::number(m_handle, 16).toUpper(); }

    // Direct access for the DXF layer, the drawing view and tests: no checks, no change record.
    const Value& value(Member m) const;
    void setValue(Member m, Value v);
    const Value& slotValue(int slot) const { return m_values[slot]; }
    std::span<const Value> values() const { return m_values; }
    void setSlotValue(int slot, Value v) { m_values[slot] = std::move(v); }
    void swapSlotValue(int slot, Value& v) { std::swap(m_values[slot], v); }
    QString layer() const { return m_values[kLayerSlot].toText(); }
    // Whether Get(m) finds the member at all, answered without the cost of a refusal.
    bool hasMember(Member m) const;
    std::uint16_t allowedEdits() const { return m_allowedEdits; }
    void setAllowedEdits(std::uint16_t flags) { m_allowedEdits = flags; }

protected:
    Value get(Member m) override;
    void put(Member m, const Value& value) override;
    Value call(Member m, std::span<const Value> args) override;

private:
    int slotOrThrow(Member m) const;
    void checkUnlocked() const;
    void checkAllowed(std::uint16_t edit) const;

    const KindSpec* m_kind;
    quint64 m_handle;
    std::uint16_t m_allowedEdits = proxy_edit::kAll;
    std::vector<Value> m_values;
};

}  // namespace cad::memory
