// The cable type query: rows of both tables at every threshold, the design current and the checks.
#include <gtest/gtest.h>

#include <cmath>

#include "calculators/cable_query.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace calculators;
using namespace Qt::StringLiterals;

const QString kLoadRefused = u"提示：负荷数据不合法"_s;
const QString kPowerFactorRefused = u"提示：功率因数不合法"_s;
const QString kOversize = u"单根超过240，宜使用双芯电缆"_s;

// Where a row starts and what it proposes; the first row of each table starts at 0.
struct Row {
    float from;
    QString designation;
};

const std::vector<Row> kCopper = {
    {0, u"VV22-1kV 3X4+1X2.5 SC25 FC-0.7m"_s},      {35, u"VV22-1kV 3X6+1X4 SC32 FC-0.7m"_s},
    {44, u"VV22-1kV 3X10+1X6 SC32 FC-0.7m"_s},      {61, u"VV22-1kV 3X16+1X10 SC50 FC-0.7m"_s},
    {80, u"VV22-1kV 3X25+1X10 SC50 FC-0.7m"_s},     {103, u"VV22-1kV 3X35+1X16 SC50 FC-0.7m"_s},
    {127, u"VV22-1kV 3X50+1X25 SC50 FC-0.7m"_s},    {155, u"VV22-1kV 3X70+1X35 SC50 FC-0.7m"_s},
    {183, u"VV22-1kV 3X95+1X50 SC70 FC-0.7m"_s},    {221, u"VV22-1kV 3X120+1X70 SC70 FC-0.7m"_s},
    {249, u"VV22-1kV 3X150+1X70 SC70 FC-0.7m"_s},   {287, u"VV22-1kV 3X185+1X95 SC80 FC-0.7m"_s},
    {320, u"VV22-1kV 3X240+1X120 SC100 FC-0.7m"_s}, {376, kOversize},
};

const std::vector<Row> kAluminium = {
    {0, u"VLV22-1kV 3X4+1X2.5 SC25 FC-0.7m"_s},      {27, u"VLV22-1kV 3X6+1X4 SC32 FC-0.7m"_s},
    {35, u"VLV22-1kV 3X10+1X6 SC32 FC-0.7m"_s},      {47, u"VLV22-1kV 3X16+1X10 SC50 FC-0.7m"_s},
    {61, u"VLV22-1kV 3X25+1X10 SC50 FC-0.7m"_s},     {78, u"VLV22-1kV 3X35+1X16 SC50 FC-0.7m"_s},
    {103, u"VLV22-1kV 3X50+1X25 SC50 FC-0.7m"_s},    {118, u"VLV22-1kV 3X70+1X35 SC50 FC-0.7m"_s},
    {136, u"VLV22-1kV 3X95+1X50 SC70 FC-0.7m"_s},    {165, u"VLV22-1kV 3X120+1X70 SC70 FC-0.7m"_s},
    {188, u"VLV22-1kV 3X150+1X70 SC70 FC-0.7m"_s},   {216, u"VLV22-1kV 3X185+1X95 SC80 FC-0.7m"_s},
    {244, u"VLV22-1kV 3X240+1X120 SC100 FC-0.7m"_s}, {287, kOversize},
};

QString shortest(double v) {
    return QString::number(v, 'g', 17);
}

// A load text at power factor 0.8 whose design current is exactly `current`.
QString loadTextFor(float current) {
    double load = static_cast<double>(current) * std::sqrt(3.0) * 380 * 0.8 / 1000;
    for (int step = 0; step < 64; ++step) {
        if (CurrentOfLoad(shortest(load), u"0.8"_s) == current) {
            return shortest(load);
        }
        load = std::nextafter(load, CurrentOfLoad(shortest(load), u"0.8"_s) < current ? 1e9 : 0);
    }
    return {};
}

QString query(const QString& load, const QString& powerFactor, InputMode mode,
              CoreMaterial material) {
    ui::RecordingUi ui;
    proposeCableType({load, powerFactor, mode, material}, ui);
    return ui.hints.join(u'|');
}

struct Table {
    CoreMaterial material;
    const std::vector<Row>* rows;
};

void PrintTo(const Table& table, std::ostream* os) {
    *os << (table.material == CoreMaterial::Copper ? "Copper" : "Aluminium");
}

class CableRowsTest : public ::testing::TestWithParam<Table> {};

