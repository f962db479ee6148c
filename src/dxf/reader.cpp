// The DXF reader: splits the file into tags in one pass and groups them while it goes.
#include "dxf/reader.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

constexpr QByteArrayView kBinarySentinel = "AutoCAD Binary DXF";
constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";
constexpr qsizetype kMaxFileSize = std::numeric_limits<quint32>::max();
constexpr qsizetype kQuotedLength = 40;

bool isWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QString quoted(QByteArrayView raw) {
    const bool cut = raw.size() > kQuotedLength;
    return u"\"%1%2\""_s.arg(QString::fromUtf8(raw.first(std::min(raw.size(), kQuotedLength))),
                             cut ? u"…"_s : QString());
}

// Splits the bytes into (code, value) pairs, checking that numeric groups hold numbers.
class Lexer {
public:
    enum class Step { Tag, End, Failed };

    Lexer(QByteArrayView data, char newline)
        : m_begin(data.data()),
          m_pos(data.data()),
          m_end(data.data() + data.size()),
          m_newline(newline) {}

    Step next() {
        if (m_pos == m_end)
            return Step::End;
        bool terminated = false;
        const QByteArrayView codeLine = readLine(terminated);
        const QByteArrayView codeText = trimmedBlanks(codeLine);
        m_tagLine = m_line;
        if (codeText.isEmpty() && std::all_of(m_pos, m_end, isWhitespace))
            return Step::End;  // blank lines at the end of the file

        int code = 0;
        const char* codeEnd = codeText.data() + codeText.size();
        const auto [ptr, ec] = std::from_chars(codeText.data(), codeEnd, code);
        if (ec != std::errc() || ptr != codeEnd || codeText.isEmpty())
            return fail(m_tagLine, u"group code %1 is not a number"_s.arg(quoted(codeText)));
        if (!m_codeLayoutKnown && code >= 0 && code < 100) {
            m_codeLayoutKnown = true;
            m_padCodes = codeLine.startsWith(' ') || codeLine.startsWith('\t');
        }
        if (!terminated || m_pos == m_end) {
            return fail(m_tagLine,
                        u"the file is cut short: group code %1 has no value line"_s.arg(code));
        }

        const QByteArrayView value = readLine(terminated);
        const ValueType type = valueType(code);
        if (isNumeric(type) && !isValidValue(type, value)) {
            return fail(m_line,
                        u"group code %1 needs a number, found %2"_s.arg(code).arg(quoted(value)));
        }
        m_tag = Tag(code, value);
        return Step::Tag;
    }

    const Tag& tag() const { return m_tag; }
    qint64 tagLine() const { return m_tagLine; }  // the line of the current tag's code
    qint64 lines() const { return m_line; }       // lines read so far
    qsizetype consumed() const { return m_pos - m_begin; }
    qint64 errorLine() const { return m_errorLine; }
    const QString& errorMessage() const { return m_errorMessage; }
    // Whether the first code below 100 was right-aligned; true when there was none.
    bool padCodes() const { return m_padCodes; }

private:
    QByteArrayView readLine(bool& terminated) {
        const auto* newline =
            static_cast<const char*>(std::memchr(m_pos, m_newline, size_t(m_end - m_pos)));
        terminated = newline != nullptr;
        const char* lineEnd = terminated ? newline : m_end;
        QByteArrayView line(m_pos, lineEnd - m_pos);
        if (m_newline == '\n' && line.endsWith('\r'))
            line.chop(1);
        m_pos = terminated ? newline + 1 : m_end;
        ++m_line;
        return line;
    }

    Step fail(qint64 line, QString message) {
        m_errorLine = line;
        m_errorMessage = std::move(message);
        return Step::Failed;
    }

    const char* m_begin;
    const char* m_pos;
    const char* m_end;
    char m_newline;
    qint64 m_line = 0;
    qint64 m_tagLine = 0;
    Tag m_tag;
    qint64 m_errorLine = 0;
    QString m_errorMessage;
    bool m_codeLayoutKnown = false;
    bool m_padCodes = true;
};

