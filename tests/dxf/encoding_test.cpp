// Text encodings: which one a file gets, decoding with escapes, and encoding with fallbacks.
#include "dxf/encoding.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

#include <optional>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;

Encoding codePage(const char* name) {
    std::optional<Encoding> encoding = Encoding::fromCodePage(name);
    EXPECT_TRUE(encoding.has_value()) << name;
    return encoding.value_or(Encoding::utf8());
}

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

TEST(Encoding, EveryCommonCodePageNameIsAvailable) {
    const char* names[] = {
        "ANSI_874",  "ANSI_932",  "ANSI_936",  "ANSI_949",  "ANSI_950",  "ANSI_1250", "ANSI_1251",
        "ANSI_1252", "ANSI_1253", "ANSI_1254", "ANSI_1255", "ANSI_1256", "ANSI_1257", "ANSI_1258",
        "ANSI_1361", "DOS437",    "DOS850",    "DOS866",    "DOS932",    "ISO8859-1", "ISO8859-7",
        "MAC-ROMAN", "BIG5",      "GB2312",    "JOHAB",     "ansi_936",  " ANSI_936 "};
    for (const char* name : names)
        EXPECT_TRUE(Encoding::fromCodePage(name).has_value()) << name;
    EXPECT_FALSE(Encoding::fromCodePage("ANSI_9999").has_value());
    EXPECT_FALSE(Encoding::fromCodePage("").has_value());
}

struct FileCase {
    const char* name;
    const char* acadVer;
    const char* codePage;
    QByteArray bytes;
    const char* expected;
};

TEST(Encoding, ChoosesTheEncodingFromVersionCodePageAndTheBytesThemselves) {
    const QByteArray gbk = "  1\n" + hex("d6d0cec4") + "\n";
    const QByteArray utf8 = u"  1\n中文\n"_s.toUtf8();
    const QByteArray ascii = "  1\nplain\n";
    const FileCase cases[] = {
        {"gbk bytes labelled 936", "AC1015", "ANSI_936", gbk, "GBK"},
        {"utf-8 bytes labelled 936", "AC1015", "ANSI_936", utf8, "UTF-8"},
        {"ascii labelled 936 keeps the page for writing", "AC1015", "ANSI_936", ascii, "GBK"},
        {"unicode version", "AC1021", "ANSI_1252", utf8, "UTF-8"},
        {"unicode version, ascii", "AC1032", "ANSI_936", ascii, "UTF-8"},
        {"unicode version with code page bytes", "AC1024", "ANSI_936", gbk, "GBK"},
        {"R12 without code page", "AC1009", "", hex("d8"), "windows-1252"},
        {"unknown code page", "AC1015", "ANSI_9999", hex("d8"), "windows-1252"},
        {"lower case page name", "AC1015", "ansi_950", hex("a4a4"), "windows-950"},
        {"no header at all", "", "", ascii, "windows-1252"},
    };
    for (const FileCase& c : cases) {
        EXPECT_EQ(Encoding::forFile(c.acadVer, c.codePage, c.bytes).name(), c.expected) << c.name;
    }
}

struct DecodeCase {
    const char* encoding;  // $DWGCODEPAGE name, or "UTF-8"
    QByteArray raw;
    QString expected;
};

TEST(Encoding, DecodesTextsAndTheirEscapes) {
    const DecodeCase cases[] = {
        {"ANSI_936", hex("d6d0cec4"), u"中文"_s},
        {"ANSI_936", "AL1 " + hex("c5e4b5e7cfe4"), u"AL1 配电箱"_s},
        {"ANSI_1252", "Schalter " + hex("d8") + " 20", u"Schalter Ø 20"_s},
        {"ANSI_932", hex("835c955c"), u"ソ表"_s},  // second bytes that look like backslashes
        {"ANSI_950", hex("a4a4"), u"中"_s},
        {"ANSI_949", hex("b0a1"), u"가"_s},
        {"ANSI_1361", hex("d0658b69"), u"한글"_s},
        {"UTF-8", u"照明"_s.toUtf8(), u"照明"_s},
        {"ANSI_1252", "\\U+4E2D\\U+6587", u"中文"_s},
        {"ANSI_1252", "x\\u+4e2dy", u"x中y"_s},
        {"ANSI_1252", "\\U+D83D\\U+DE00", u"😀"_s},
        {"UTF-8", "\\U+00B0C", u"°C"_s},
        {"ANSI_1252", "\\M+5D6D0", u"中"_s},
        {"ANSI_1252", "\\M+182A0", u"あ"_s},
        {"ANSI_1252", "\\M+2A4A4", u"中"_s},
        {"ANSI_1252", "\\M+3B0A1", u"가"_s},
        {"ANSI_1252", "\\M+48861", u"가"_s},
        {"ANSI_936", "\\M+5D6D0\\M+5CEC4 AL1", u"中文 AL1"_s},
        // Not escapes: kept as written.
        {"ANSI_1252", "\\M+9D6D0", u"\\M+9D6D0"_s},
        {"ANSI_1252", "\\M+5D6", u"\\M+5D6"_s},
        {"ANSI_1252", "\\U+12", u"\\U+12"_s},
        {"ANSI_1252", "\\U+ZZZZ", u"\\U+ZZZZ"_s},
        {"ANSI_1252", "line\\Pnext", u"line\\Pnext"_s},
        {"ANSI_1252", "ends with \\", u"ends with \\"_s},
    };
    for (const DecodeCase& c : cases) {
        const Encoding encoding = codePage(c.encoding);
        EXPECT_EQ(encoding.decodeText(c.raw), c.expected)
            << c.encoding << " " << c.raw.toHex().toStdString();
    }
}

