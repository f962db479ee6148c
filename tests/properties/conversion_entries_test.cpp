// Conversion texts must be exact entries of their lists; each property refuses with its own hint.
#include <gtest/gtest.h>

#include "properties/conversion_entries.h"
#include "support/qstring_printer.h"

namespace properties {
namespace {

using namespace Qt::StringLiterals;

TEST(ConversionEntriesTest, OnlyExactEntriesOfBothListsAreAccepted) {
    const ConversionLists lists{{u"  1(红)"_s, u"照明"_s, QString()}, {u"动力"_s, u"Hidden"_s}};
    const struct {
        const char16_t* source;
        const char16_t* target;
        bool accepted;
    } cases[] = {
        {u"照明", u"动力", true},    {u"  1(红)", u"Hidden", true}, {u"", u"动力", true},
        {u"1", u"动力", false},      {u"1(红)", u"动力", false},    {u"照明 ", u"动力", false},
        {u"照明", u"hidden", false}, {u"照明", u"", false},         {u"动力", u"照明", false},
    };
    for (const auto& c : cases) {
        const ConversionInput input{QString::fromUtf16(c.source), QString::fromUtf16(c.target)};
        EXPECT_EQ(entryRefusal(Property::Layer, lists, input).isEmpty(), c.accepted)
            << input.source.toStdString() << " -> " << input.target.toStdString();
    }
}

TEST(ConversionEntriesTest, EachPropertyRefusesWithItsOwnHint) {
    const std::pair<Property, QString> hints[] = {
        {Property::TextStyle, u"提示：所选字型不存在"_s},
        {Property::Layer, u"提示：所选层不存在"_s},
        {Property::Color, u"提示：所选颜色不存在"_s},
        {Property::Linetype, u"提示：所选线型不存在"_s},
    };
    for (const auto& [property, hint] : hints) {
        EXPECT_EQ(entryRefusal(property, {}, {u"a"_s, u"b"_s}), hint);
    }
}

}  // namespace
}  // namespace properties