SectionKind sectionKind(QByteArrayView name) {
    if (name == "HEADER")
        return SectionKind::Header;
    if (name == "CLASSES")
        return SectionKind::Classes;
    if (name == "TABLES")
        return SectionKind::Tables;
    if (name == "BLOCKS")
        return SectionKind::Blocks;
    if (name == "ENTITIES")
        return SectionKind::Entities;
    if (name == "OBJECTS")
        return SectionKind::Objects;
    return SectionKind::Other;
}

// Reads tags one at a time and records where sections, tables, blocks and records begin and
// end. The current tag is always the last one in m_tags; parse functions leave the first tag
// that is not theirs as the current tag.
class Builder {
public:
    Builder(QByteArrayView data, char newline, QString fileName)
        : m_lexer(data, newline), m_fileName(std::move(fileName)), m_size(data.size()) {
        // Real drawings average more than ten bytes a tag.
        m_tags.reserve(size_t(m_size / 10 + 16));
    }

    bool build() {
        advance();
        if (m_step == Lexer::Step::End)
            return fail(1, u"the file is empty"_s);
        if (m_step == Lexer::Step::Failed) {
            m_error.reset();  // the first tag decides whether this is a DXF file at all
            return fail(m_lexer.errorLine(), u"not a DXF file: %1"_s.arg(m_lexer.errorMessage()));
        }
        while (current().code() == 999 && advance()) {
        }
        if (!failed() && !atKeyword("SECTION") && !atKeyword("EOF")) {
            return fail(m_lexer.tagLine(), u"not a DXF file: it does not begin with a SECTION"_s);
        }
        m_prologue = Record{0, position()};
        while (!failed()) {
            if (m_step == Lexer::Step::End)
                return fail(m_lexer.lines(), u"the file ends without EOF"_s);
            if (atKeyword("EOF")) {
                m_eof = Record{position(), position() + 1};
                return true;
            }
            if (!atKeyword("SECTION")) {
                return fail(m_lexer.tagLine(),
                            u"expected SECTION or EOF, found %1"_s.arg(describeCurrent()));
            }
            if (!parseSection())
                return false;
        }
        return false;
    }

    std::vector<Tag>& tags() { return m_tags; }
    Record prologue() const { return m_prologue; }
    std::vector<Section>& sections() { return m_sections; }
    Record eof() const { return m_eof; }
    const Error& error() const { return *m_error; }
    bool padCodes() const { return m_lexer.padCodes(); }

private:
    bool advance() {
        m_step = m_lexer.next();
        if (m_step == Lexer::Step::Tag) {
            if (m_tags.size() == m_tags.capacity())
                grow(m_tags);
            m_tags.push_back(m_lexer.tag());
            return true;
        }
        if (m_step == Lexer::Step::Failed)
            fail(m_lexer.errorLine(), m_lexer.errorMessage());
        return false;
    }

    // Files of unusually small tags or records: the rest of the file is assumed to be like what
    // was read, instead of doubling, which would leave up to half of a large vector unused.
    template <typename Vector>
    void grow(Vector& vector) const {
        const double consumed = double(std::max<qsizetype>(m_lexer.consumed(), 1));
        const double estimate = double(vector.size()) * double(m_size) / consumed * 1.02;
        vector.reserve(std::max(size_t(estimate), vector.size() + 1024));
    }

    template <typename T>
    void append(std::vector<T>& items, T&& item) const {
        if (items.size() == items.capacity() && items.size() >= 1024)
            grow(items);
        items.push_back(std::forward<T>(item));
    }

    bool failed() const { return m_step == Lexer::Step::Failed; }
    bool atTag() const { return m_step == Lexer::Step::Tag; }
    const Tag& current() const { return m_tags.back(); }
    // Index of the current tag; at the end of the data, one past the last tag.
    quint32 position() const { return quint32(m_tags.size() - (atTag() ? 1 : 0)); }
    bool atKeyword(QByteArrayView keyword) const { return atTag() && current().is(0, keyword); }
    bool atRecordStart() const { return atTag() && current().code() == 0; }

