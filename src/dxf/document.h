// A DXF file held as its tags, grouped into sections, tables, blocks and records.
#pragma once

#include "dxf/encoding.h"
#include "dxf/tag.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <span>
#include <utility>
#include <vector>

namespace dxf {

// A run of tags in its document's tag store: [begin, end). A record starts with its group 0
// tag (group 9 for header variables). An entity followed by its VERTEX or ATTRIB records and
// the closing SEQEND is one record, so it moves and is written as one unit.
struct Record {
    quint32 begin = 0;
    quint32 end = 0;

    constexpr qsizetype size() const { return qsizetype(end) - qsizetype(begin); }
    constexpr bool isEmpty() const { return end == begin; }
};

// TABLE ... ENDTAB in the TABLES section, BLOCK ... ENDBLK in the BLOCKS section.
struct Group {
    Record head;  // TABLE or BLOCK with its own tags
    std::vector<Record> members;
    Record tail;  // ENDTAB or ENDBLK with its own tags
};

enum class SectionKind : quint8 { Header, Classes, Tables, Blocks, Entities, Objects, Other };

struct Section {
    SectionKind kind = SectionKind::Other;
    // The group 2 value after SECTION, trimmed; like tag values, it points into the document.
    QByteArrayView name;
    Record head;                  // SECTION and its name, and whatever precedes the first member
    std::vector<Record> members;  // variables, classes, entities, objects, other records
    std::vector<Group> groups;    // tables in TABLES, block definitions in BLOCKS
    Record tail;                  // ENDSEC, and any comments up to the next section
};

// How lines end and how group codes are laid out, so an unchanged file writes back byte for
// byte. A file is written with one style throughout: the one its first line uses.
enum class LineEnding : quint8 { Lf, CrLf, Cr };

struct Layout {
    LineEnding lineEnding = LineEnding::CrLf;
    bool padCodes = true;  // group codes right-aligned in three columns, as CAD programs write
    QByteArray bom;        // a UTF-8 byte order mark some writers put first
};

// Read-only questions about a record's tags. Indices are relative to the record. The record's
// own data ends at the next group 0 tag (its VERTEX, ATTRIB or SEQEND records follow).
// Application groups (102 "{NAME" ... 102 "}") are skipped by the lookups, and xdata
// (from the first 1001) is not part of the data.
class RecordView {
public:
    RecordView() = default;
    explicit RecordView(std::span<const Tag> tags) : m_tags(tags) {}

    std::span<const Tag> tags() const { return m_tags; }
    qsizetype size() const { return qsizetype(m_tags.size()); }
    const Tag& operator[](qsizetype index) const { return m_tags[index]; }

    QByteArrayView type() const;    // group 0
    QByteArrayView handle() const;  // group 5, or 105 in a DIMSTYLE
    QByteArrayView owner() const;   // the 330 in front of the first subclass marker
    QByteArrayView layer() const;   // group 8
    QByteArrayView name() const;    // group 2 (table entries, blocks)
    std::vector<QByteArrayView> subclasses() const;  // values of the 100 markers, in order
    QByteArrayView value(int code) const;            // first occurrence, or empty

    qsizetype headEnd() const;  // index of the next group 0 tag after the first, or size()
    qsizetype dataEnd() const;  // index of the first xdata tag, or headEnd()
    // Indices of the group 0 tags: the record itself and the records it carries.
    std::vector<qsizetype> recordStarts() const;

    // First tag with code in [from, to) (to = -1: dataEnd()), or -1.
    qsizetype find(int code, qsizetype from = 0, qsizetype to = -1) const;
    // Index just past the subclass marker 100 "marker", or -1.
    qsizetype subclassBegin(QByteArrayView marker) const;
    // Where the subclass that begins at index from ends: the next 100 or 101 marker, or
    // dataEnd().
    qsizetype subclassEnd(qsizetype from) const;
    // First tag with code inside the subclass (in any of its parts when the marker repeats);
    // with an empty marker, anywhere in the data (files without subclass markers).
    qsizetype findInSubclass(QByteArrayView marker, int code) const;
    // Index of the 1001 tag that opens the application's xdata, or -1.
    qsizetype findXdata(QByteArrayView application) const;

private:
    // Index of the first tag at or after index that is not inside an application group.
    qsizetype skipApplicationGroup(qsizetype index, qsizetype to) const;