TEST_P(CableRowsTest, EveryThresholdStartsItsRowAndTheCurrentJustBelowStaysInThePreviousOne) {
    const auto& [material, rows] = GetParam();
    for (std::size_t i = 1; i < rows->size(); ++i) {
        const float at = (*rows)[i].from;
        const float below = std::nextafter(at, 0.0f);
        const QString atRow = u"提示："_s + (*rows)[i].designation;
        const QString belowRow = u"提示："_s + (*rows)[i - 1].designation;
        SCOPED_TRACE(at);

        EXPECT_EQ(query(shortest(at), u"0.8"_s, InputMode::Current, material), atRow);
        EXPECT_EQ(query(shortest(below), u"0.8"_s, InputMode::Current, material), belowRow);

        const QString loadAt = loadTextFor(at);
        const QString loadBelow = loadTextFor(below);
        ASSERT_FALSE(loadAt.isEmpty());
        ASSERT_FALSE(loadBelow.isEmpty());
        EXPECT_EQ(query(loadAt, u"0.8"_s, InputMode::Power, material), atRow);
        EXPECT_EQ(query(loadBelow, u"0.8"_s, InputMode::Power, material), belowRow);
    }
}

TEST_P(CableRowsTest, SmallAndHugeCurrentsTakeTheFirstRowAndTheOversizeNotice) {
    const auto& [material, rows] = GetParam();
    EXPECT_EQ(query(u"0.001"_s, u"0.8"_s, InputMode::Current, material),
              u"提示："_s + rows->front().designation);
    EXPECT_EQ(query(u"1e300"_s, u"0.8"_s, InputMode::Current, material), u"提示："_s + kOversize);
    EXPECT_EQ(query(u"1e300"_s, u"0.8"_s, InputMode::Power, material), u"提示："_s + kOversize);
}

INSTANTIATE_TEST_SUITE_P(BothMaterials, CableRowsTest,
                         ::testing::Values(Table{CoreMaterial::Copper, &kCopper},
                                           Table{CoreMaterial::Aluminium, &kAluminium}),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

TEST(CableQueryTest, DefaultsGiveAboutSeventyAmperesAndTheSixteenSquareCable) {
    EXPECT_NEAR(CurrentOfLoad(u"37"_s, u"0.8"_s), 70.27, 0.005);
    EXPECT_EQ(query(u"37"_s, u"0.8"_s, InputMode::Power, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X16+1X10 SC50 FC-0.7m"_s);
    EXPECT_EQ(query(u"37"_s, u"0.8"_s, InputMode::Power, CoreMaterial::Aluminium),
              u"提示：VLV22-1kV 3X25+1X10 SC50 FC-0.7m"_s);
}

TEST(CableQueryTest, CurrentIsComparedInSinglePrecision) {
    // 34.99999999 A is below 35 in double precision but is 35 as a float.
    EXPECT_EQ(query(u"34.99999999"_s, u"0.8"_s, InputMode::Current, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X6+1X4 SC32 FC-0.7m"_s);
    EXPECT_EQ(query(u"34.9"_s, u"0.8"_s, InputMode::Current, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X4+1X2.5 SC25 FC-0.7m"_s);
}

struct Refusal {
    const char16_t* load;
    const char16_t* powerFactor;
    QString hints;
};

TEST(CableQueryTest, RefusalsInBothModesAndTheirOrder) {
    const QString row61 = u"提示：VV22-1kV 3X16+1X10 SC50 FC-0.7m"_s;
    const Refusal cases[] = {
        {u"37", u"1", kPowerFactorRefused},
        {u"37", u"1.2", kPowerFactorRefused},
        {u"37", u"0", kPowerFactorRefused},
        {u"37", u"", kPowerFactorRefused},
        {u"37", u"0.8x", kPowerFactorRefused},
        {u"0", u"0.8", kLoadRefused},
        {u"-5", u"0.8", kLoadRefused},
        {u"37kW", u"0.8", kLoadRefused},
        {u"", u"0.8", kLoadRefused},
        {u"37kW", u"1", kLoadRefused + u'|' + kPowerFactorRefused},
    };
    for (InputMode mode : {InputMode::Power, InputMode::Current}) {
        for (const Refusal& c : cases) {
            EXPECT_EQ(query(QString::fromUtf16(c.load), QString::fromUtf16(c.powerFactor), mode,
                            CoreMaterial::Copper),
                      c.hints)
                << QString::fromUtf16(c.load).toStdString() << " "
                << QString::fromUtf16(c.powerFactor).toStdString();
        }
    }
    EXPECT_EQ(query(u"37"_s, u"0.99"_s, InputMode::Power, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X10+1X6 SC32 FC-0.7m"_s);
    EXPECT_EQ(query(u"70"_s, u"0.99"_s, InputMode::Current, CoreMaterial::Copper), row61);
}

TEST(CableQueryTest, BlanksAroundBothNumbersAreAccepted) {
    EXPECT_EQ(query(u"  37  "_s, u" 0.8 "_s, InputMode::Power, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X16+1X10 SC50 FC-0.7m"_s);
    EXPECT_EQ(query(u" 35 "_s, u"0.8  "_s, InputMode::Current, CoreMaterial::Copper),
              u"提示：VV22-1kV 3X6+1X4 SC32 FC-0.7m"_s);
}

}  // namespace
