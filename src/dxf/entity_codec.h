// An entity's members read from and written to its DXF tags, driven by the kind's member table.
#pragma once

#include "cad/memory/kinds.h"
#include "dxf/document.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace dxf {

namespace memory = cad::memory;

// What the member table implies for one kind's tags: which code feeds which member, and under
// which subclass marker each member lives.
class KindCodec {
public:
    static const KindCodec& of(const memory::KindSpec& kind);

    explicit KindCodec(const memory::KindSpec& kind);

    const memory::KindSpec& kind() const { return *m_kind; }
    int memberCount() const { return int(m_kind->members.size()); }
    const memory::MemberSpec& declared(int slot) const { return m_kind->members[size_t(slot)]; }
    // The subclass marker of a member, and which part of it when the marker repeats.
    const QByteArray& marker(int slot) const { return m_markers[size_t(slot)]; }
    int part(int slot) const { return declared(slot).part; }
    // Markers by number, so that matching a tag to its member compares integers: the number
    // of a member's marker, and of a marker in a record (-1 when no member has it).
    int markerId(int slot) const { return m_markerIds[size_t(slot)]; }
    int markerIdOf(QByteArrayView marker) const;
    // The slot and coordinate (0 x or the value, 1 y, 2 z) a code feeds, or -1.
    int slotOf(int code) const { return code >= 0 && code < kCodes ? m_slotOf[code] : -1; }
    int componentOf(int code) const { return code >= 0 && code < kCodes ? m_component[code] : 0; }
    // The text member whose value continues over group 3 chunks (MTEXT), or -1.
    int chunkedSlot() const { return m_chunkedSlot; }
    // The angle member that a direction vector in groups 11/21/31 gives when the record has one
    // (MTEXT's rotation: its text direction wins over group 50 in every reader), or -1.
    int directionSlot() const { return m_directionSlot; }
    // The group holding the count of a point-list member (a spline's fit points), or 0.
    int countCode(int slot) const;

    static constexpr int kCodes = 100;
    static constexpr int kMaxMembers = 16;

private:
    const memory::KindSpec* m_kind;
    std::vector<QByteArray> m_markers;
    std::vector<int> m_markerIds;
    std::vector<QByteArray> m_distinctMarkers;
    std::array<qint8, kCodes> m_slotOf{};
    std::array<qint8, kCodes> m_component{};
    int m_chunkedSlot = -1;
    int m_directionSlot = -1;
};

// Decoded names (layers, styles, linetypes, blocks) by their raw bytes: a drawing repeats a few
// names many times. The views point into the document's bytes, which outlive the cache.
using NameCache = std::unordered_map<std::string_view, QString>;

// The tags of one record's members, found in one pass over its data. Reused from record to
// record so that reading a large drawing does not allocate per entity.
class MemberTags {
public:
    void find(const KindCodec& codec, RecordView record);

    // Tag index of a member's value or coordinate, or -1.
    qsizetype at(int slot, int component = 0) const;
    // Every tag of a point-list member, or of a chunked text member's chunks, in order.
    const std::vector<qsizetype>& listTags() const { return m_list; }
    const std::vector<qsizetype>& chunkTags() const { return m_chunks; }
    // Tag index of the direction vector's x, y or z (groups 11, 21, 31), or -1.
    qsizetype direction(int component) const { return m_direction[size_t(component)]; }
    bool hasMarkers() const { return m_hasMarkers; }
    // Whether group 67 puts the record in paper space, and its owner handle (empty if none).
    bool inPaperSpace() const;
    QByteArrayView owner() const;

    // The member's value as the record holds it, the default where the record lacks it.
    cad::Value value(int slot, const Encoding& encoding, NameCache& names) const;

private:
    // The direction vector's angle in radians, in [0, 2pi); none without a usable vector.
    std::optional<double> directionAngle() const;

    const KindCodec* m_codec = nullptr;
    RecordView m_record;
    bool m_hasMarkers = false;
    using Places = std::array<std::array<qsizetype, 3>, KindCodec::kMaxMembers>;
    Places m_at;        // under the member's own marker
    Places m_anywhere;  // first occurrence anywhere
    std::vector<qsizetype> m_list;
    std::vector<qsizetype> m_chunks;
    std::array<qsizetype, 3> m_direction{};
    qsizetype m_space = -1;
    qsizetype m_owner = -1;
};

// "BYLAYER" and "BYBLOCK" as the drawing spells them; other names unchanged.
QString normalLinetype(QString name);
bool sameValue(const cad::Value& a, const cad::Value& b);

// Writes a member's value into the record, replacing its tags or adding them at the member's
// place; the record may move in the store.
void writeMember(Document& file, Record& record, const KindCodec& codec, int slot,
                 const cad::Value& value);

// The raw tags of a member's value, as a new record carries it (without subclass marker).
void appendMemberTags(std::vector<std::pair<int, QByteArray>>& tags, const Encoding& encoding,
                      const KindCodec& codec, int slot, const cad::Value& value);

// MTEXT contents split into the 250-character group 3 chunks and the final group 1.
std::vector<QByteArray> textChunks(const Encoding& encoding, const QString& text);

}  // namespace dxf
