// Reading and writing entity members by the member tables: one pass finds every member's tags.
#include "dxf/entity_codec.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <numbers>

namespace dxf {

namespace {

using memory::Type;
using namespace Qt::StringLiterals;

constexpr int kChunkCode = 3;
constexpr qsizetype kChunkLength = 250;
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kDirectionCode = 11;

// The direction vector's component a code holds (0 x, 1 y, 2 z), or -1.
int directionComponent(int code) {
    return code == kDirectionCode        ? 0
           : code == kDirectionCode + 10 ? 1
           : code == kDirectionCode + 20 ? 2
                                         : -1;
}

bool pointLike(Type type) {
    return type == Type::Point || type == Type::Doubles;
}

QByteArrayView viewOf(const Tag& tag) {
    return tag.value();
}

std::string_view stringView(QByteArrayView raw) {
    return std::string_view(raw.data(), size_t(raw.size()));
}

double number(const RecordView& record, qsizetype index, double fallback) {
    if (index < 0)
        return fallback;
    return toDouble(viewOf(record[index])).value_or(fallback);
}

// Where a member missing from the record goes: the end of its subclass part (the last part
// when the record has fewer), or the end of the data.
qsizetype placeOf(const RecordView& record, const KindCodec& codec, int slot, bool markers) {
    if (!markers)
        return record.dataEnd();
    const QByteArray& marker = codec.marker(slot);
    qsizetype begin = -1;
    int seen = 0;
    for (qsizetype i = record.find(100); i >= 0; i = record.find(100, i + 1)) {
        if (record[i].trimmedValue() != marker)
            continue;
        begin = i + 1;
        if (seen++ == codec.part(slot))
            break;
    }
    return begin < 0 ? record.dataEnd() : record.subclassEnd(begin);
}

void removeAll(Document& file, Record& record, std::vector<qsizetype> indices) {
    std::sort(indices.begin(), indices.end());
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        file.removeTags(record, *it);
}

}  // namespace

// ---- KindCodec ----

KindCodec::KindCodec(const memory::KindSpec& kind) : m_kind(&kind) {
    m_slotOf.fill(-1);
    Q_ASSERT(memberCount() <= kMaxMembers);
    const QByteArray ownMarker = kind.className.toLatin1();
    for (int slot = 0; slot < memberCount(); ++slot) {
        const memory::MemberSpec& member = declared(slot);
        if (member.subclass)
            m_markers.emplace_back(member.subclass);
        else
            m_markers.push_back(slot < memory::kCommonSlots ? "AcDbEntity"_ba : ownMarker);
        const auto known =
            std::find(m_distinctMarkers.begin(), m_distinctMarkers.end(), m_markers.back());
        m_markerIds.push_back(int(known - m_distinctMarkers.begin()));
        if (known == m_distinctMarkers.end())
            m_distinctMarkers.push_back(m_markers.back());
        const int components = pointLike(member.type) ? 3 : 1;
        for (int c = 0; c < components; ++c) {
            const int code = member.dxfCode + 10 * c;
            Q_ASSERT(code < kCodes && m_slotOf[code] < 0);
            m_slotOf[code] = qint8(slot);
            m_component[code] = qint8(c);
        }
        if (member.member == cad::Member::TextString && kind.dxfName == u"MTEXT")
            m_chunkedSlot = slot;
        if (member.member == cad::Member::Rotation && kind.dxfName == u"MTEXT")
            m_directionSlot = slot;
    }
    Q_ASSERT(m_directionSlot < 0 || m_slotOf[kDirectionCode] < 0);
}

const KindCodec& KindCodec::of(const memory::KindSpec& kind) {
    static std::mutex mutex;
    static std::unordered_map<const memory::KindSpec*, std::unique_ptr<KindCodec>> codecs;
    const std::lock_guard lock(mutex);
    auto& codec = codecs[&kind];
    if (!codec)
        codec = std::make_unique<KindCodec>(kind);
    return *codec;
}

int KindCodec::markerIdOf(QByteArrayView marker) const {
    for (size_t i = 0; i < m_distinctMarkers.size(); ++i) {
        if (m_distinctMarkers[i] == marker)
            return int(i);
    }
    return -1;
}

int KindCodec::countCode(int slot) const {
    return declared(slot).member == cad::Member::FitPoints ? 74 : 0;
}

// ---- MemberTags ----

void MemberTags::find(const KindCodec& codec, RecordView record) {
    m_codec = &codec;
    m_record = record;
    m_hasMarkers = false;
    const size_t count = size_t(codec.memberCount());
    std::fill_n(m_at.begin(), count, std::array<qsizetype, 3>{-1, -1, -1});
    std::fill_n(m_anywhere.begin(), count, std::array<qsizetype, 3>{-1, -1, -1});
    m_list.clear();
    m_chunks.clear();
    m_direction.fill(-1);
    m_space = -1;
    m_owner = -1;

    constexpr int kNoMarkerYet = -2;
    int marker = kNoMarkerYet;
    // The data ends at the record's xdata or at the next record it carries.
    const qsizetype end = record.size();
    for (qsizetype i = 1; i < end; ++i) {
        const Tag& tag = record[i];
        const int code = tag.code();
        if (code == 0 || code == 1001)
            break;
        if (code == 67 && m_space < 0)
            m_space = i;
        if (code == 330 && m_owner < 0 && !m_hasMarkers)
            m_owner = i;
        if (code == 102 && tag.trimmedValue().startsWith('{')) {
            while (i + 1 < end &&
                   !(record[i + 1].code() == 102 && record[i + 1].trimmedValue() == "}"))
                ++i;
            ++i;
            continue;
        }
        if (code == 100 || code == 101) {
            marker = code == 100 ? codec.markerIdOf(tag.trimmedValue()) : -1;
            m_hasMarkers = true;
            continue;
        }
        if (code == kChunkCode && codec.chunkedSlot() >= 0) {
            if (marker == kNoMarkerYet || marker == codec.markerId(codec.chunkedSlot()))
                m_chunks.push_back(i);
            continue;
        }
        const int slot = codec.slotOf(code);
        if (slot < 0) {
            const int direction = codec.directionSlot();
            const int component = directionComponent(code);
            if (direction >= 0 && component >= 0 &&
                (marker == kNoMarkerYet || marker == codec.markerId(direction)) &&
                m_direction[size_t(component)] < 0)
                m_direction[size_t(component)] = i;
            continue;
        }
        const int component = codec.componentOf(code);
        const bool own = marker == kNoMarkerYet || marker == codec.markerId(slot);
        if (codec.declared(slot).type == Type::Doubles) {
            if (own)
                m_list.push_back(i);
            continue;
        }
        auto& at = m_at[size_t(slot)][size_t(component)];
        if (own && at < 0)
            at = i;
        auto& anywhere = m_anywhere[size_t(slot)][size_t(component)];
        if (anywhere < 0)
            anywhere = i;
    }
}

bool MemberTags::inPaperSpace() const {
    return m_space >= 0 && toInteger(viewOf(m_record[m_space])).value_or(0) == 1;
}

QByteArrayView MemberTags::owner() const {
    return m_owner >= 0 ? m_record[m_owner].trimmedValue() : QByteArrayView();
}

std::optional<double> MemberTags::directionAngle() const {
    if (m_direction[0] < 0 || m_direction[1] < 0)
        return std::nullopt;
    const double x = number(m_record, m_direction[0], 0);
    const double y = number(m_record, m_direction[1], 0);
    if (!std::isfinite(x) || !std::isfinite(y) || (x == 0 && y == 0))
        return std::nullopt;
    const double angle = std::atan2(y, x);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

qsizetype MemberTags::at(int slot, int component) const {
    const qsizetype own = m_at[size_t(slot)][size_t(component)];
    return own >= 0 ? own : m_anywhere[size_t(slot)][size_t(component)];
}

cad::Value MemberTags::value(int slot, const Encoding& encoding, NameCache& names) const {
    const memory::MemberSpec& declared = m_codec->declared(slot);
    const qsizetype index = at(slot);
    switch (declared.type) {
        case Type::Text: {
            if (slot == m_codec->chunkedSlot()) {
                if (m_chunks.empty() && index < 0)
                    return declared.defaultValue;
                // Chunks may split a multi-byte character: decode the joined bytes.
                QByteArray raw;
                for (const qsizetype chunk : m_chunks)
                    raw += viewOf(m_record[chunk]);
                if (index >= 0)
                    raw += viewOf(m_record[index]);
                return encoding.decodeText(raw);
            }
            if (index < 0)
                return declared.defaultValue;
            if (declared.member == cad::Member::TextString)
                return encoding.decodeText(viewOf(m_record[index]));
            const QByteArrayView raw = m_record[index].trimmedValue();
            auto [it, added] = names.try_emplace(stringView(raw));
            if (added) {
                it->second = encoding.decodeText(raw);
                if (declared.member == cad::Member::Linetype)
                    it->second = normalLinetype(it->second);
            }
            return it->second;
        }
        case Type::Real:
            return number(m_record, index, declared.defaultValue.toDouble());
        case Type::Angle:
            if (slot == m_codec->directionSlot()) {
                if (const std::optional<double> angle = directionAngle())
                    return *angle;
            }
            return index < 0 ? declared.defaultValue
                             : cad::Value(number(m_record, index, 0) * kDegree);
        case Type::Int: {
            if (index < 0)
                return declared.defaultValue;
            const qint64 v =
                toInteger(viewOf(m_record[index])).value_or(declared.defaultValue.toInt());
            return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(),
                                          std::numeric_limits<int>::max()));
        }
        case Type::Point: {
            const cad::Point fallback = declared.defaultValue.toPoint();
            return cad::Point{number(m_record, at(slot, 0), fallback.x),
                              number(m_record, at(slot, 1), fallback.y),
                              number(m_record, at(slot, 2), fallback.z)};
        }
        case Type::Doubles: {
            std::vector<double> flat;
            flat.reserve(m_list.size());
            for (const qsizetype i : m_list) {
                const int component = m_codec->componentOf(m_record[i].code());
                const double v = number(m_record, i, 0);
                if (component == 0)
                    flat.insert(flat.end(), {v, 0.0, 0.0});
                else if (!flat.empty())
                    flat[flat.size() - 3 + size_t(component)] = v;
            }
            return flat;
        }
    }
    return declared.defaultValue;
}

