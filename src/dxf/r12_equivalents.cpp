// R12 equivalents of multiline texts and splines.
#include "dxf/r12_equivalents.h"

#include "core/fit_spline.h"
#include "core/mtext_format.h"
#include "dxf/drawing_origin.h"
#include "dxf/tag.h"

#include <algorithm>
#include <cmath>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;
using cad::Member;

core::Vector3 vector(const cad::Point& p) {
    return {p.x, p.y, p.z};
}

// A polyline with its vertices and SEQEND, in the spline's layer, linetype and colour: flat at
// the elevation of its points when they share one, a 3D polyline otherwise.
Tags polylineRecords(const memory::Entity& spline, const std::vector<double>& points,
                     const RecordPlace& place, const std::function<quint64()>& nextHandle) {
    const memory::KindSpec& polyline = memory::kindByDxfName(u"POLYLINE"_s);
    bool flat = true;
    for (size_t i = 2; i < points.size(); i += 3)
        flat = flat && points[i] == points[2];
    Tags tags = entityRecord(polyline, spline.values().first(size_t(memory::kCommonSlots)),
                             spline.handle(), place);
    const QByteArray layer = place.encoding->encodeText(spline.layer());
    tags.insert(tags.end(), {{66, "1"_ba},
                             {10, "0.0"_ba},
                             {20, "0.0"_ba},
                             {30, formatDouble(flat && !points.empty() ? points[2] : 0)},
                             {70, flat ? "0"_ba : "8"_ba}});
    auto part = [&](QByteArrayView type) {
        tags.emplace_back(0, type.toByteArray());
        if (place.handles)
            tags.emplace_back(5, handleText(nextHandle()));
        if (place.paper)
            tags.emplace_back(67, "1"_ba);
        tags.emplace_back(8, layer);
    };
    for (size_t i = 0; i + 2 < points.size(); i += 3) {
        part("VERTEX");
        tags.insert(tags.end(), {{10, formatDouble(points[i])},
                                 {20, formatDouble(points[i + 1])},
                                 {30, formatDouble(flat ? 0 : points[i + 2])},
                                 {70, flat ? "0"_ba : "32"_ba}});
    }
    part("SEQEND");
    return tags;
}

}  // namespace

bool isR12Kind(QStringView dxfName) {
    static const QStringList kinds = {
        u"LINE"_s,   u"POINT"_s,  u"CIRCLE"_s, u"ARC"_s,      u"TRACE"_s,    u"SOLID"_s,
        u"TEXT"_s,   u"SHAPE"_s,  u"INSERT"_s, u"ATTDEF"_s,   u"ATTRIB"_s,   u"POLYLINE"_s,
        u"VERTEX"_s, u"SEQEND"_s, u"3DFACE"_s, u"VIEWPORT"_s, u"DIMENSION"_s};
    return kinds.contains(dxfName);
}

bool hasR12Equivalent(const memory::KindSpec& kind) {
    return !r12EquivalentName(kind.dxfName).isEmpty();
}

QString r12EquivalentName(QStringView dxfName) {
    if (dxfName == u"MTEXT") {
        return u"TEXT"_s;
    }
    return dxfName == u"SPLINE" ? u"POLYLINE"_s : QString();
}

std::vector<std::vector<cad::Value>> textsForMtext(const memory::Entity& mtext) {
    const memory::KindSpec& text = memory::kinds::text();
    const QStringList lines = core::mtextParagraphs(mtext.value(Member::TextString).toText());
    const double height = mtext.value(Member::Height).toDouble();
    const double rotation = mtext.value(Member::Rotation).toDouble();
    const cad::Point anchor = mtext.value(Member::InsertionPoint).toPoint();
    const int attachment = std::clamp(mtext.value(Member::AttachmentPoint).toInt(), 1, 9);
    const int column = (attachment - 1) % 3;  // left, centre, right: TEXT's alignment 0, 1, 2
    const double cosine = std::cos(rotation);
    const double sine = std::sin(rotation);
    double depth = core::mtextFirstBaselineDepth(attachment, lines.size(), height);

    std::vector<std::vector<cad::Value>> texts;
    for (const QString& line : lines) {
        const cad::Point at{anchor.x + depth * sine, anchor.y - depth * cosine, anchor.z};
        depth += core::kMtextLineSpacing * height;
        if (line.trimmed().isEmpty()) {
            continue;
        }
        std::vector<cad::Value> values;
        values.reserve(text.members.size());
        for (const memory::MemberSpec& declared : text.members) {
            values.push_back(declared.defaultValue);
        }
        for (int slot = 0; slot < memory::kCommonSlots; ++slot) {
            values[size_t(slot)] = mtext.slotValue(slot);
        }
        auto set = [&](Member m, cad::Value v) { values[size_t(text.slot(m))] = std::move(v); };
        set(Member::TextString, line);
        set(Member::InsertionPoint, at);
        set(Member::TextAlignmentPoint, column == 0 ? cad::Point{} : at);
        set(Member::Height, height);
        set(Member::Rotation, rotation);
        set(Member::StyleName, mtext.value(Member::StyleName));
        set(Member::HorizontalAlignment, column);
        texts.push_back(std::move(values));
    }
    return texts;
}

std::vector<double> polylineForSpline(const memory::Entity& spline) {
    const std::vector<double> fit = spline.value(Member::FitPoints).toDoubles();
    double extent = 0;
    for (int axis = 0; axis < 3; ++axis) {
        double low = HUGE_VAL;
        double high = -HUGE_VAL;
        for (size_t i = size_t(axis); i < fit.size(); i += 3) {
            low = std::min(low, fit[i]);
            high = std::max(high, fit[i]);
        }
        extent = std::max(extent, high - low);
    }
    // A little under the promise, so that rounding in the written coordinates cannot break it.
    return core::fitSplinePolyline(fit, vector(spline.value(Member::StartTangent).toPoint()),
                                   vector(spline.value(Member::EndTangent).toPoint()),
                                   0.9 * extent / 1000);
}

Tags r12EquivalentRecords(const memory::Entity& entity, const RecordPlace& place,
                          const std::function<quint64()>& nextHandle) {
    if (&entity.kind() != &memory::kinds::mtext())
        return polylineRecords(entity, polylineForSpline(entity), place, nextHandle);
    Tags tags;
    bool first = true;
    for (const std::vector<cad::Value>& values : textsForMtext(entity)) {
        const Tags one = entityRecord(memory::kinds::text(), values,
                                      first ? entity.handle() : nextHandle(), place);
        tags.insert(tags.end(), one.begin(), one.end());
        first = false;
    }
    return tags;
}

}  // namespace dxf
