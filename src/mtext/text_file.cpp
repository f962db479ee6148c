// Reading and writing the editor's text files.
#include "mtext/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include "core/code_page.h"

namespace mtext {

namespace {

// The Chinese Windows code page, a superset of GBK holding every Unicode character: every
// platform converts it.
core::CodePage gb18030() {
    return *core::CodePage::named("GB18030");
}
const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

struct Decoded {
    QString text;
    TextEncoding encoding;
};

Decoded decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return {text, bytes.startsWith(kUtf8Bom) ? TextEncoding::Utf8WithBom : TextEncoding::Utf8};
    }
    return {gb18030().decode(bytes), TextEncoding::Gb18030};
}

QString withCrLfBreaks(QStringView fileText) {
    QString lines;
    lines.reserve(fileText.size() + fileText.count(u'\n'));
    for (const QChar c : fileText) {
        if (c == u'\n') {
            lines += u"\r\n";
        } else if (c != u'\r') {
            lines += c;
        }
    }
    return lines;
}

QByteArray encode(const QString& text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return text.toUtf8();
        case TextEncoding::Utf8WithBom:
            return kUtf8Bom + text.toUtf8();
        case TextEncoding::Gb18030:
            break;
    }
    return gb18030().encode(text);
}

}  // namespace

LoadedText readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    // Reading one byte past the limit catches a file that grew after the dialog closed.
    const QByteArray bytes = file.read(kOpenLimitBytes + 1);
    if (bytes.size() > kOpenLimitBytes) {
        return {LoadedText::Status::TooLarge, {}, TextEncoding::Utf8};
    }
    const Decoded decoded = decode(bytes);
    return {LoadedText::Status::Loaded, withCrLfBreaks(decoded.text), decoded.encoding};
}

SaveStatus writeTextFile(const QString& path, const QString& text, TextEncoding encoding) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return SaveStatus::Failed;
    }
    const QByteArray bytes = encode(text, encoding);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return SaveStatus::Failed;
    }
    return SaveStatus::Saved;
}

}  // namespace mtext
