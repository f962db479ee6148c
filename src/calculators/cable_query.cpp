// The cable type query: validation, design current and the two threshold tables.
#include "calculators/cable_query.h"

#include <array>
#include <cmath>
#include <span>

#include "core/number_syntax.h"
#include "core/text.h"

namespace calculators {

namespace {

// A row holds the currents from the previous row's bound up to, not including, its own.
struct CableRow {
    float upperBound;
    const char16_t* designation;
};

constexpr double kLineVoltage = 380;

constexpr std::array<CableRow, 13> kCopperRows{{
    {35.0f, u"VV22-1kV 3X4+1X2.5 SC25 FC-0.7m"},
    {44.0f, u"VV22-1kV 3X6+1X4 SC32 FC-0.7m"},
    {61.0f, u"VV22-1kV 3X10+1X6 SC32 FC-0.7m"},
    {80.0f, u"VV22-1kV 3X16+1X10 SC50 FC-0.7m"},
    {103.0f, u"VV22-1kV 3X25+1X10 SC50 FC-0.7m"},
    {127.0f, u"VV22-1kV 3X35+1X16 SC50 FC-0.7m"},
    {155.0f, u"VV22-1kV 3X50+1X25 SC50 FC-0.7m"},
    {183.0f, u"VV22-1kV 3X70+1X35 SC50 FC-0.7m"},
    {221.0f, u"VV22-1kV 3X95+1X50 SC70 FC-0.7m"},
    {249.0f, u"VV22-1kV 3X120+1X70 SC70 FC-0.7m"},
    {287.0f, u"VV22-1kV 3X150+1X70 SC70 FC-0.7m"},
    {320.0f, u"VV22-1kV 3X185+1X95 SC80 FC-0.7m"},
    {376.0f, u"VV22-1kV 3X240+1X120 SC100 FC-0.7m"},
}};

constexpr std::array<CableRow, 13> kAluminiumRows{{
    {27.0f, u"VLV22-1kV 3X4+1X2.5 SC25 FC-0.7m"},
    {35.0f, u"VLV22-1kV 3X6+1X4 SC32 FC-0.7m"},
    {47.0f, u"VLV22-1kV 3X10+1X6 SC32 FC-0.7m"},
    {61.0f, u"VLV22-1kV 3X16+1X10 SC50 FC-0.7m"},
    {78.0f, u"VLV22-1kV 3X25+1X10 SC50 FC-0.7m"},
    {103.0f, u"VLV22-1kV 3X35+1X16 SC50 FC-0.7m"},
    {118.0f, u"VLV22-1kV 3X50+1X25 SC50 FC-0.7m"},
    {136.0f, u"VLV22-1kV 3X70+1X35 SC50 FC-0.7m"},
    {165.0f, u"VLV22-1kV 3X95+1X50 SC70 FC-0.7m"},
    {188.0f, u"VLV22-1kV 3X120+1X70 SC70 FC-0.7m"},
    {216.0f, u"VLV22-1kV 3X150+1X70 SC70 FC-0.7m"},
    {244.0f, u"VLV22-1kV 3X185+1X95 SC80 FC-0.7m"},
    {287.0f, u"VLV22-1kV 3X240+1X120 SC100 FC-0.7m"},
}};

// The row of every current at or above the last bound.
constexpr char16_t kOversize[] = u"单根超过240，宜使用双芯电缆";

double leadingNumberOfTrimmed(const QString& text) {
    return core::leadingNumber(core::trimmedBlanksView(text));
}

std::optional<double> valueOfTrimmed(const QString& text) {
    return core::decimalValue(core::trimmedBlanksView(text));
}

}  // namespace

float CurrentOfLoad(const QString& loadText, const QString& powerFactorText) {
    const double p = leadingNumberOfTrimmed(loadText);
    const double c = leadingNumberOfTrimmed(powerFactorText);
    return static_cast<float>((p * 1000) / (std::sqrt(3.0) * kLineVoltage * c));
}

QString cableDesignation(float current, CoreMaterial material) {
    const std::span<const CableRow> rows =
        material == CoreMaterial::Aluminium ? kAluminiumRows : kCopperRows;
    for (const CableRow& row : rows) {
        if (current < row.upperBound) {
            return QString::fromUtf16(row.designation);
        }
    }
    return QString::fromUtf16(kOversize);
}

void QueryCableType(const CableQueryInput& input, ui::Ui& ui) {
    const float current = input.mode == InputMode::Current
                              ? static_cast<float>(leadingNumberOfTrimmed(input.load))
                              : CurrentOfLoad(input.load, input.powerFactor);
    ui.showHint(QStringLiteral("提示：") + cableDesignation(current, input.material));
}

void proposeCableType(const CableQueryInput& input, ui::Ui& ui) {
    const std::optional<double> load = valueOfTrimmed(input.load);
    const bool loadValid = load && *load > 0;
    if (!loadValid) {
        ui.showHint(QStringLiteral("提示：负荷数据不合法"));
    }
    const std::optional<double> c = valueOfTrimmed(input.powerFactor);
    const bool powerFactorValid = c && *c > 0 && *c < 1;
    if (!powerFactorValid) {
        ui.showHint(QStringLiteral("提示：功率因数不合法"));
    }
    if (loadValid && powerFactorValid) {
        QueryCableType(input, ui);
    }
}

}  // namespace calculators
