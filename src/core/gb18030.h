// GB18030 by rules of our own on top of a GBK converter: what core::CodePage converts GB18030
// with on Windows, whose code page 54936 not every system has (Wine lacks it), so that every
// Windows writes the bytes that ICU writes on Linux.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "core/code_page.h"

namespace core {

// One byte for ASCII; two bytes as GBK (code page 936) but for the codes gb18030_tables.h lists;
// four bytes for the other BMP characters, by the ranges of that file, and for U+10000..U+10FFFF
// counted on from 0x90308130. Converts as core::CodePage does, with a converter of its own: bytes
// that are no character become U+FFFD, one per byte sequence, a sequence cut off by the end of
// the bytes too; a lone surrogate becomes 0x1A, as ICU writes it.
class Gb18030 {
public:
    explicit Gb18030(CodePage gbk) : m_gbk(std::move(gbk)) {}

    QString decode(QByteArrayView bytes) const;
    QByteArray encode(QStringView text) const;

private:
    CodePage m_gbk;
};

}  // namespace core
