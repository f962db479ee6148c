// Text encodings of DXF files: choosing one per file, converting, and the DXF text escapes.
#include "dxf/encoding.h"

#include "core/code_page.h"
#include "dxf/tag.h"

#include <array>
#include <cstring>

namespace dxf {

namespace {

using namespace Qt::StringLiterals;

constexpr QByteArrayView kUtf8Name = "UTF-8";
constexpr QByteArrayView kJohabName = "Johab";
constexpr QByteArrayView kFallbackName = "windows-1252";  // AutoCAD's default code page

struct CodePageName {
    QByteArrayView dwgName;  // as $DWGCODEPAGE spells it, lower case
    QByteArrayView codecName;
};

// Microsoft's variants of the Far East pages (windows-932, -936, -949, -950) are the ones
// Windows CAD programs write, extensions included.
constexpr CodePageName kCodePages[] = {
    {"ansi_874", "windows-874"},
    {"ansi_932", "windows-932"},
    {"ansi_936", "GBK"},
    {"ansi_949", "windows-949"},
    {"ansi_950", "windows-950"},
    {"ansi_1250", "windows-1250"},
    {"ansi_1251", "windows-1251"},
    {"ansi_1252", "windows-1252"},
    {"ansi_1253", "windows-1253"},
    {"ansi_1254", "windows-1254"},
    {"ansi_1255", "windows-1255"},
    {"ansi_1256", "windows-1256"},
    {"ansi_1257", "windows-1257"},
    {"ansi_1258", "windows-1258"},
    {"ansi_1361", kJohabName},
    {"ansi_65001", kUtf8Name},
    {"utf-8", kUtf8Name},
    {"utf8", kUtf8Name},
    {"dos437", "IBM437"},
    {"dos850", "IBM850"},
    {"dos852", "IBM852"},
    {"dos855", "IBM855"},
    {"dos857", "IBM857"},
    {"dos860", "IBM860"},
    {"dos861", "IBM861"},
    {"dos863", "IBM863"},
    {"dos864", "IBM864"},
    {"dos865", "IBM865"},
    {"dos866", "IBM866"},
    {"dos869", "IBM869"},
    {"dos932", "windows-932"},
    {"iso8859-1", "ISO-8859-1"},
    {"iso8859-2", "ISO-8859-2"},
    {"iso8859-3", "ISO-8859-3"},
    {"iso8859-4", "ISO-8859-4"},
    {"iso8859-5", "ISO-8859-5"},
    {"iso8859-6", "ISO-8859-6"},
    {"iso8859-7", "ISO-8859-7"},
    {"iso8859-8", "ISO-8859-8"},
    {"iso8859-9", "ISO-8859-9"},
    {"mac-roman", "macintosh"},
    {"big5", "windows-950"},
    {"gb2312", "GBK"},
    {"ksc5601", "windows-949"},
    {"johab", kJohabName},
};

// The code pages that "\M+n" selects, n = 1..5.
constexpr QByteArrayView kMultibytePages[] = {"windows-932", "windows-950", "windows-949",
                                              kJohabName, "GBK"};

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// The value of four hex digits at text[at], or -1.
int hex4(QStringView text, qsizetype at) {
    if (at + 4 > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = at; i < at + 4; ++i) {
        const int digit = hexDigit(text[i].unicode());
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void appendEscape(QByteArray& out, char16_t unit) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r';
}

bool hasLineBreakOrSurrogate(QStringView text) {
    for (const QChar c : text) {
        if (isLineBreak(c.unicode()) || c.isSurrogate())
            return true;
    }
    return false;
}

}  // namespace

struct Encoding::Converters {
    std::optional<core::CodePage> page;
    std::array<std::optional<core::CodePage>, 5> multibyte;
};

Encoding::Encoding() = default;
Encoding::Encoding(Kind kind, QByteArray codecName)
    : m_kind(kind), m_codecName(std::move(codecName)) {}
Encoding::Encoding(const Encoding& other) : m_kind(other.m_kind), m_codecName(other.m_codecName) {}
Encoding& Encoding::operator=(const Encoding& other) {
    if (this != &other) {
        m_kind = other.m_kind;
        m_codecName = other.m_codecName;
        m_converters.reset();
    }
    return *this;
}
Encoding::Encoding(Encoding&&) noexcept = default;
Encoding& Encoding::operator=(Encoding&&) noexcept = default;
Encoding::~Encoding() = default;

Encoding Encoding::utf8() {
    return Encoding();
}

std::optional<Encoding> Encoding::fromCodePage(QByteArrayView dwgCodePage) {
    const QByteArray key = trimmedBlanks(dwgCodePage).toByteArray().toLower();
    for (const CodePageName& page : kCodePages) {
        if (page.dwgName != key)
            continue;
        if (page.codecName == kUtf8Name)
            return Encoding();
        if (page.codecName == kJohabName)
            return Encoding(Kind::Johab, kJohabName.toByteArray());
        // A platform may lack a page; the caller then falls back.
        if (!core::CodePage::named(page.codecName))
            return std::nullopt;
        return Encoding(Kind::Codec, page.codecName.toByteArray());
    }
    return std::nullopt;
}

Encoding Encoding::forFile(QByteArrayView acadVer, QByteArrayView dwgCodePage,
                           QByteArrayView fileBytes) {
    // Only the non-ASCII bytes tell encodings apart, and files labelled with a code page but
    // written in UTF-8 are common enough that the bytes win over the label.
    const bool ascii = isAscii(fileBytes);
    const bool unicodeVersion = trimmedBlanks(acadVer) >= QByteArrayView("AC1021");
    if ((unicodeVersion && ascii) || (!ascii && isValidUtf8(fileBytes)))
        return Encoding();
    if (std::optional<Encoding> named = fromCodePage(dwgCodePage))
        return *std::move(named);
    if (std::optional<Encoding> fallback = fromCodePage("ANSI_1252"))
        return *std::move(fallback);
    return Encoding(Kind::Codec, QByteArrayLiteral("ISO-8859-1"));
}

QByteArray Encoding::name() const {
    return m_kind == Kind::Utf8 ? kUtf8Name.toByteArray() : m_codecName;
}

Encoding::Converters& Encoding::converters() const {
    if (!m_converters) {
        m_converters = std::make_unique<Converters>();
        if (m_kind == Kind::Codec) {
            m_converters->page = core::CodePage::named(m_codecName);
        }
    }
    return *m_converters;
}

QString Encoding::decodeBytes(QByteArrayView raw) const {
    if (isAscii(raw))
        return QString::fromLatin1(raw);
    switch (m_kind) {
        case Kind::Utf8:
            return QString::fromUtf8(raw);
        case Kind::Johab:
            return decodeJohab(raw);
        case Kind::Codec:
            return converters().page->decode(raw);
    }
    return {};
}

QString Encoding::decodeText(QByteArrayView raw) const {
    QString text = decodeBytes(raw);
    if (!text.contains(u'\\'))
        return text;

    QString out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text[i];
        const bool escape = c == u'\\' && i + 2 < size && text[i + 2] == u'+';
        const char16_t kind = escape ? text[i + 1].toUpper().unicode() : 0;
        if (kind == u'U') {
            const int unit = hex4(text, i + 3);
            if (unit >= 0) {
                out += QChar(char16_t(unit));
                i += 7;
                continue;
            }
        } else if (kind == u'M' && i + 3 < size) {
            const int page = text[i + 3].unicode() - u'0';
            const int pair = hex4(text, i + 4);
            if (page >= 1 && page <= 5 && pair >= 0) {
                const char bytes[2] = {char(pair >> 8), char(pair & 0xFF)};
                QString decoded;
                if (kMultibytePages[page - 1] == kJohabName) {
                    decoded = decodeJohab(QByteArrayView(bytes, 2));
                } else {
                    std::optional<core::CodePage>& decoder = converters().multibyte[page - 1];
                    if (!decoder)
                        decoder = core::CodePage::named(kMultibytePages[page - 1]);
                    if (decoder)
                        decoded = decoder->decode(QByteArrayView(bytes, 2));
                }
                // Two bytes that are not one character of that page stay as written.
                const bool oneCharacter =
                    decoded.size() == 1 || (decoded.size() == 2 && decoded[0].isHighSurrogate());
                if (oneCharacter && decoded[0] != QChar::ReplacementCharacter) {
                    out += decoded;
                    i += 8;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

bool Encoding::encodesExactly(QStringView text, QByteArray& out) const {
    switch (m_kind) {
        case Kind::Utf8:
            out = text.toUtf8();
            return true;
        case Kind::Johab: {
            std::optional<QByteArray> bytes = encodeJohab(text);
            if (!bytes)
                return false;
            out = *std::move(bytes);
            return true;
        }
        case Kind::Codec: {
            const core::CodePage& page = *converters().page;
            out = page.encode(text);
            // Converters substitute or best-fit what a page lacks instead of failing reliably,
            // so the decoded result is what tells whether the page holds the text.
            return page.decode(out) == text;
        }
    }
    return false;
}

QByteArray Encoding::encodeText(QStringView text) const {
    bool plainAscii = true;
    for (const QChar c : text)
        plainAscii = plainAscii && c.unicode() < 0x80 && !isLineBreak(c.unicode());
    // Every supported encoding holds ASCII as itself.
    if (plainAscii)
        return text.toLatin1();

    QByteArray out;
    if (!hasLineBreakOrSurrogate(text) && encodesExactly(text, out))
        return out;

    // Character by character: line breaks would end the value line, lone surrogates and what
    // the page lacks have no bytes, so all of them become escapes. A character outside the
    // BMP is written as its two UTF-16 halves: readers take exactly four digits after "\U+",
    // so a longer escape would read back as a different character followed by a digit.
    out.clear();
    QByteArray piece;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const QStringView character = text.sliced(i, length);
        const bool plain = !isLineBreak(c.unicode()) && (pair || !c.isSurrogate());
        if (plain && encodesExactly(character, piece)) {
            out += piece;
        } else {
            for (const QChar unit : character)
                appendEscape(out, unit.unicode());
        }
        i += length;
    }
    return out;
}

bool isAscii(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    }
    return true;
}

bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (!(word & 0x8080808080808080ULL)) {
                p += 8;
                continue;
            }
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;  // overlong
            if (lead == 0xED)
                high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;  // overlong
            if (lead == 0xF4)
                high = 0x8F;  // beyond U+10FFFF
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if (p[k] < 0x80 || p[k] > 0xBF)
                return false;
        }
        p += length;
    }
    return true;
}

// ---- Johab ----

namespace {

// Johab's five-bit letter codes, by position in the syllable: code -> index, -1 if unused.
// Code 1 (2 for vowels) is the fill code for an absent letter.
constexpr int kInitialFill = 1;
constexpr int kMedialFill = 2;
constexpr int kFinalFill = 1;

int initialIndex(int code) {
    return code >= 2 && code <= 20 ? code - 2 : -1;
}

int medialIndex(int code) {
    if (code >= 3 && code <= 7)
        return code - 3;
    if (code >= 10 && code <= 15)
        return code - 5;
    if (code >= 18 && code <= 23)
        return code - 7;
    if (code >= 26 && code <= 29)
        return code - 9;
    return -1;
}

int finalIndex(int code) {  // 0 means no final letter
    if (code == kFinalFill)
        return 0;
    if (code >= 2 && code <= 17)
        return code - 1;
    if (code >= 19 && code <= 29)
        return code - 2;
    return -1;
}

constexpr int kMedialCodes[21] = {3,  4,  5,  6,  7,  10, 11, 12, 13, 14, 15,
                                  18, 19, 20, 21, 22, 23, 26, 27, 28, 29};
constexpr int kFinalCodes[28] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};

// Compatibility letters for a lone initial or final consonant.
constexpr char16_t kInitialJamo[19] = {0x3131, 0x3132, 0x3134, 0x3137, 0x3138, 0x3139, 0x3141,
                                       0x3142, 0x3143, 0x3145, 0x3146, 0x3147, 0x3148, 0x3149,
                                       0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t kFinalJamo[28] = {0,      0x3131, 0x3132, 0x3133, 0x3134, 0x3135, 0x3136,
                                     0x3137, 0x3139, 0x313A, 0x313B, 0x313C, 0x313D, 0x313E,
                                     0x313F, 0x3140, 0x3141, 0x3142, 0x3144, 0x3145, 0x3146,
                                     0x3147, 0x3148, 0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t kSyllableBase = 0xAC00;
constexpr char16_t kVowelJamoBase = 0x314F;

// A Hangul code (lead 0x84..0xD3) as a character, or 0.
char16_t johabHangul(unsigned code) {
    const int i = (code >> 10) & 31;
    const int m = (code >> 5) & 31;
    const int f = code & 31;
    const int initial = initialIndex(i);
    const int medial = medialIndex(m);
    const int final = finalIndex(f);
    if (initial >= 0 && medial >= 0 && final >= 0)
        return char16_t(kSyllableBase + (initial * 21 + medial) * 28 + final);
    if (initial >= 0 && m == kMedialFill && f == kFinalFill)
        return kInitialJamo[initial];
    if (i == kInitialFill && medial >= 0 && f == kFinalFill)
        return char16_t(kVowelJamoBase + medial);
    if (i == kInitialFill && m == kMedialFill && final > 0)
        return kFinalJamo[final];
    if (i == kInitialFill && m == kMedialFill && f == kFinalFill)
        return 0x3000;  // the all-fill code is the ideographic space
    return 0;
}

// Johab bytes of a Hangul syllable or compatibility letter, or 0.
unsigned johabFromHangul(char16_t c) {
    auto code = [](int i, int m, int f) { return unsigned(0x8000 | (i << 10) | (m << 5) | f); };
    if (c >= kSyllableBase && c <= 0xD7A3) {
        const int s = c - kSyllableBase;
        return code(s / (21 * 28) + 2, kMedialCodes[(s / 28) % 21], kFinalCodes[s % 28]);
    }
    for (int k = 0; k < 19; ++k) {
        if (kInitialJamo[k] == c)
            return code(k + 2, kMedialFill, kFinalFill);
    }
    if (c >= kVowelJamoBase && c < kVowelJamoBase + 21)
        return code(kInitialFill, kMedialCodes[c - kVowelJamoBase], kFinalFill);
    for (int k = 1; k < 28; ++k) {
        if (kFinalJamo[k] == c)
            return code(kInitialFill, kMedialFill, kFinalCodes[k]);
    }
    return 0;
}

// Symbol and Hanja leads each hold two KS X 1001 rows: the first behind trail bytes 0x31..0x7E
// and 0x91..0xA0, the second behind 0xA1..0xFE.
bool johabToKs(unsigned char lead, unsigned char trail, unsigned char ks[2]) {
    int firstRow = 0;
    if (lead >= 0xD9 && lead <= 0xDE)
        firstRow = 0xA1 + (lead - 0xD9) * 2;
    else if (lead >= 0xE0 && lead <= 0xF9)
        firstRow = 0xCA + (lead - 0xE0) * 2;
    else
        return false;
    if (trail >= 0x31 && trail <= 0x7E) {
        ks[0] = firstRow;
        ks[1] = trail - 0x31 + 0xA1;
    } else if (trail >= 0x91 && trail <= 0xA0) {
        ks[0] = firstRow;
        ks[1] = trail - 0x91 + 0xA1 + 78;
    } else if (trail >= 0xA1 && trail <= 0xFE) {
        ks[0] = firstRow + 1;
        ks[1] = trail;
    } else {
        return false;
    }
    // The compatibility letters of row 4 have their own Hangul codes in Johab.
    return !(ks[0] == 0xA4 && ks[1] <= 0xD3);
}

bool ksToJohab(unsigned char k0, unsigned char k1, unsigned char out[2]) {
    if (k1 < 0xA1 || k1 > 0xFE)
        return false;
    int offset = 0;
    if (k0 >= 0xA1 && k0 <= 0xAC) {
        out[0] = 0xD9 + (k0 - 0xA1) / 2;
        offset = (k0 - 0xA1) % 2;
    } else if (k0 >= 0xCA && k0 <= 0xFD) {
        out[0] = 0xE0 + (k0 - 0xCA) / 2;
        offset = (k0 - 0xCA) % 2;
    } else {
        return false;
    }
    if (offset == 1)
        out[1] = k1;
    else if (k1 - 0xA1 < 78)
        out[1] = k1 - 0xA1 + 0x31;
    else
        out[1] = k1 - 0xA1 - 78 + 0x91;
    return true;
}

}  // namespace

QString decodeJohab(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    std::optional<core::CodePage> wansung;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += QChar(char16_t(lead));
            ++i;
            continue;
        }
        if (i + 1 >= size) {
            out += QChar::ReplacementCharacter;
            break;
        }
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        i += 2;
        if (lead >= 0x84 && lead <= 0xD3) {
            const char16_t c = johabHangul((unsigned(lead) << 8) | trail);
            out += c ? QChar(c) : QChar::ReplacementCharacter;
            continue;
        }
        unsigned char ks[2];
        if (!johabToKs(lead, trail, ks)) {
            out += QChar::ReplacementCharacter;
            continue;
        }
        if (!wansung)
            wansung = core::CodePage::named("windows-949");
        const QString c =
            wansung ? wansung->decode(QByteArrayView(reinterpret_cast<const char*>(ks), 2))
                    : QString();
        out += c.isEmpty() ? QString(QChar::ReplacementCharacter) : c;
    }
    return out;
}

std::optional<QByteArray> encodeJohab(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    std::optional<core::CodePage> wansung;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        if (const unsigned code = johabFromHangul(c)) {
            out += char(code >> 8);
            out += char(code & 0xFF);
            continue;
        }
        if (qc.isSurrogate())
            return std::nullopt;
        if (!wansung)
            wansung = core::CodePage::named("windows-949");
        if (!wansung)
            return std::nullopt;
        const QByteArray ks = wansung->encode(QStringView(&qc, 1));
        unsigned char johab[2];
        if (ks.size() != 2 || !ksToJohab(ks[0], ks[1], johab))
            return std::nullopt;
        // The Wansung converter best-fits some characters; only an exact match counts.
        if (decodeJohab(QByteArrayView(reinterpret_cast<const char*>(johab), 2)) != QString(qc))
            return std::nullopt;
        out += char(johab[0]);
        out += char(johab[1]);
    }
    return out;
}

}  // namespace dxf
