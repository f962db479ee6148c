// GB18030 alike on every platform: core::CodePage's (ICU on Linux, core::Gb18030 on Windows) and
// core::Gb18030 over this platform's GBK both write the bytes ICU writes and read them back.
#include <gtest/gtest.h>

#include <QCryptographicHash>

#include "core/code_page.h"
#include "core/gb18030.h"
#include "support/qstring_printer.h"

namespace core {
namespace {

using namespace Qt::StringLiterals;

// The bytes of every Unicode scalar value in order, as ICU 72 writes them (GB18030-2005).
constexpr qsizetype kEverySize = 4399992;
constexpr const char* kEverySha256 =
    "6028855ef9543218873f0a520bcfe50dfe174b5b0636890c115c160f08baa8e5";

QString everyCharacter() {
    QString text;
    text.reserve(2 * 0x110000);
    for (char32_t u = 0; u <= 0x10FFFF; ++u) {
        if (u < 0xD800 || u > 0xDFFF) {
            text += QStringView(QChar::fromUcs4(u));
        }
    }
    return text;
}

TEST(Gb18030, WritesEveryCharacterAsIcuDoesAndReadsItBack) {
    const CodePage page = *CodePage::named("GB18030");
    const Gb18030 codec(*CodePage::named("GBK"));
    const QString text = everyCharacter();
    for (const QByteArray& bytes : {page.encode(text), codec.encode(text)}) {
        EXPECT_EQ(bytes.size(), kEverySize);
        EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString(),
                  kEverySha256);
        EXPECT_TRUE(page.decode(bytes) == text);
        EXPECT_TRUE(codec.decode(bytes) == text);
    }
}

TEST(Gb18030, BadBytesBecomeReplacementsAndTheRestSurvives) {
    const struct {
        const char* hex;
        QString text;
    } cases[] = {
        {"80 41 ff a2e3", u"\uFFFDA\uFFFD€"_s},
        // A lead byte alone is the bad sequence, but for 0xFF, which starts nothing.
        {"81 20 42 81ff 42", u"\uFFFD B\uFFFDB"_s},
        {"81 30 20 81 30 8142", u"\uFFFD0 \uFFFD0\u4E05"_s},
        // Four bytes past the BMP's and past U+10FFFF, next to the last of each.
        {"8431a439 8431a530", u"\uFFFF\uFFFD"_s},
        {"e3329a35 e3329a36 41", u"\U0010FFFF\uFFFDA"_s},
    };
    const CodePage page = *CodePage::named("GB18030");
    const Gb18030 codec(*CodePage::named("GBK"));
    for (const auto& c : cases) {
        const QByteArray bytes = QByteArray::fromHex(c.hex);
        EXPECT_EQ(page.decode(bytes), c.text) << c.hex;
        EXPECT_EQ(codec.decode(bytes), c.text) << c.hex;
    }
    // Qt's ICU conversion drops a sequence the end cuts off; ours marks it.
    EXPECT_EQ(codec.decode("A\x81\x30\x81"), u"A\uFFFD"_s);
    EXPECT_EQ(codec.decode("A\x81"), u"A\uFFFD"_s);
    // Lone surrogates become ICU's substitute.
    EXPECT_EQ(page.encode(u"A\xDFFF\xD800."_s), "A\x1A\x1A.");
    EXPECT_EQ(codec.encode(u"A\xDFFF\xD800."_s), "A\x1A\x1A.");
}

}  // namespace
}  // namespace core
