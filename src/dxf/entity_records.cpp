// New entity records: the common members (defaults left out), then the kind's own members
// grouped by subclass part, in the order the member table first names each part.
#include "dxf/entity_records.h"

#include "dxf/drawing_origin.h"
#include "dxf/entity_codec.h"
#include "dxf/tag.h"

#include <algorithm>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

// What a spline defined by fit points needs besides its members: planar, degree 3, no knots or
// control points yet, and the fit point count.
void appendSplineHeader(Tags& tags, const cad::Value& fit) {
    const size_t fitPoints = fit.toDoubles().size() / 3;
    tags.insert(tags.end(), {{70, "8"_ba},
                             {71, "3"_ba},
                             {72, "0"_ba},
                             {73, "0"_ba},
                             {74, formatInteger(qint64(fitPoints))}});
}

}  // namespace

Tags entityRecord(const memory::KindSpec& kind, std::span<const cad::Value> values, quint64 handle,
                  const RecordPlace& place) {
    const KindCodec& codec = KindCodec::of(kind);
    const Encoding& encoding = *place.encoding;
    Tags tags = {{0, kind.dxfName.toLatin1()}};
    if (place.handles)
        tags.emplace_back(5, handleText(handle));
    if (place.markers) {
        tags.emplace_back(330, place.owner);
        tags.emplace_back(100, "AcDbEntity"_ba);
    }
    if (place.paper)
        tags.emplace_back(67, "1"_ba);
    for (int slot = 0; slot < memory::kCommonSlots; ++slot) {
        const cad::Value& value = values[size_t(slot)];
        const bool optional = slot != memory::kLayerSlot;
        if (optional && sameValue(value, codec.declared(slot).defaultValue))
            continue;
        if (slot == memory::kLinetypeScaleSlot && !place.markers)
            continue;  // R12 has no entity linetype scale
        appendMemberTags(tags, encoding, codec, slot, value);
    }
    std::vector<std::pair<QByteArray, int>> parts;
    for (int slot = memory::kCommonSlots; slot < codec.memberCount(); ++slot) {
        const std::pair part{codec.marker(slot), codec.part(slot)};
        if (std::find(parts.begin(), parts.end(), part) == parts.end())
            parts.push_back(part);
    }
    for (const auto& part : parts) {
        if (place.markers)
            tags.emplace_back(100, part.first);
        if (kind.dxfName == u"SPLINE")
            appendSplineHeader(tags, values[size_t(kind.slot(cad::Member::FitPoints))]);
        for (int slot = memory::kCommonSlots; slot < codec.memberCount(); ++slot) {
            if (std::pair{codec.marker(slot), codec.part(slot)} != part)
                continue;
            const memory::MemberSpec& declared = codec.declared(slot);
            const cad::Value& value = values[size_t(slot)];
            const bool tangent = declared.member == cad::Member::StartTangent ||
                                 declared.member == cad::Member::EndTangent;
            if (tangent && sameValue(value, declared.defaultValue))
                continue;  // no tangent given: the curve chooses its own
            appendMemberTags(tags, encoding, codec, slot, value);
        }
    }
    return tags;
}

}  // namespace dxf
