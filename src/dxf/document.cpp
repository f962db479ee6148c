// Lookups in a document's records, and the edits that keep unchanged tags as they were read.
#include "dxf/document.h"

#include <QtGlobal>

#include <algorithm>
#include <limits>

namespace dxf {

namespace {

constexpr int kXdataStart = 1001;
constexpr int kApplicationGroup = 102;
constexpr int kSubclassMarker = 100;
constexpr int kEmbeddedObject = 101;

bool opensApplicationGroup(const Tag& tag) {
    return tag.code() == kApplicationGroup && tag.trimmedValue().startsWith('{');
}

bool isValidRaw(int code, QByteArrayView raw) {
    if (raw.contains('\n') || raw.contains('\r'))
        return false;
    return isValidValue(valueType(code), raw);
}

}  // namespace

// ---- RecordView ----

qsizetype RecordView::skipApplicationGroup(qsizetype index, qsizetype to) const {
    while (index < to && opensApplicationGroup(m_tags[index])) {
        qsizetype i = index + 1;
        while (i < to &&
               !(m_tags[i].code() == kApplicationGroup && m_tags[i].trimmedValue() == "}"))
            ++i;
        index = std::min(i + 1, to);
    }
    return index;
}

QByteArrayView RecordView::type() const {
    if (m_tags.empty() || m_tags[0].code() != 0)
        return {};
    return m_tags[0].trimmedValue();
}

QByteArrayView RecordView::handle() const {
    const int code = type() == "DIMSTYLE" ? 105 : 5;
    const qsizetype index = find(code);
    return index < 0 ? QByteArrayView() : m_tags[index].trimmedValue();
}

QByteArrayView RecordView::owner() const {
    const qsizetype marker = find(kSubclassMarker);
    const qsizetype index = find(330, 0, marker < 0 ? dataEnd() : marker);
    return index < 0 ? QByteArrayView() : m_tags[index].trimmedValue();
}

QByteArrayView RecordView::layer() const {
    return value(8);
}

QByteArrayView RecordView::name() const {
    return value(2);
}

QByteArrayView RecordView::value(int code) const {
    const qsizetype index = find(code);
    return index < 0 ? QByteArrayView() : m_tags[index].value();
}

std::vector<QByteArrayView> RecordView::subclasses() const {
    std::vector<QByteArrayView> markers;
    for (qsizetype i = find(kSubclassMarker); i >= 0; i = find(kSubclassMarker, i + 1))
        markers.push_back(m_tags[i].trimmedValue());
    return markers;
}

qsizetype RecordView::headEnd() const {
    const qsizetype size = this->size();
    for (qsizetype i = 1; i < size; ++i) {
        if (m_tags[i].code() == 0)
            return i;
    }
    return size;
}

qsizetype RecordView::dataEnd() const {
    const qsizetype end = headEnd();
    for (qsizetype i = 0; i < end; ++i) {
        if (m_tags[i].code() == kXdataStart)
            return i;
    }
    return end;
}

std::vector<qsizetype> RecordView::recordStarts() const {
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < size(); ++i) {
        if (m_tags[i].code() == 0)
            starts.push_back(i);
    }
    return starts;
}

qsizetype RecordView::find(int code, qsizetype from, qsizetype to) const {
    if (to < 0)
        to = dataEnd();
    to = std::min(to, size());
    for (qsizetype i = std::max<qsizetype>(from, 0); i < to; ++i) {
        if (code != kApplicationGroup) {
            i = skipApplicationGroup(i, to);
            if (i >= to)
                break;
        }
        if (m_tags[i].code() == code)
            return i;
    }
    return -1;
}

qsizetype RecordView::subclassBegin(QByteArrayView marker) const {
    for (qsizetype i = find(kSubclassMarker); i >= 0; i = find(kSubclassMarker, i + 1)) {
        if (m_tags[i].trimmedValue() == marker)
            return i + 1;
    }
    return -1;
}

qsizetype RecordView::subclassEnd(qsizetype from) const {
    const qsizetype end = dataEnd();
    for (qsizetype i = from; i < end; ++i) {
        i = skipApplicationGroup(i, end);
        if (i >= end)
            break;
        const int code = m_tags[i].code();
        if (code == kSubclassMarker || code == kEmbeddedObject)
            return i;
    }
    return end;
}

qsizetype RecordView::findInSubclass(QByteArrayView marker, int code) const {
    if (marker.isEmpty())
        return find(code);
    // Some kinds repeat a marker (TEXT has two AcDbText parts); each part is searched in turn.
    for (qsizetype i = find(kSubclassMarker); i >= 0; i = find(kSubclassMarker, i + 1)) {
        if (m_tags[i].trimmedValue() != marker)
            continue;
        const qsizetype index = find(code, i + 1, subclassEnd(i + 1));
        if (index >= 0)
            return index;
    }
    return -1;
}