// ---- writing ----

QString normalLinetype(QString name) {
    if (name.compare(u"BYLAYER"_s, Qt::CaseInsensitive) == 0)
        return u"ByLayer"_s;
    if (name.compare(u"BYBLOCK"_s, Qt::CaseInsensitive) == 0)
        return u"ByBlock"_s;
    return name;
}

bool sameValue(const cad::Value& a, const cad::Value& b) {
    auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    if (a.holds<double>() && b.holds<double>())
        return same(a.toDouble(), b.toDouble());
    if (a.holds<cad::Point>() && b.holds<cad::Point>()) {
        const cad::Point p = a.toPoint(), q = b.toPoint();
        return same(p.x, q.x) && same(p.y, q.y) && same(p.z, q.z);
    }
    if (a.holds<std::vector<double>>() && b.holds<std::vector<double>>()) {
        const auto x = a.toDoubles(), y = b.toDoubles();
        return std::equal(x.begin(), x.end(), y.begin(), y.end(), same);
    }
    return a == b;
}

std::vector<QByteArray> textChunks(const Encoding& encoding, const QString& text) {
    std::vector<QByteArray> chunks;
    qsizetype from = 0;
    while (text.size() - from > kChunkLength) {
        qsizetype length = kChunkLength;
        if (text[from + length - 1].isHighSurrogate())
            --length;  // a character outside the BMP stays in one chunk
        chunks.push_back(encoding.encodeText(QStringView(text).sliced(from, length)));
        from += length;
    }
    chunks.push_back(encoding.encodeText(QStringView(text).sliced(from)));
    return chunks;
}

