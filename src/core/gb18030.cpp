// GB18030: runs of the codes GBK converts alike go to the GBK converter in one piece, the rest
// is done here.
#include "core/gb18030.h"

#include <algorithm>

#include "core/gb18030_tables.h"

namespace core {

namespace {

using gb18030_tables::Difference;
using gb18030_tables::kDifferences;
using gb18030_tables::kRanges;
using gb18030_tables::Range;

// The linear index of 0x90308130, where U+10000 is.
constexpr int kSupplementaryLinear = (0x90 - 0x81) * 10 * 126 * 10;
constexpr char32_t kReplacement = QChar::ReplacementCharacter;
constexpr char kLoneSurrogate = 0x1A;

constexpr bool byCode(const Difference& a, const Difference& b) {
    return a.code < b.code;
}
constexpr bool byUnicode(const Difference& a, const Difference& b) {
    return a.unicode < b.unicode;
}
constexpr bool byFirst(const Range& a, const Range& b) {
    return a.first < b.first;
}
constexpr bool byLinear(const Range& a, const Range& b) {
    return a.linear < b.linear;
}

template <typename Table, typename Less>
constexpr Table sorted(Table table, Less less) {
    std::sort(table.begin(), table.end(), less);
    return table;
}

static_assert(std::is_sorted(kDifferences.begin(), kDifferences.end(), byCode));
static_assert(std::is_sorted(kRanges.begin(), kRanges.end(), byFirst));
constexpr auto kDifferencesByUnicode = sorted(kDifferences, byUnicode);
constexpr auto kRangesByLinear = sorted(kRanges, byLinear);

bool isLead(uchar b) {
    return b >= 0x81 && b <= 0xFE;
}
bool isTwoByteTrail(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}
bool isDigit(uchar b) {
    return b >= 0x30 && b <= 0x39;
}

// What GB18030 reads a two-byte code as where GBK reads it otherwise; 0 where they agree.
char16_t differentCharacter(int code) {
    const Difference key{static_cast<unsigned short>(code), 0};
    const auto it = std::lower_bound(kDifferences.begin(), kDifferences.end(), key, byCode);
    return it != kDifferences.end() && it->code == code ? it->unicode : 0;
}

// The GB18030 two-byte code of c where GBK writes c otherwise; 0 where they agree.
int differentCode(char16_t c) {
    const Difference key{0, c};
    const auto it = std::lower_bound(kDifferencesByUnicode.begin(), kDifferencesByUnicode.end(),
                                     key, byUnicode);
    return it != kDifferencesByUnicode.end() && it->unicode == c ? it->code : 0;
}

// The linear index of the four bytes of BMP character c; -1 when c has one or two bytes.
int linearOf(char16_t c) {
    const Range key{c, 0, 0};
    const auto it = std::upper_bound(kRanges.begin(), kRanges.end(), key, byFirst);
    if (it == kRanges.begin()) {
        return -1;
    }
    const Range& range = *std::prev(it);
    return c - range.first < range.count ? range.linear + (c - range.first) : -1;
}

// The character of a four-byte code by its linear index; U+FFFD when it has none.
char32_t characterAt(int linear) {
    if (linear >= kSupplementaryLinear) {
        const int offset = linear - kSupplementaryLinear;
        return offset < 0x100000 ? char32_t(0x10000 + offset) : kReplacement;
    }
    const Range key{0, static_cast<unsigned short>(std::min(linear, 0xFFFF)), 0};
    const auto it = std::upper_bound(kRangesByLinear.begin(), kRangesByLinear.end(), key, byLinear);
    if (it == kRangesByLinear.begin()) {
        return kReplacement;
    }
    const Range& range = *std::prev(it);
    return linear - range.linear < range.count ? char32_t(range.first + (linear - range.linear))
                                               : kReplacement;
}

void appendFourBytes(QByteArray& out, int linear) {
    char bytes[4];
    bytes[3] = char(0x30 + linear % 10);
    linear /= 10;
    bytes[2] = char(0x81 + linear % 126);
    linear /= 126;
    bytes[1] = char(0x30 + linear % 10);
    bytes[0] = char(0x81 + linear / 10);
    out.append(bytes, 4);
}

struct Read {
    char32_t character;
    qsizetype length;
};

// The character at the start of bytes, which start neither with ASCII nor with a two-byte code
// GBK reads right. As ICU has it, a bad sequence is the lead byte alone, the bytes after it read
// afresh, but for a lead byte and 0xFF, which starts nothing, and a four-byte code that is no
// character: those go together. A sequence the end cuts off is one bad sequence.
Read readOther(QByteArrayView bytes) {
    const auto at = [&](qsizetype i) { return static_cast<uchar>(bytes[i]); };
    const qsizetype size = bytes.size();
    if (!isLead(at(0)) || size == 1) {
        return {kReplacement, 1};
    }
    if (isTwoByteTrail(at(1))) {
        return {differentCharacter(at(0) << 8 | at(1)), 2};
    }
    if (!isDigit(at(1))) {
        return {kReplacement, at(1) == 0xFF ? 2 : 1};
    }
    if (size == 2 || (size == 3 && isLead(at(2)))) {
        return {kReplacement, size};
    }
    if (!isLead(at(2)) || !isDigit(at(3))) {
        return {kReplacement, 1};
    }
    const int linear =
        (((at(0) - 0x81) * 10 + at(1) - 0x30) * 126 + at(2) - 0x81) * 10 + at(3) - 0x30;
    return {characterAt(linear), 4};
}

}  // namespace

QString Gb18030::decode(QByteArrayView bytes) const {
    QString out;
    out.reserve(bytes.size());
    const auto at = [&](qsizetype i) { return static_cast<uchar>(bytes[i]); };
    qsizetype run = 0;
    const auto endRun = [&](qsizetype end) {
        if (end > run) {
            out += m_gbk.decode(bytes.sliced(run, end - run));
        }
    };
    for (qsizetype i = 0; i < bytes.size();) {
        if (at(i) < 0x80) {
            ++i;
            continue;
        }
        if (isLead(at(i)) && i + 1 < bytes.size() && isTwoByteTrail(at(i + 1)) &&
            differentCharacter(at(i) << 8 | at(i + 1)) == 0) {
            i += 2;
            continue;
        }
        endRun(i);
        const Read read = readOther(bytes.sliced(i));
        out += QStringView(QChar::fromUcs4(read.character));
        i += read.length;
        run = i;
    }
    endRun(bytes.size());
    return out;
}

QByteArray Gb18030::encode(QStringView text) const {
    QByteArray out;
    out.reserve(text.size() * 2);
    qsizetype run = 0;
    const auto endRun = [&](qsizetype end) {
        if (end > run) {
            out += m_gbk.encode(text.sliced(run, end - run));
        }
    };
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        int linear = -1;
        int code = 0;
        qsizetype length = 1;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            linear = kSupplementaryLinear + int(QChar::surrogateToUcs4(c, text[i + 1].unicode())) -
                     0x10000;
            length = 2;
        } else if (QChar::isSurrogate(c)) {
            code = kLoneSurrogate;
        } else {
            linear = linearOf(c);
            code = linear < 0 ? differentCode(c) : 0;
            if (linear < 0 && code == 0) {
                ++i;
                continue;
            }
        }
        endRun(i);
        if (linear >= 0) {
            appendFourBytes(out, linear);
        } else if (code > 0xFF) {
            out += char(code >> 8);
            out += char(code & 0xFF);
        } else {
            out += char(code);
        }
        i += length;
        run = i;
    }
    endRun(text.size());
    return out;
}

}  // namespace core