struct EncodeCase {
    const char* encoding;
    QString text;
    QByteArray expected;
};

TEST(Encoding, EncodesInTheFilesEncodingAndEscapesWhatItCannotHold) {
    const EncodeCase cases[] = {
        {"ANSI_936", u"中文"_s, hex("d6d0cec4")},
        {"ANSI_936", u"WL1 한"_s, "WL1 \\U+D55C"},
        {"ANSI_936", u"😀"_s, "\\U+D83D\\U+DE00"},
        {"ANSI_1252", u"Ø 20"_s, hex("d8") + " 20"},
        {"ANSI_1252", u"中"_s, "\\U+4E2D"},
        {"ANSI_1252", u"ā"_s, "\\U+0101"},  // a best fit to "a" would lose the macron
        {"ANSI_1361", u"한글 漢"_s, hex("d0658b69") + " " + hex("f7d3")},
        {"ANSI_1361", u"中é"_s, hex("f3e9") + "\\U+00E9"},
        {"UTF-8", u"照明 😀"_s, u"照明 😀"_s.toUtf8()},
        {"UTF-8", QString(QChar(0xD800)) + u"x"_s, "\\U+D800x"},
        {"UTF-8", u"two\nlines\r"_s, "two\\U+000Alines\\U+000D"},
        {"ANSI_936", u"a\nb"_s, "a\\U+000Ab"},
        {"ANSI_936", u""_s, ""},
    };
    for (const EncodeCase& c : cases) {
        EXPECT_EQ(codePage(c.encoding).encodeText(c.text), c.expected)
            << c.encoding << " " << c.text.toStdString();
    }
}

TEST(Encoding, EveryTextReadsBackAsWrittenInEveryEncoding) {
    const QString texts[] = {
        u"配电箱 AL1 照明回路 BV-3×2.5"_s,
        u"Leitung 3×2,5 mm² Ø 20 °C"_s,
        u"한글 똠 ㄱㅏㄳ ㅘ 漢字 ※① 　"_s,
        u"ソ表 あいう 中文"_s,
        u"emoji 😀 and 𠀀"_s,
        u"back\\slash \\U+ \\M+ and tab\t"_s,
    };
    const char* encodings[] = {"ANSI_936", "ANSI_1252", "ANSI_1361", "ANSI_949",
                               "ANSI_932", "ANSI_950",  "ANSI_1251", "UTF-8"};
    for (const char* name : encodings) {
        const Encoding encoding = codePage(name);
        for (const QString& text : texts) {
            const QByteArray raw = encoding.encodeText(text);
            EXPECT_FALSE(raw.contains('\n'));
            // A literal "\U+" followed by four hex digits would read back as an escape; the
            // samples avoid that, as drawings do.
            EXPECT_EQ(encoding.decodeText(raw), text) << name << " " << text.toStdString();
        }
    }
}

TEST(Encoding, JohabMatchesTheStandardTable) {
    struct Pair {
        const char* bytes;
        QString text;
    };
    const Pair pairs[] = {
        {"8861", u"가"_s}, {"d3bd", u"힣"_s},     {"8841", u"ㄱ"_s},       {"8461", u"ㅏ"_s},
        {"8444", u"ㄳ"_s}, {"844a", u"ㄺ"_s},     {"85c18781", u"ㅘㅢ"_s}, {"99b1", u"똠"_s},
        {"f3e9", u"中"_s}, {"d968dce7", u"※①"_s}, {"f7d3f1ae", u"漢字"_s}, {"dd3a", u"ø"_s},
    };
    for (const Pair& pair : pairs) {
        EXPECT_EQ(decodeJohab(hex(pair.bytes)), pair.text) << pair.bytes;
        EXPECT_EQ(encodeJohab(pair.text), std::optional<QByteArray>(hex(pair.bytes))) << pair.bytes;
    }
    EXPECT_EQ(decodeJohab(hex("8441")), u"\u3000"_s);
    EXPECT_EQ(decodeJohab(hex("daa1")), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(decodeJohab(hex("88")), QString(QChar::ReplacementCharacter));
    EXPECT_FALSE(encodeJohab(u"é"_s).has_value());
}

TEST(Encoding, TellsValidUtf8FromOtherBytes) {
    struct Case {
        QByteArray bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain ascii text that is longer than eight bytes", true},
        {u"配电箱"_s.toUtf8(), true},
        {u"😀"_s.toUtf8(), true},
        {hex("d6d0cec4"), false},  // GBK
        {hex("c0af"), false},      // overlong
        {hex("eda080"), false},    // surrogate
        {hex("f4908080"), false},  // beyond U+10FFFF
        {hex("e4b8"), false},      // cut short
        {hex("80"), false},        // lone continuation
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();
}

}  // namespace
}  // namespace dxf