namespace {

QByteArray rawOf(const memory::MemberSpec& declared, const Encoding& encoding,
                 const cad::Value& value) {
    switch (declared.type) {
        case Type::Text:
            return encoding.encodeText(value.toText());
        case Type::Real:
            return formatDouble(value.toDouble());
        case Type::Angle:
            return formatDouble(value.toDouble() / kDegree);
        case Type::Int:
            return formatInteger(value.toInt());
        case Type::Point:
        case Type::Doubles:
            break;
    }
    Q_ASSERT(false);
    return {};
}

double coordinate(const cad::Point& p, int component) {
    return component == 0 ? p.x : component == 1 ? p.y : p.z;
}

}  // namespace

void appendMemberTags(std::vector<std::pair<int, QByteArray>>& tags, const Encoding& encoding,
                      const KindCodec& codec, int slot, const cad::Value& value) {
    const memory::MemberSpec& declared = codec.declared(slot);
    if (slot == codec.chunkedSlot()) {
        const std::vector<QByteArray> chunks = textChunks(encoding, value.toText());
        for (size_t i = 0; i < chunks.size(); ++i)
            tags.emplace_back(i + 1 < chunks.size() ? kChunkCode : declared.dxfCode, chunks[i]);
        return;
    }
    if (declared.type == Type::Point) {
        const cad::Point p = value.toPoint();
        for (int c = 0; c < 3; ++c)
            tags.emplace_back(declared.dxfCode + 10 * c, formatDouble(coordinate(p, c)));
        return;
    }
    if (declared.type == Type::Doubles) {
        const std::vector<double> flat = value.toDoubles();
        for (size_t i = 0; i < flat.size(); ++i)
            tags.emplace_back(declared.dxfCode + 10 * int(i % 3), formatDouble(flat[i]));
        return;
    }
    tags.emplace_back(declared.dxfCode, rawOf(declared, encoding, value));
}

