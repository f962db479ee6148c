// Entity kinds of the embedded drawing: each kind's members declared once, in a table that the
// automation calls and the DXF layer both read.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "cad/value.h"

namespace cad::memory {

// How a member's value is kept and checked.
enum class Type : std::uint8_t {
    Text,
    Real,
    Int,
    Point,    // DXF: x at the group code, y at code + 10, z at code + 20
    Angle,    // radians here, degrees in DXF
    Doubles,  // a flat list of points (x, y, z, x, y, z, ...), each point one group in DXF
};

// What a value must satisfy to be written; a real CAD refuses the rest.
enum class Rule : std::uint8_t {
    Any,
    Positive,      // > 0 (heights, radii, scale factors)
    NonNegative,   // >= 0 (multiline text width)
    Range,         // integer in [low, high]
    LayerName,     // an existing layer
    LinetypeName,  // an existing linetype, ByLayer or ByBlock
    StyleName,     // an existing text style
    BlockName,     // an existing block definition
};

struct MemberSpec {
    Member member;
    int dxfCode;
    Type type;
    Rule rule;
    Value defaultValue;
    int low = 0;
    int high = 0;
    // Where the member lives in a DXF record: its subclass marker (nullptr: the kind's class
    // name, or AcDbEntity for the common members) and which part when the marker repeats.
    const char* subclass = nullptr;
    int part = 0;
};

// Slots every kind starts with, in this order.
enum CommonSlot : int { kLayerSlot, kLinetypeSlot, kColorSlot, kLinetypeScaleSlot, kCommonSlots };

struct KindSpec {
    QString dxfName;                                 // "LINE"
    QString className;                               // "AcDbLine", the entity's EntityName
    std::vector<MemberSpec> members;                 // the common members first
    std::array<std::int8_t, kMemberCount> slotOf{};  // -1 where the kind has no such member

    int slot(Member m) const { return slotOf[static_cast<int>(m)]; }
};

// The kind of a DXF entity type; types without members of their own (polylines, hatches,
// dimensions, ...) get a kind with the common members only, made once per name. Safe to call
// from several threads.
const KindSpec& kindByDxfName(QStringView dxfName);

namespace kinds {
const KindSpec& line();
const KindSpec& circle();
const KindSpec& arc();
const KindSpec& text();
const KindSpec& mtext();
const KindSpec& insert();
const KindSpec& spline();
const KindSpec& point();
}  // namespace kinds

}  // namespace cad::memory