    QString describeCurrent() const {
        if (!atTag())
            return u"the end of the file"_s;
        return u"%1 %2"_s.arg(current().code()).arg(quoted(current().trimmedValue()));
    }

    bool fail(qint64 line, QString message) {
        m_step = Lexer::Step::Failed;
        if (!m_error)
            m_error = Error{m_fileName, line, std::move(message)};
        return false;
    }

    // Consumes the current tag and everything up to the next tag with code 0 (or 9 too).
    Record takeRecord(bool stopAtVariable = false) {
        const quint32 begin = position();
        while (advance()) {
            const int code = current().code();
            if (code == 0 || (stopAtVariable && code == 9))
                break;
        }
        return Record{begin, position()};
    }

    // An entity, with the VERTEX or ATTRIB records and the SEQEND that belong to it.
    Record takeEntity() {
        const quint32 begin = position();
        const QByteArrayView type = current().trimmedValue();
        const QByteArrayView follower = type == "POLYLINE" ? QByteArrayView("VERTEX")
                                        : type == "INSERT" ? QByteArrayView("ATTRIB")
                                                           : QByteArrayView();
        takeRecord();
        if (!follower.isEmpty()) {
            while (atKeyword(follower))
                takeRecord();
            if (atKeyword("SEQEND"))
                takeRecord();
        }
        return Record{begin, position()};
    }

    // Whether the current tag ends the section; fails unless that is by its ENDSEC.
    bool atSectionEnd(const Section& section, qint64 openLine) {
        if (failed() || atKeyword("ENDSEC"))
            return true;
        if (!atTag() || atKeyword("SECTION") || atKeyword("EOF")) {
            const qint64 line = atTag() ? m_lexer.tagLine() : m_lexer.lines();
            fail(line, u"section %1 (line %2) has no ENDSEC before %3"_s
                           .arg(QString::fromUtf8(section.name.data(), section.name.size()))
                           .arg(openLine)
                           .arg(describeCurrent()));
            return true;
        }
        return false;
    }

    bool parseSection() {
        const qint64 openLine = m_lexer.tagLine();
        const quint32 begin = position();
        if (!advance() || current().code() != 2) {
            return fail(atTag() ? m_lexer.tagLine() : m_lexer.lines(),
                        u"the SECTION at line %1 has no name"_s.arg(openLine));
        }
        Section section;
        section.name = current().trimmedValue();
        section.kind = sectionKind(section.name);
        const bool header = section.kind == SectionKind::Header;
        while (advance() && current().code() != 0 && !(header && current().code() == 9)) {
        }
        section.head = Record{begin, position()};

        switch (section.kind) {
            case SectionKind::Header:
                parseHeader(section, openLine);
                break;
            case SectionKind::Tables:
                parseGroups(section, openLine, "TABLE", "ENDTAB", false);
                break;
            case SectionKind::Blocks:
                parseGroups(section, openLine, "BLOCK", "ENDBLK", true);
                break;
            case SectionKind::Entities:
                while (!atSectionEnd(section, openLine))
                    append(section.members, takeEntity());
                break;
            case SectionKind::Classes:
            case SectionKind::Objects:
            case SectionKind::Other:
                while (!atSectionEnd(section, openLine))
                    append(section.members, takeRecord());
                break;
        }
        if (failed())
            return false;
        // ENDSEC, and any comments before the next section.
        section.tail = takeRecord();
        append(m_sections, std::move(section));
        return !failed();
    }

    void parseHeader(Section& section, qint64 openLine) {
        while (!atSectionEnd(section, openLine)) {
            if (current().code() == 0) {
                fail(m_lexer.tagLine(),
                     u"unexpected %1 in the HEADER section"_s.arg(describeCurrent()));
                return;
            }
            append(section.members, takeRecord(true));
        }
    }