void writeMember(Document& file, Record& record, const KindCodec& codec, int slot,
                 const cad::Value& value) {
    const memory::MemberSpec& declared = codec.declared(slot);
    MemberTags tags;
    tags.find(codec, file.view(record));
    const bool markers = tags.hasMarkers();
    const Encoding& encoding = file.encoding();

    if (slot == codec.chunkedSlot() || declared.type == Type::Doubles) {
        std::vector<qsizetype> old =
            declared.type == Type::Doubles ? tags.listTags() : tags.chunkTags();
        if (declared.type == Type::Text && tags.at(slot) >= 0)
            old.push_back(tags.at(slot));
        qsizetype position = old.empty() ? placeOf(file.view(record), codec, slot, markers)
                                         : *std::min_element(old.begin(), old.end());
        removeAll(file, record, old);
        std::vector<std::pair<int, QByteArray>> fresh;
        appendMemberTags(fresh, encoding, codec, slot, value);
        for (const auto& [code, raw] : fresh)
            file.insertTag(record, position++, code, raw);
        if (const int countCode = codec.countCode(slot)) {
            const QByteArray count = formatInteger(qint64(value.toDoubles().size() / 3));
            const qsizetype index = file.view(record).find(countCode);
            if (index >= 0)
                file.setValue(record, index, count);
            else
                file.insertTag(record, placeOf(file.view(record), codec, slot, markers), countCode,
                               count);
        }
        return;
    }

    if (declared.type == Type::Point) {
        const cad::Point p = value.toPoint();
        for (int c = 0; c < 3; ++c) {
            tags.find(codec, file.view(record));
            const QByteArray raw = formatDouble(coordinate(p, c));
            const qsizetype index = tags.at(slot, c);
            if (index >= 0) {
                file.setValue(record, index, raw);
                continue;
            }
            if (c == 2 && p.z == 0)
                continue;  // a 2D record stays 2D
            const qsizetype previous = c > 0 ? tags.at(slot, c - 1) : -1;
            const qsizetype position =
                previous >= 0 ? previous + 1 : placeOf(file.view(record), codec, slot, markers);
            file.insertTag(record, position, declared.dxfCode + 10 * c, raw);
        }
        return;
    }

    const QByteArray raw = rawOf(declared, encoding, value);
    const qsizetype index = tags.at(slot);
    if (slot == codec.directionSlot() && tags.direction(0) >= 0 && tags.direction(1) >= 0) {
        // Readers take the angle from the direction vector whenever the record has one, so the
        // vector turns with the member; a group 50 beside it is kept in agreement.
        const double angle = value.toDouble();
        file.setValue(record, tags.direction(0), formatDouble(std::cos(angle)));
        file.setValue(record, tags.direction(1), formatDouble(std::sin(angle)));
        if (tags.direction(2) >= 0)
            file.setValue(record, tags.direction(2), formatDouble(0));
        if (index >= 0)
            file.setValue(record, index, raw);
        return;
    }
    if (index >= 0)
        file.setValue(record, index, raw);
    else
        file.insertTag(record, placeOf(file.view(record), codec, slot, markers), declared.dxfCode,
                       raw);
}

}  // namespace dxf
