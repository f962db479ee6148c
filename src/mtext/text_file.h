// The editor's text files: read within the size limit with the encoding sniffed, saved safely.
#pragma once

#include <QString>
#include <QtGlobal>

namespace mtext {

// How a file's bytes become text and back. A file that is valid UTF-8 is read as UTF-8 (a
// leading byte order mark is kept for saving); any other is read as GB18030, a superset of the
// GBK that Chinese Windows writes, so both kinds of file load and save back unchanged.
enum class TextEncoding { Utf8, Utf8WithBom, Gb18030 };

// Larger files are refused when opened.
inline constexpr qint64 kOpenLimitBytes = 6400;

struct LoadedText {
    enum class Status { Loaded, TooLarge, Unreadable };
    Status status = Status::Unreadable;
    // CR LF line breaks: every line feed of the file becomes one, and carriage returns are dropped,
    // so LF and CR LF files load alike.
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

LoadedText readTextFile(const QString& path);

enum class SaveStatus { Saved, Failed };

// Writes the text as it is, without a line break added, replacing the file only once every byte
// is written: a failed write leaves an old file whole.
SaveStatus writeTextFile(const QString& path, const QString& text, TextEncoding encoding);

}  // namespace mtext
