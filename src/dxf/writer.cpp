// The DXF writer: every record's tags in file order, in the file's own line layout.
#include "dxf/writer.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kFlushSize = 1 << 20;

// Group codes in the file's layout with their line end, formatted once per code.
class CodeLines {
public:
    CodeLines(bool pad, QByteArrayView newline) : m_pad(pad), m_newline(newline) {
        for (int code = 0; code < kCached; ++code)
            m_lines[code] = format(code);
    }

    QByteArrayView line(int code) {
        if (code >= 0 && code < kCached)
            return m_lines[code];
        m_other = format(code);
        return m_other;
    }

private:
    static constexpr int kCached = 1072;

    QByteArray format(int code) const {
        char buffer[16];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, code);
        Q_ASSERT(ec == std::errc());
        const qsizetype length = end - buffer;
        QByteArray text;
        if (m_pad && length < 3)
            text.fill(' ', 3 - length);
        text.append(buffer, length);
        text += m_newline;
        return text;
    }

    bool m_pad;
    QByteArrayView m_newline;
    QByteArray m_lines[kCached];
    QByteArray m_other;
};

QByteArrayView newlineOf(LineEnding ending) {
    switch (ending) {
        case LineEnding::Lf:
            return "\n";
        case LineEnding::CrLf:
            return "\r\n";
        case LineEnding::Cr:
            return "\r";
    }
    return "\n";
}

// Writes the records in file order, either into one array or through a device in pieces.
class Writer {
public:
    Writer(const Document& document, QIODevice* device)
        : m_document(document),
          m_device(device),
          m_newline(newlineOf(document.layout().lineEnding)),
          m_codes(document.layout().padCodes, m_newline) {}

    void writeDocument() {
        reserve(m_device ? kFlushSize : measure());
        put(m_document.layout().bom);
        forEachRecord([this](Record record) { writeRecord(record); });
        const Document& doc = m_document;
        if (doc.eof().isEmpty()) {
            writeTag(Tag(0, "EOF"));
        } else {
            // The last value goes out without its line end: the trailer holds the file's own.
            const std::span<const Tag> eof = doc.tags(doc.eof());
            for (size_t i = 0; i + 1 < eof.size(); ++i)
                writeTag(eof[i]);
            put(m_codes.line(eof.back().code()));
            put(eof.back().value());
            put(doc.trailer());
        }
        flush();
    }

    QByteArray takeBytes() {
        m_out.truncate(m_used);
        return std::move(m_out);
    }
    bool failed() const { return m_failed; }
    qint64 written() const { return m_written; }

private:
    // Everything in front of the EOF tag, in file order.
    template <typename Visit>
    void forEachRecord(Visit visit) const {
        const Document& doc = m_document;
        visit(doc.prologue());
        for (const Section& section : doc.sections()) {
            visit(section.head);
            for (const Record& member : section.members)
                visit(member);
            for (const Group& group : section.groups) {
                visit(group.head);
                for (const Record& member : group.members)
                    visit(member);
                visit(group.tail);
            }
            visit(section.tail);
        }
    }

    // The exact size of the output, so the array is allocated once.
    qsizetype measure() {
        qsizetype size = m_document.layout().bom.size() + m_document.trailer().size();
        const auto add = [&](Record record) {
            for (const Tag& tag : m_document.tags(record))
                size += m_codes.line(tag.code()).size() + tag.value().size() + m_newline.size();
        };
        forEachRecord(add);
        add(m_document.eof());
        return size + 16;
    }

    void reserve(qsizetype size) {
        m_out = QByteArray(size, Qt::Uninitialized);
        m_used = 0;
    }

    // Copies into the array; QByteArray::append costs more than the copy for pieces this small.
    void put(QByteArrayView piece) {
        if (piece.size() > m_out.size() - m_used)
            makeRoom(piece);
        if (piece.isEmpty())
            return;
        std::memcpy(m_out.data() + m_used, piece.data(), size_t(piece.size()));
        m_used += piece.size();
    }

    void makeRoom(QByteArrayView& piece) {
        if (!m_device) {
            m_out.resize(std::max(m_out.size() * 2, m_used + piece.size()));
            return;
        }
        flush();
        if (piece.size() > m_out.size()) {  // a value larger than the buffer goes out directly
            writeToDevice(piece);
            piece = {};
        }
    }

    void writeTag(const Tag& tag) {
        put(m_codes.line(tag.code()));
        put(tag.value());
        put(m_newline);
    }

    void writeRecord(Record record) {
        for (const Tag& tag : m_document.tags(record))
            writeTag(tag);
    }

    void flush() {
        if (!m_device)
            return;
        writeToDevice(QByteArrayView(m_out.constData(), m_used));
        m_used = 0;
    }

    void writeToDevice(QByteArrayView bytes) {
        if (m_failed || bytes.isEmpty())
            return;
        const qint64 written = m_device->write(bytes.data(), bytes.size());
        if (written != bytes.size())
            m_failed = true;
        else
            m_written += written;
    }

    const Document& m_document;
    QIODevice* m_device;
    QByteArrayView m_newline;
    CodeLines m_codes;
    QByteArray m_out;
    qsizetype m_used = 0;
    bool m_failed = false;
    qint64 m_written = 0;
};

}  // namespace

QByteArray writeBytes(const Document& document) {
    Writer writer(document, nullptr);
    writer.writeDocument();
    return writer.takeBytes();
}

Result<qint64> writeTo(const Document& document, QIODevice& device) {
    Writer writer(document, &device);
    writer.writeDocument();
    if (!writer.failed())
        return writer.written();
    const auto* file = qobject_cast<QFileDevice*>(&device);
    const QString name = file ? file->fileName() : document.fileName();
    return Error{name, 0, u"cannot write the file: %1"_s.arg(device.errorString())};
}

}  // namespace dxf