    // TABLE ... ENDTAB or BLOCK ... ENDBLK groups, the only things these sections hold.
    void parseGroups(Section& section, qint64 openLine, QByteArrayView open, QByteArrayView close,
                     bool entities) {
        while (!atSectionEnd(section, openLine)) {
            if (!atKeyword(open)) {
                fail(m_lexer.tagLine(),
                     u"unexpected %1 in the %2 section, expected %3"_s.arg(describeCurrent())
                         .arg(QString::fromUtf8(section.name.data(), section.name.size()))
                         .arg(QString::fromLatin1(open)));
                return;
            }
            const qint64 groupLine = m_lexer.tagLine();
            Group group;
            group.head = takeRecord();
            while (atRecordStart() && !atKeyword(close) && !atKeyword(open) &&
                   !atKeyword("ENDSEC") && !atKeyword("SECTION") && !atKeyword("EOF")) {
                append(group.members, entities ? takeEntity() : takeRecord());
            }
            if (failed())
                return;
            if (!atKeyword(close)) {
                const QByteArrayView name = RecordView(tagsOf(group.head)).name();
                fail(atTag() ? m_lexer.tagLine() : m_lexer.lines(),
                     u"%1 %2 (line %3) has no %4 before %5"_s.arg(QString::fromLatin1(open))
                         .arg(quoted(trimmedBlanks(name)))
                         .arg(groupLine)
                         .arg(QString::fromLatin1(close))
                         .arg(describeCurrent()));
                return;
            }
            group.tail = takeRecord();
            append(section.groups, std::move(group));
        }
    }

    std::span<const Tag> tagsOf(Record record) const {
        return std::span<const Tag>(m_tags).subspan(record.begin, record.size());
    }

    Lexer m_lexer;
    QString m_fileName;
    qsizetype m_size;
    Lexer::Step m_step = Lexer::Step::End;
    std::vector<Tag> m_tags;
    Record m_prologue;
    std::vector<Section> m_sections;
    Record m_eof;
    std::optional<Error> m_error;
};

// The line terminator of the first line decides the file's line ending.
LineEnding detectLineEnding(QByteArrayView data) {
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n')
            return LineEnding::Lf;
        if (data[i] == '\r')
            return i + 1 < data.size() && data[i + 1] == '\n' ? LineEnding::CrLf : LineEnding::Cr;
    }
    return LineEnding::Lf;
}

}  // namespace

Result<Document> readBytes(QByteArray bytes, const QString& fileName) {
    if (bytes.size() > kMaxFileSize)
        return Error{fileName, 0, u"the file is larger than 4 GB"_s};
    QByteArrayView data(bytes.constData(), bytes.size());
    if (data.startsWith(kBinarySentinel)) {
        return Error{fileName, 1, u"binary DXF is not supported; save the drawing as ASCII DXF"_s};
    }
    Layout layout;
    if (data.startsWith(kUtf8Bom)) {
        layout.bom = kUtf8Bom.toByteArray();
        data = data.sliced(kUtf8Bom.size());
    }
    layout.lineEnding = detectLineEnding(data);

    Builder builder(data, layout.lineEnding == LineEnding::Cr ? '\r' : '\n', fileName);
    if (!builder.build())
        return builder.error();

    layout.padCodes = builder.padCodes();
    Document document;
    document.setFileName(fileName);
    document.setLayout(std::move(layout));
    const Record eof = builder.eof();
    const Tag& eofTag = builder.tags()[eof.begin];
    const char* afterEof = eofTag.value().data() + eofTag.value().size();
    document.setTrailer(QByteArray(afterEof, data.data() + data.size() - afterEof));
    document.prologue() = builder.prologue();
    document.sections() = std::move(builder.sections());
    document.eof() = eof;
    // The tags point into bytes; moving the array keeps its data where it is.
    document.adopt(std::move(bytes), std::move(builder.tags()));
    document.setEncoding(Encoding::forFile(document.headerValue("$ACADVER"),
                                           document.headerValue("$DWGCODEPAGE"), data));
    return document;
}

Result<Document> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{path, 0, u"cannot open the file: %1"_s.arg(file.errorString())};
    if (file.size() > kMaxFileSize)
        return Error{path, 0, u"the file is larger than 4 GB"_s};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error{path, 0, u"cannot read the file: %1"_s.arg(file.errorString())};
    return readBytes(std::move(bytes), path);
}

}  // namespace dxf
