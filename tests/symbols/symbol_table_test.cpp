// Every row of the symbol library drawn at a picked point: prompt, counts, extent, texts, colours,
// linetypes, the linetype loaded and the z of every point.
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing_fixture.h"
#include "support/qstring_printer.h"

namespace symbols::testing {
namespace {

using namespace Qt::StringLiterals;

const QString kCircleCentre = u"圆心为图块插入点,选择你在图中的对应点: "_s;
const QString kLowerEnd = u"下端点为图块插入点,选择你在图中的对应点: "_s;
const QString kBottomEdgeCentre = u"底边中心为图块插入点,选择你在图中的对应点: "_s;
const QString kBottomCentre = u"底部中心为图块插入点,选择你在图中的对应点: "_s;
const QString kCircleLeftEnd = u"圆左端点为插入点,选择你在图中的对应点: "_s;
const QString kTopEdgeCentre = u"上边中心为图块插入点,选择你在图中的对应点: "_s;
const QString kLeftEnd = u"左端点为图块插入点,选择你在图中的对应点: "_s;
const QString kBelowElectrode = u"中间极以下30毫米处为图块插入点,选择你在图中的对应点: "_s;
const QString kLargeCircleCentre = u"大圆圆心为图块插入点,选择你在图中的对应点: "_s;
const QString kRedLineTopEnd = u"红线上端点为图块插入点,选择你在图中的对应点: "_s;
const QString kLineRightEnd = u"直线右端点为图块插入点,选择你在图中的对应点: "_s;
const QString kCentre = u"中心为图块插入点,选择你在图中的对应点: "_s;
const QString kCableEnds = u"cable"_s;  // the two cable prompts
const QString kNoPick;

struct Extent {
    double xMin, xMax, yMin, yMax;
};

struct Row {
    int index;
    QString name;
    QString prompt;
    int lines, circles, arcs, texts;
    Extent extent;
    QString loads;
};

// clang-format off
const Row kRows[] = {
    {0, u"安全灯"_s, kCircleCentre, 21, 1, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {1, u"暗装插座1"_s, kCircleCentre, 21, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {2, u"暗装插座2"_s, kCircleCentre, 20, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {3, u"暗装插座3"_s, kCircleCentre, 23, 0, 1, 0, {-3.758, 3.758, 0, 5.249}, {}},
    {4, u"暗装开关1"_s, kCircleCentre, 12, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {5, u"暗装开关2"_s, kCircleCentre, 13, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {6, u"暗装开关3"_s, kCircleCentre, 14, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {7, u"壁灯"_s, kCircleLeftEnd, 10, 1, 0, 0, {0, 6.5, -3.25, 3.25}, {}},
    {8, u"避雷器"_s, kTopEdgeCentre, 16, 0, 0, 1, {-3, 3, -25, 0}, {}},
    {9, u"刀熔开关"_s, kLowerEnd, 5, 0, 0, 0, {-5.049, 0.049, 0, 8.66}, {}},
    {10, u"电流表"_s, kCircleCentre, 0, 1, 0, 1, {-3.25, 3.25, -3.25, 3.25}, {}},
    {11, u"电流互感器"_s, kCircleCentre, 3, 1, 0, 0, {-3, 7.206, -3, 3}, {}},
    {12, u"电压表"_s, kCircleCentre, 0, 1, 0, 1, {-3.25, 3.25, -3.25, 3.25}, {}},
    {13, u"吊扇"_s, kCircleCentre, 0, 0, 4, 0, {-4.753, 4.753, -1.169, 1.169}, {}},
    {14, u"吊扇开关"_s, kCircleCentre, 2, 1, 0, 0, {-5.494, 1.5, -1.5, 6.213}, {}},
    {15, u"跌落熔断器"_s, kCircleCentre, 9, 1, 0, 0, {-8.129, 1.5, -1, 10}, {}},
    {16, u"动力箱屏"_s, kBottomEdgeCentre, 14, 0, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {17, u"多电源箱"_s, kBottomEdgeCentre, 12, 0, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {18, u"防爆按钮"_s, kBottomCentre, 24, 2, 0, 0, {-1.25, 1.25, 0, 5}, {}},
    {19, u"防爆插座1"_s, kCircleCentre, 18, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {20, u"防爆插座2"_s, kCircleCentre, 17, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {21, u"防爆插座3"_s, kCircleCentre, 20, 0, 1, 0, {-3.758, 3.758, 0, 5.249}, {}},
    {22, u"防爆灯1"_s, kCircleCentre, 18, 2, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {23, u"防爆灯2"_s, kLeftEnd, 9, 0, 0, 0, {0, 12, -1.5, 1.5}, {}},
    {24, u"防爆开关1"_s, kCircleCentre, 7, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {25, u"防爆开关2"_s, kCircleCentre, 8, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {26, u"防爆开关3"_s, kCircleCentre, 9, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {27, u"防水灯"_s, kCircleCentre, 14, 2, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {28, u"风机"_s, kCircleCentre, 0, 1, 8, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {29, u"负荷开关"_s, kLowerEnd, 2, 1, 0, 0, {-5, 1.5, 0, 10}, {}},
    {30, u"隔离开关"_s, kLowerEnd, 2, 0, 0, 0, {-5, 1.5, 0, 10}, {}},
    {31, u"功率表"_s, kCircleCentre, 0, 1, 0, 1, {-3.25, 3.25, -3.25, 3.25}, {}},
    {32, u"功率因数表"_s, kCircleCentre, 0, 1, 0, 1, {-3.25, 3.25, -3.25, 3.25}, {}},
    {33, u"广照灯"_s, kCircleCentre, 2, 1, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {34, u"花灯"_s, kCircleCentre, 4, 1, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {35, u"建北"_s, kCircleCentre, 10, 1, 0, 1, {-12, 12, -12, 12}, {}},
    {36, u"交流箱屏"_s, kBottomEdgeCentre, 4, 0, 0, 1, {-2.5, 2.5, 0, 3}, {}},
    {37, u"接触器"_s, kLowerEnd, 1, 0, 1, 0, {-5, 0, 0, 13}, {}},
    {38, u"接地装置"_s, kBelowElectrode, 20, 3, 0, 5, {-53.747, 68.05, -5.394, 44.979}, u"CENTER"_s},
    {39, u"空气开关"_s, kLowerEnd, 3, 0, 0, 0, {-5, 1.25, 0, 11.25}, {}},
    {40, u"拉线开关"_s, kCircleCentre, 5, 1, 0, 0, {-1.5, 5.5, -1.5, 5.259}, {}},
    {41, u"路灯"_s, kCircleCentre, 4, 1, 0, 0, {-2.5, 2.5, -5.539, 2.5}, {}},
    {42, u"密闭按钮"_s, kBottomCentre, 5, 2, 0, 0, {-1.25, 1.25, 0, 5}, {}},
    {43, u"明插座1"_s, kCircleCentre, 3, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {44, u"明插座2"_s, kCircleCentre, 2, 0, 1, 0, {-3.25, 3.25, 0, 5.249}, {}},
    {45, u"明插座3"_s, kCircleCentre, 5, 0, 1, 0, {-3.758, 3.758, 0, 5.249}, {}},
    {46, u"明开关1"_s, kCircleCentre, 2, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {47, u"明开关2"_s, kCircleCentre, 3, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {48, u"明开关3"_s, kCircleCentre, 4, 1, 0, 0, {-4.027, 1.5, -1.5, 6.372}, {}},
    {49, u"频率表"_s, kCircleCentre, 0, 1, 0, 1, {-3.25, 3.25, -3.25, 3.25}, {}},
    {50, u"签名"_s, kNoPick, 0, 0, 0, 0, {0, 0, 0, 0}, {}},
    // Picked at P and P + (10, 0): the dashed line runs 1 above.
    {51, u"嵌埋电缆"_s, kCableEnds, 2, 0, 0, 0, {0, 10, 0, 1}, u"HIDDEN"_s},
    {52, u"热继电器"_s, kRedLineTopEnd, 9, 0, 0, 0, {-3.804, 6.196, -8, 0}, {}},
    {53, u"熔断器"_s, kBottomEdgeCentre, 4, 0, 0, 0, {-1.5, 1.5, 0, 5}, {}},
    {54, u"深照灯"_s, kCircleCentre, 2, 1, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {55, u"事故灯"_s, kCircleCentre, 9, 1, 0, 0, {-2.263, 2.263, -2.263, 2.263}, {}},
    {56, u"事故照明箱"_s, kBottomEdgeCentre, 6, 0, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {57, u"弯灯"_s, kLineRightEnd, 1, 1, 1, 0, {-7.059, 0, -2.749, 1.778}, {}},
    {58, u"无功电度表"_s, kBottomEdgeCentre, 5, 0, 0, 1, {-4, 4, 0, 10}, {}},
    {59, u"吸顶灯"_s, kCircleCentre, 19, 0, 1, 0, {-3.25, 3.25, 0, 3.25}, {}},
    {60, u"新建变压器"_s, kLargeCircleCentre, 0, 2, 0, 0, {-2.7, 2.7, -5.118, 2.7}, {}},
    {61, u"信号箱屏"_s, kBottomEdgeCentre, 6, 1, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {62, u"一般按钮"_s, kBottomCentre, 4, 2, 0, 0, {-1.25, 1.25, 0, 4}, {}},
    {63, u"一般灯具"_s, kCircleCentre, 2, 1, 0, 0, {-3.25, 3.25, -3.25, 3.25}, {}},
    {64, u"一般开关"_s, kCircleCentre, 1, 1, 0, 0, {-4.027, 1.5, -1.5, 5.172}, {}},
    {65, u"一般箱屏"_s, kBottomEdgeCentre, 4, 0, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {66, u"已建变压器"_s, kLargeCircleCentre, 8, 2, 0, 0, {-2.7, 2.7, -5.118, 2.7}, {}},
    {67, u"荧光灯1"_s, kCentre, 3, 0, 0, 0, {-5, 5, -1, 1}, {}},
    {68, u"荧光灯2"_s, kCentre, 4, 0, 0, 0, {-5, 5, -1.8, 1.8}, {}},
    {69, u"荧光灯3"_s, kCentre, 5, 0, 0, 0, {-5, 5, -1.8, 1.8}, {}},
    {70, u"由此引上符"_s, kCircleCentre, 12, 1, 0, 0, {-1.3, 2.374, -1.3, 4.638}, {}},
    {71, u"由此引上引下符"_s, kCircleCentre, 15, 1, 0, 0, {-2.364, 2.374, -4.643, 4.638}, {}},
    {72, u"由此引下符"_s, kCircleCentre, 12, 1, 0, 0, {-2.364, 1.3, -4.643, 1.3}, {}},
    {73, u"由上引来符"_s, kCircleCentre, 12, 1, 0, 0, {-1.3, 2.374, -1.3, 4.638}, {}},
    {74, u"由上引下再引下符"_s, kCircleCentre, 15, 1, 0, 0, {-2.364, 2.374, -4.643, 4.638}, {}},
    {75, u"由下引来符"_s, kCircleCentre, 12, 1, 0, 0, {-2.364, 1.3, -4.643, 1.3}, {}},
    {76, u"由下引上再引上符"_s, kCircleCentre, 15, 1, 0, 0, {-2.364, 2.374, -4.643, 4.638}, {}},
    {77, u"有功电度表"_s, kBottomEdgeCentre, 5, 0, 0, 1, {-4, 4, 0, 10}, {}},
    {78, u"照明箱屏"_s, kBottomEdgeCentre, 15, 0, 0, 0, {-2.5, 2.5, 0, 3}, {}},
    {79, u"直流箱屏"_s, kBottomEdgeCentre, 6, 0, 0, 0, {-2.5, 2.5, 0, 3}, u"HIDDEN"_s},
};

struct ExpectedText {
    QString symbol;
    QString text;
    double x, y, height, widthFactor, rotation;
};

const ExpectedText kTexts[] = {
    {u"避雷器"_s, u"FYS-0.22"_s, -14.053, -11.249, 3, 0.6, 0},
    {u"电流表"_s, u"A"_s, -1.29, -1.537, 3.5, 0.75, 0},
    {u"电压表"_s, u"V"_s, -1.29, -1.537, 3.5, 0.75, 0},
    {u"功率表"_s, u"W"_s, -1.561, -1.931, 3.5, 0.75, 0},
    {u"功率因数表"_s, u"COS%%c"_s, -2.699, -1.678, 3.5, 0.4, 0},
    {u"频率表"_s, u"Hz"_s, -2.388, -1.764, 3.5, 0.75, 0},
    {u"无功电度表"_s, u"varh"_s, -3.734, 1.351, 5, 0.4, 0},
    {u"有功电度表"_s, u"Wh"_s, -3.734, 1.351, 5, 0.7, 0},
    {u"交流箱屏"_s, u"S"_s, 1.224, 0.896, 2.5, 0.65, 1.5707963},
    {u"建北"_s, u"建北"_s, -3.286, 13.67, 5, 0.75, 0},
    {u"接地装置"_s, u"-40X4"_s, -27.444472, 32.190683, 3.5, 0.8, 0},
    {u"接地装置"_s, u"R≤10Ω"_s, 21.765639, 32.736836, 3.5, 0.8, 0},
    {u"接地装置"_s, u"5000"_s, -25.934280, 41.041350, 3.5, 0.8, 0},
    {u"接地装置"_s, u"5000"_s, 24.065720, 41.041350, 3.5, 0.8, 0},
    {u"接地装置"_s, u"≥3000"_s, 62.438251, 10.598975, 3.5, 0.8, 1.5707963},
};

// Lines that set their own colour or linetype; every other line keeps the current ones.
struct LineLook {
    QString symbol;
    int color;  // 256 is by layer, the drawing's current colour
    QString linetype;
    int count;
};

const LineLook kLooks[] = {
    {u"直流箱屏"_s, 1, u"ByLayer"_s, 1},  {u"直流箱屏"_s, 256, u"HIDDEN"_s, 1},
    {u"热继电器"_s, 1, u"ByLayer"_s, 5},  {u"接地装置"_s, 256, u"CENTER"_s, 2},
    {u"嵌埋电缆"_s, 1, u"ByLayer"_s, 1},  {u"嵌埋电缆"_s, 0, u"HIDDEN"_s, 1},
};
// clang-format on

constexpr double kHalfThousandth = 0.0005 + 1e-9;

void widen(Extent& e, double x, double y) {
    e.xMin = std::min(e.xMin, x);
    e.xMax = std::max(e.xMax, x);
    e.yMin = std::min(e.yMin, y);
    e.yMax = std::max(e.yMax, y);
}

// The true extent of an arc: its ends and every axis point its sweep passes.
void widenByArc(Extent& e, const cad::Entity& arc) {
    const cad::Point c = arc.Center();
    const double r = arc.Radius();
    const double start = arc.StartAngle();
    double sweep = std::fmod(arc.EndAngle() - start, 2 * M_PI);
    if (sweep <= 0) {
        sweep += 2 * M_PI;
    }
    for (double a : {start, start + sweep}) {
        widen(e, c.x + r * std::cos(a), c.y + r * std::sin(a));
    }
    for (int quarter = 0; quarter < 8; ++quarter) {
        const double a = quarter * M_PI / 2;
        const double into = std::fmod(a - start + 4 * M_PI, 2 * M_PI);
        if (into <= sweep) {
            widen(e, c.x + r * std::cos(a), c.y + r * std::sin(a));
        }
    }
}

Extent extentOf(const Drawn& d) {
    const double inf = std::numeric_limits<double>::infinity();
    Extent e{inf, -inf, inf, -inf};
    for (const auto& line : d.lines) {
        widen(e, line.StartPoint().x, line.StartPoint().y);
        widen(e, line.EndPoint().x, line.EndPoint().y);
    }
    for (const auto& circle : d.circles) {
        const cad::Point c = circle.Center();
        widen(e, c.x - circle.Radius(), c.y - circle.Radius());
        widen(e, c.x + circle.Radius(), c.y + circle.Radius());
    }
    for (const auto& arc : d.arcs) {
        widenByArc(e, arc);
    }
    return e;
}

std::vector<double> zsOf(const Drawn& d) {
    std::vector<double> zs;
    for (const auto& line : d.lines) {
        zs.push_back(line.StartPoint().z);
        zs.push_back(line.EndPoint().z);
    }
    for (const auto& c : d.circles) {
        zs.push_back(c.Center().z);
    }
    for (const auto& a : d.arcs) {
        zs.push_back(a.Center().z);
    }
    for (const auto& t : d.texts) {
        zs.push_back(t.InsertionPoint().z);
    }
    return zs;
}

struct Case {
    const Row* row;
    double z;
};

class SymbolRowTest : public DrawingFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(SymbolRowTest, DrawsItsPrimitivesAtThePickedPoint) {
    const Row& row = *GetParam().row;
    const cad::Point p{100, 200, GetParam().z};
    ASSERT_LT(row.index, symbolNames().size());
    EXPECT_EQ(symbolNames()[row.index], row.name);
    const Symbol* symbol = findSymbol(row.name);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->index, row.index);

    auto& script = app->script();
    script.queuePoint(p);
    if (row.prompt == kCableEnds) {
        script.queuePoint({p.x + 10, p.y, p.z});
    }
    drawSymbol(link, *symbol);

    QStringList prompts;
    if (row.prompt == kCableEnds) {
        prompts = {u"选择电缆起点: "_s, u"选择电缆终点: "_s};
    } else if (!row.prompt.isEmpty()) {
        prompts = {row.prompt};
    }
    EXPECT_EQ(script.prompts, prompts);

    const Drawn d = drawn();
    EXPECT_EQ(d.lines.size(), row.lines);
    EXPECT_EQ(d.circles.size(), row.circles);
    EXPECT_EQ(d.arcs.size(), row.arcs);
    EXPECT_EQ(d.texts.size(), row.texts);
    EXPECT_EQ(d.total, row.lines + row.circles + row.arcs + row.texts);

    if (d.total > std::ssize(d.texts)) {
        const Extent e = extentOf(d);
        EXPECT_NEAR(e.xMin - p.x, row.extent.xMin, kHalfThousandth);
        EXPECT_NEAR(e.xMax - p.x, row.extent.xMax, kHalfThousandth);
        EXPECT_NEAR(e.yMin - p.y, row.extent.yMin, kHalfThousandth);
        EXPECT_NEAR(e.yMax - p.y, row.extent.yMax, kHalfThousandth);
    }

    const bool ground = row.name.startsWith(u"荧光灯");
    for (double z : zsOf(d)) {
        EXPECT_EQ(z, ground ? 0.0 : p.z);
    }

    std::size_t t = 0;
    for (const ExpectedText& want : kTexts) {
        if (want.symbol != row.name) {
            continue;
        }
        ASSERT_LT(t, d.texts.size());
        const cad::Entity& text = d.texts[t++];
        SCOPED_TRACE(want.text.toStdString());
        EXPECT_EQ(text.TextString(), want.text);
        EXPECT_NEAR(text.InsertionPoint().x - p.x, want.x, kHalfThousandth);
        EXPECT_NEAR(text.InsertionPoint().y - p.y, want.y, kHalfThousandth);
        EXPECT_DOUBLE_EQ(text.Height(), want.height);
        EXPECT_DOUBLE_EQ(text.ScaleFactor(), want.widthFactor);
        EXPECT_DOUBLE_EQ(text.Rotation(), want.rotation);
    }
    EXPECT_EQ(t, d.texts.size());

    int special = 0;
    for (const LineLook& look : kLooks) {
        if (look.symbol != row.name) {
            continue;
        }
        special += look.count;
        const auto n = std::count_if(d.lines.begin(), d.lines.end(), [&](const cad::Entity& l) {
            return l.Color() == look.color && l.Linetype() == look.linetype;
        });
        EXPECT_EQ(n, look.count) << "colour " << look.color << " " << look.linetype.toStdString();
    }
    const auto plain = std::count_if(d.lines.begin(), d.lines.end(), [](const cad::Entity& l) {
        return l.Color() == 256 && l.Linetype() == u"ByLayer";
    });
    EXPECT_EQ(plain + special, std::ssize(d.lines));

    // Loaded before the pick, from the CAD's own file.
    QStringList loads;
    for (const CallRecord& r : *log) {
        if (r.member == cad::Member::Load) {
            loads.append(r.args.at(0).toText() + u"|"_s + r.args.at(1).toText());
        }
    }
    EXPECT_EQ(loads, row.loads.isEmpty() ? QStringList{} : QStringList{row.loads + u"|acad.lin"_s});
}

TEST_P(SymbolRowTest, RefreshesEveryAddedLineCircleAndArcButNoText) {
    const Row& row = *GetParam().row;
    app->script().queuePoint({1, 2, GetParam().z});
    app->script().queuePoint({5, 2, GetParam().z});
    draw(row.name);

    const QStringList said = conversation();
    QString lastAdd;
    int updates = 0;
    int modelSpaces = 0;
    for (const QString& member : said) {
        if (member.startsWith(u"Add")) {
            lastAdd = member;
        } else if (member == u"Update") {
            EXPECT_NE(lastAdd, u"AddText");
            ++updates;
        } else if (member == u"ModelSpace") {
            ++modelSpaces;
        }
    }
    EXPECT_EQ(updates, row.lines + row.circles + row.arcs);
    EXPECT_EQ(modelSpaces, row.lines + row.circles + row.arcs + row.texts);
    // One undo step per drawn symbol; nothing to undo when nothing was drawn.
    EXPECT_EQ(doc->undoGroups(), row.prompt.isEmpty() ? 0 : 1);
    EXPECT_EQ(doc->undoDepth(), 0);
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Row& row : kRows) {
        cases.push_back({&row, 0});
        cases.push_back({&row, 5});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllSymbols, SymbolRowTest, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "No" + std::to_string(info.param.row->index) + "_z" +
                                    std::to_string(static_cast<int>(info.param.z));
                         });

TEST(SymbolTableTest, ListsEightyUniqueNamesRowByRow) {
    ASSERT_EQ(std::size(kRows), std::size_t(kSymbolCount));
    ASSERT_EQ(symbolNames().size(), kSymbolCount);
    for (int i = 0; i < kSymbolCount; ++i) {
        EXPECT_EQ(kRows[i].index, i);
        EXPECT_EQ(symbolNames()[i], kRows[i].name);
        EXPECT_EQ(symbolNames().count(kRows[i].name), 1);
    }
}

TEST(SymbolTableTest, FindsOnlyExactNames) {
    EXPECT_EQ(findSymbol(u"电流表"_s)->index, 10);
    EXPECT_EQ(findSymbol(u"电流表 "_s), nullptr);
    EXPECT_EQ(findSymbol(u"荧光灯"_s), nullptr);
    EXPECT_EQ(findSymbol(QString()), nullptr);
}

}  // namespace
}  // namespace symbols::testing