    std::span<const Tag> m_tags;
};

// The tags of one file and their structure. The document owns the bytes its tags point into:
// the file as read, and the values stored by edits. It cannot be copied, only moved.
class Document {
public:
    Document();
    Document(Document&&) noexcept;
    Document& operator=(Document&&) noexcept;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    ~Document();

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    const Layout& layout() const { return m_layout; }
    void setLayout(Layout layout) { m_layout = std::move(layout); }
    const Encoding& encoding() const { return m_encoding; }
    void setEncoding(Encoding encoding) { m_encoding = std::move(encoding); }

    std::span<const Tag> tags(Record record) const;
    RecordView view(Record record) const { return RecordView(tags(record)); }
    qsizetype tagCount() const { return qsizetype(m_tags.size()); }  // edits leave old tags

    // Comments in front of the first section.
    Record& prologue() { return m_prologue; }
    Record prologue() const { return m_prologue; }
    std::vector<Section>& sections() { return m_sections; }
    const std::vector<Section>& sections() const { return m_sections; }
    Section* section(SectionKind kind);
    const Section* section(SectionKind kind) const;
    // The EOF tag, and the bytes after its value (its line end, and whatever followed).
    Record& eof() { return m_eof; }
    Record eof() const { return m_eof; }
    const QByteArray& trailer() const { return m_trailer; }
    void setTrailer(QByteArray trailer) { m_trailer = std::move(trailer); }

    // A header variable ("$ACADVER") as the record of its 9 tag and value tags.
    const Record* headerVariable(QByteArrayView name) const;
    Record* headerVariable(QByteArrayView name);
    // The raw first value of a header variable, or empty.
    QByteArrayView headerValue(QByteArrayView name) const;
    // Sets a header variable's first value with code, adding the variable at the end of the
    // header when it is missing. Returns false when the file has no HEADER section.
    bool setHeaderValue(QByteArrayView name, int code, QByteArrayView raw);

    QString text(const Tag& tag) const { return m_encoding.decodeText(tag.value()); }

    // Edits. Values are raw text without line breaks; numeric groups take numeric text.
    // Replacing a value keeps the record where it is; inserting or removing tags moves the
    // record's tags to the end of the store, which is why records are passed by reference.
    void setValue(Record& record, qsizetype index, QByteArrayView raw);
    void setText(Record& record, qsizetype index, QStringView text);
    void insertTag(Record& record, qsizetype index, int code, QByteArrayView raw);
    void removeTags(Record& record, qsizetype index, qsizetype count = 1);
    // Sets the first code inside the subclass, inserting it at the end of the subclass's first
    // part when it is missing (for an empty marker: at the end of the data). Returns the tag's
    // index, or -1 when the record lacks the subclass.
    qsizetype setMember(Record& record, QByteArrayView subclass, int code, QByteArrayView raw);
    // A new record of the given tags, stored at the end; the caller places it in the structure.
    Record addRecord(std::span<const std::pair<int, QByteArray>> tags);

    // Used by the reader: takes the file bytes and the tags that point into them.
    void adopt(QByteArray bytes, std::vector<Tag> tags);

private:
    QByteArrayView keep(QByteArrayView raw);
    // Copies the record's tags to the end of the store unless they are already there.
    void moveToEnd(Record& record);

    QString m_fileName;
    Layout m_layout;
    Encoding m_encoding;
    QByteArray m_bytes;             // the file as read; tags point into it
    std::deque<QByteArray> m_kept;  // values stored by edits; tags point into them
    std::vector<Tag> m_tags;
    Record m_prologue;
    std::vector<Section> m_sections;
    Record m_eof;
    QByteArray m_trailer;
};

}  // namespace dxf
