// Code pages on every platform: the same bytes for the same text, bad bytes marked, not lost.
#include <gtest/gtest.h>

#include "core/code_page.h"
#include "support/qstring_printer.h"

namespace core {
namespace {

using namespace Qt::StringLiterals;

TEST(CodePage, ConvertsBothWaysLikeTheWindowsTables) {
    struct Case {
        const char* page;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"GBK", u"电缆YJV"_s, "\xB5\xE7\xC0\xC2YJV"},
        {"GB18030", u"电\U00020000"_s, "\xB5\xE7\x95\x32\x82\x36"},
        {"windows-950", u"電纜"_s, "\xB9\x71\xC6\x6C"},
        {"windows-932", u"ケーブル"_s, "\x83\x50\x81\x5B\x83\x75\x83\x8B"},
        {"windows-1252", u"€ü"_s, "\x80\xFC"},
        {"IBM850", u"ü"_s, "\x81"},
    };
    for (const Case& c : cases) {
        const std::optional<CodePage> page = CodePage::named(c.page);
        ASSERT_TRUE(page.has_value()) << c.page;
        EXPECT_EQ(page->encode(c.text), c.bytes) << c.page;
        EXPECT_EQ(page->decode(c.bytes), c.text) << c.page;
    }
}

TEST(CodePage, BytesThatAreNoCharacterBecomeReplacementsAndTheRestSurvives) {
    const CodePage gbk = *CodePage::named("GBK");
    // A lead byte followed by a byte that cannot trail it.
    const QString decoded = gbk.decode(
        "A\x81\x7F"
        "B\xB5\xE7");
    EXPECT_TRUE(decoded.startsWith(u'A')) << decoded.toStdString();
    EXPECT_TRUE(decoded.endsWith(u"B电"_s)) << decoded.toStdString();
    EXPECT_TRUE(decoded.contains(QChar::ReplacementCharacter)) << decoded.toStdString();
}

TEST(CodePage, ACharacterThePageLacksDoesNotRoundTrip) {
    const CodePage latin = *CodePage::named("windows-1252");
    EXPECT_NE(latin.decode(latin.encode(u"电"_s)), u"电"_s);
    EXPECT_FALSE(CodePage::named("no-such-page").has_value());
}

}  // namespace
}  // namespace core