qsizetype RecordView::findXdata(QByteArrayView application) const {
    const qsizetype end = headEnd();
    for (qsizetype i = dataEnd(); i < end; ++i) {
        if (m_tags[i].code() == kXdataStart && m_tags[i].trimmedValue() == application)
            return i;
    }
    return -1;
}

// ---- Document ----

Document::Document() = default;
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;
Document::~Document() = default;

void Document::adopt(QByteArray bytes, std::vector<Tag> tags) {
    m_bytes = std::move(bytes);
    m_tags = std::move(tags);
}

std::span<const Tag> Document::tags(Record record) const {
    Q_ASSERT(record.begin <= record.end && record.end <= m_tags.size());
    return std::span<const Tag>(m_tags).subspan(record.begin, record.size());
}

Section* Document::section(SectionKind kind) {
    for (Section& section : m_sections) {
        if (section.kind == kind)
            return &section;
    }
    return nullptr;
}

const Section* Document::section(SectionKind kind) const {
    return const_cast<Document*>(this)->section(kind);
}

Record* Document::headerVariable(QByteArrayView name) {
    Section* header = section(SectionKind::Header);
    if (!header)
        return nullptr;
    for (Record& variable : header->members) {
        if (variable.isEmpty())
            continue;
        if (m_tags[variable.begin].is(9, name))
            return &variable;
    }
    return nullptr;
}

const Record* Document::headerVariable(QByteArrayView name) const {
    return const_cast<Document*>(this)->headerVariable(name);
}

QByteArrayView Document::headerValue(QByteArrayView name) const {
    const Record* variable = headerVariable(name);
    if (!variable || variable->size() < 2)
        return {};
    return m_tags[variable->begin + 1].value();
}

bool Document::setHeaderValue(QByteArrayView name, int code, QByteArrayView raw) {
    Section* header = section(SectionKind::Header);
    if (!header)
        return false;
    if (Record* variable = headerVariable(name)) {
        const qsizetype index = view(*variable).find(code, 1, variable->size());
        if (index >= 0)
            setValue(*variable, index, raw);
        else
            insertTag(*variable, 1, code, raw);
        return true;
    }
    const std::pair<int, QByteArray> tags[] = {{9, name.toByteArray()}, {code, raw.toByteArray()}};
    header->members.push_back(addRecord(tags));
    return true;
}

QByteArrayView Document::keep(QByteArrayView raw) {
    Q_ASSERT(raw.size() <= qsizetype(std::numeric_limits<quint32>::max()));
    return m_kept.emplace_back(raw.toByteArray());
}

void Document::setValue(Record& record, qsizetype index, QByteArrayView raw) {
    Q_ASSERT(index >= 0 && index < record.size());
    Tag& tag = m_tags[record.begin + index];
    Q_ASSERT(isValidRaw(tag.code(), raw));
    tag = Tag(tag.code(), keep(raw));
}

void Document::setText(Record& record, qsizetype index, QStringView text) {
    setValue(record, index, m_encoding.encodeText(text));
}

void Document::moveToEnd(Record& record) {
    if (record.end == m_tags.size())
        return;
    const auto begin = quint32(m_tags.size());
    m_tags.reserve(m_tags.size() + record.size() + 1);
    for (quint32 i = record.begin; i < record.end; ++i)
        m_tags.push_back(m_tags[i]);
    record = Record{begin, quint32(m_tags.size())};
}

void Document::insertTag(Record& record, qsizetype index, int code, QByteArrayView raw) {
    Q_ASSERT(index >= 0 && index <= record.size());
    Q_ASSERT(isValidRaw(code, raw));
    moveToEnd(record);
    m_tags.insert(m_tags.begin() + record.begin + index, Tag(code, keep(raw)));
    ++record.end;
}

void Document::removeTags(Record& record, qsizetype index, qsizetype count) {
    Q_ASSERT(index >= 0 && count >= 0 && index + count <= record.size());
    moveToEnd(record);
    const auto first = m_tags.begin() + record.begin + index;
    m_tags.erase(first, first + count);
    record.end -= quint32(count);
}

qsizetype Document::setMember(Record& record, QByteArrayView subclass, int code,
                              QByteArrayView raw) {
    const RecordView tags = view(record);
    qsizetype insertAt = tags.dataEnd();
    if (!subclass.isEmpty()) {
        const qsizetype begin = tags.subclassBegin(subclass);
        if (begin < 0)
            return -1;
        insertAt = tags.subclassEnd(begin);
    }
    const qsizetype index = tags.findInSubclass(subclass, code);
    if (index >= 0) {
        setValue(record, index, raw);
        return index;
    }
    insertTag(record, insertAt, code, raw);
    return insertAt;
}

Record Document::addRecord(std::span<const std::pair<int, QByteArray>> tags) {
    const auto begin = quint32(m_tags.size());
    for (const auto& [code, raw] : tags) {
        Q_ASSERT(isValidRaw(code, raw));
        m_tags.emplace_back(code, keep(raw));
    }
    return Record{begin, quint32(m_tags.size())};
}

}  // namespace dxf
