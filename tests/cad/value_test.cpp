// Member names and value conversions of the automation interface.
#include <gtest/gtest.h>

#include "cad/value.h"
#include "support/qstring_printer.h"

namespace {

using cad::Member;
using cad::Value;

TEST(MemberNames, MatchWithoutRegardToCase) {
    struct Case {
        const char16_t* name;
        Member member;
    };
    for (const Case& c :
         {Case{u"textString", Member::TextString}, Case{u"TEXTSTRING", Member::TextString},
          Case{u"fontfile", Member::FontFile}, Case{u"layer", Member::Layer},
          Case{u"insertionPoint", Member::InsertionPoint}, Case{u"blocks", Member::Blocks},
          Case{u"AddMtext", Member::AddMtext}}) {
        EXPECT_EQ(cad::memberByName(QStringView(c.name)), c.member)
            << QString::fromUtf16(c.name).toStdString();
    }
    EXPECT_FALSE(cad::memberByName(u"NoSuchMember").has_value());
}

TEST(MemberNames, EveryMemberRoundTripsThroughItsName) {
    for (int i = 0; i < cad::kMemberCount; ++i) {
        const auto m = static_cast<Member>(i);
        EXPECT_EQ(cad::memberByName(cad::memberName(m)), m);
    }
}

TEST(ValueConversions, FollowLateBinding) {
    EXPECT_EQ(Value(3).toDouble(), 3.0);
    EXPECT_EQ(Value(2.5).toInt(), 2);  // halves to even
    EXPECT_EQ(Value(3.5).toInt(), 4);
    EXPECT_EQ(Value(std::vector<double>{1, 2, 3}).toPoint(), (cad::Point{1, 2, 3}));
    EXPECT_EQ(Value(cad::Point{1, 2, 3}).toDoubles(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Value(u"层").toText(), QStringLiteral("层"));
}

TEST(ValueConversions, RefuseWhatCannotConvert) {
    EXPECT_THROW(Value(u"12").toDouble(), cad::Error);
    EXPECT_THROW(Value().toText(), cad::Error);
    EXPECT_THROW(Value(1e12).toInt(), cad::Error);
    EXPECT_THROW(Value(std::vector<double>{1, 2}).toPoint(), cad::Error);
    EXPECT_THROW(Value(cad::ObjectRef()).toObject(), cad::Error);
}

}  // namespace
