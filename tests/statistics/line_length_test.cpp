// Line length totals over model space and over a selection.
#include <gtest/gtest.h>

#include <numbers>

#include "attached_drawing.h"
#include "statistics/line_length.h"

namespace {

using namespace Qt::StringLiterals;
using filters::FilterKind;
using statistics::LineKinds;
using statistics::LineLengthInput;
constexpr double pi = std::numbers::pi;

const QString kScaleRefused = u"提示：比例数值无效！形式应为x:xxxx"_s;

// At 1:1000 a drawing unit stands for one metre, so totals read in drawing units.
QString metres(const QString& total) {
    return u"提示：所选线总长"_s + total + u"米"_s;
}

class LineLength : public statistics_test::AttachedDrawing {
protected:
    LineLength() {
        doc->addLayer(u"Power"_s);
        doc->addLinetype(u"DASHED"_s);
    }

    void totalAll(LineKinds kinds, FilterKind filter = FilterKind::All, const QString& box = {},
                  const QString& scale = u"1:1000"_s) {
        statistics::totalLineLengths(link, colorRule, {kinds, {filter, box}, scale},
                                     cad::Scope::ModelSpace);
    }
    void totalPart(LineKinds kinds, FilterKind filter = FilterKind::All, const QString& box = {}) {
        statistics::totalLineLengths(link, colorRule, {kinds, {filter, box}, u"1:1000"_s},
                                     cad::Scope::Selection);
    }

    core::ColorRule colorRule;
};

TEST_F(LineLength, WorkedExampleOfALineAndAQuarterArc) {
    ms.AddLine({0, 0, 0}, {1000, 0, 0});
    ms.AddArc({0, 0, 0}, 100, 0, pi / 2);
    totalAll(LineKinds::LinesAndArcs, FilterKind::All, {}, u"1:100"_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 115.708"_s));
}

TEST_F(LineLength, ScaleTwoTo500MakesAHundredUnitsTwentyFiveMetres) {
    ms.AddLine({0, 0, 0}, {60, 80, 0});
    totalAll(LineKinds::Lines, FilterKind::All, {}, u" 2:500 "_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 25"_s));
}

TEST_F(LineLength, EachOptionTakesItsKindsOnly) {
    ms.AddLine({0, 0, 0}, {3, 4, 12});             // 5: the height is ignored
    ms.AddArc({0, 0, 0}, 10, 7 * pi / 4, pi / 4);  // 5 pi, crossing the zero direction
    ms.AddCircle({0, 0, 0}, 7);
    ms.AddSpline({0, 0, 0, 10, 10, 0, 20, 0, 0}, {}, {});
    ms.AddText(u"12"_s, {}, 2.5);
    doc->modelSpace().append(doc->makeEntity(cad::memory::kindByDxfName(u"LWPOLYLINE")));

    const struct {
        LineKinds kinds;
        const char16_t* total;
    } cases[] = {
        {LineKinds::Lines, u" 5"},
        {LineKinds::LinesAndArcs, u" 20.70796"},
        {LineKinds::Arcs, u" 15.70796"},
    };
    for (const auto& c : cases) {
        totalAll(c.kinds);
        EXPECT_EQ(ui.lastHint(), metres(QString::fromUtf16(c.total)));
    }
}

TEST_F(LineLength, LayerAndLinetypeMatchExactly) {
    ms.AddLine({0, 0, 0}, {1, 0, 0}).Layer(u"Power"_s);
    ms.AddArc({0, 0, 0}, 2, 0, pi).Layer(u"Power"_s);
    ms.AddLine({0, 0, 0}, {100, 0, 0}).Linetype(u"DASHED"_s);

    const struct {
        FilterKind filter;
        const char16_t* box;
        const char16_t* total;
    } cases[] = {
        {FilterKind::Layer, u"Power", u" 7.283185"},
        {FilterKind::Layer, u"power", u" 0"},
        {FilterKind::Layer, u"Power ", u" 0"},
        {FilterKind::Linetype, u"DASHED", u" 100"},
        {FilterKind::Linetype, u"Dashed", u" 0"},
        {FilterKind::Linetype, u"ByLayer", u" 7.283185"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.box).toStdString());
        totalAll(LineKinds::LinesAndArcs, c.filter, QString::fromUtf16(c.box));
        EXPECT_EQ(ui.lastHint(), metres(QString::fromUtf16(c.total)));
    }
}

TEST_F(LineLength, ColourOptionFollowsTheColourRule) {
    ms.AddLine({0, 0, 0}, {1, 0, 0});  // by layer, on a layer of colour 7
    ms.AddLine({0, 0, 0}, {10, 0, 0}).Color(7);
    ms.AddArc({0, 0, 0}, 1, 0, 1).Color(30);

    totalAll(LineKinds::LinesAndArcs, FilterKind::Color, u"256(BYLAYER)"_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 1"_s));
    EXPECT_EQ(colorRule.colorNumber(), 256);
    totalAll(LineKinds::LinesAndArcs, FilterKind::Color, u"  7(白/黑)"_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 10"_s));
    // A typed number is no entry: colours 0 to 9 are still compared with the last entry's 7.
    totalAll(LineKinds::LinesAndArcs, FilterKind::Color, u"30"_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 11"_s));
}

TEST_F(LineLength, EmptyFilterBoxesAreRefusedBeforeTheWalk) {
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    const struct {
        FilterKind filter;
        const char16_t* hint;
    } cases[] = {
        {FilterKind::Layer, u"提示：层名没有选中"},
        {FilterKind::Linetype, u"提示：线型没有选中"},
        {FilterKind::Color, u"提示：颜色名没有选中"},
    };
    for (const auto& c : cases) {
        ui.hints.clear();
        totalAll(LineKinds::LinesAndArcs, c.filter, u"  "_s);
        EXPECT_EQ(ui.hints, QStringList{QString::fromUtf16(c.hint)});
    }
}

TEST_F(LineLength, InvalidScaleIsRefusedBeforeTheCadIsAsked) {
    app->quit();
    totalAll(LineKinds::Lines, FilterKind::All, {}, u"1:0"_s);
    statistics::totalLineLengths(link, colorRule, {LineKinds::Lines, {}, u"10:1000"_s},
                                 cad::Scope::Selection);
    EXPECT_EQ(ui.hints, (QStringList{kScaleRefused, kScaleRefused}));
    EXPECT_TRUE(link.isAttached());
}

TEST_F(LineLength, WalkShowsProgressAfterEachEntity) {
    for (int i = 0; i < 4; ++i) {
        ms.AddLine({0, 0, 0}, {1, 0, 0});
    }
    totalAll(LineKinds::Lines);
    EXPECT_EQ(ui.hints,
              (QStringList{u"提示：修改完成0.0%"_s, u"提示：修改完成25.0%"_s,
                           u"提示：修改完成50.0%"_s, u"提示：修改完成75.0%"_s, metres(u" 4"_s)}));
}

TEST_F(LineLength, TotalIsKeptInSinglePrecision) {
    ms.AddLine({0, 0, 0}, {16777216, 0, 0});  // 2^24: a float cannot add 1 to it
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    totalAll(LineKinds::Lines);
    EXPECT_EQ(ui.lastHint(), metres(u" 1.677722E+07"_s));

    ms.AddLine({0, 0, 0}, {0.5, 0, 0});
    totalAll(LineKinds::Lines, FilterKind::All, {}, u"1:1"_s);
    EXPECT_EQ(ui.lastHint(), metres(u" 16777.22"_s));
}

TEST_F(LineLength, OverflowAndCadFailuresShowTheScaleMessage) {
    ms.AddLine({0, 0, 0}, {1e39, 0, 0});
    totalAll(LineKinds::Lines);
    EXPECT_EQ(ui.lastHint(), kScaleRefused);

    doc->modelSpace().entities.clear();
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    const qint64 before = app->callCount();
    totalAll(LineKinds::Lines);
    app->failCall(app->callCount() - before);  // the walk's last member read
    totalAll(LineKinds::Lines);
    EXPECT_EQ(ui.lastHint(), kScaleRefused);
}

TEST_F(LineLength, SelectionTotalDeletesTheSetOnEveryPath) {
    cad::Entity inside = ms.AddLine({0, 0, 0}, {30, 40, 0});
    ms.AddLine({0, 0, 0}, {1000, 0, 0});

    pickOnScreen({inside});
    totalPart(LineKinds::Lines);
    EXPECT_EQ(ui.lastHint(), metres(u" 50"_s));
    EXPECT_TRUE(ui.hints.contains(u"提示：切换至AutoCAD界面，按命令行提示执行"_s));
    EXPECT_FALSE(selectionSetLeft());

    pickOnScreen({inside});
    totalPart(LineKinds::LinesAndArcs, FilterKind::Layer, u""_s);
    EXPECT_EQ(ui.lastHint(), u"提示：层名没有选中"_s);
    EXPECT_TRUE(app->script().exhausted()) << "the refusal comes after the selection";
    EXPECT_FALSE(selectionSetLeft());

    pickOnScreen({});
    totalPart(LineKinds::Lines);
    EXPECT_EQ(ui.lastHint(), metres(u" 0"_s));
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(LineLength, SelectionTotalSurvivesAFailureAtAnyCall) {
    cad::Entity inside = ms.AddLine({0, 0, 0}, {30, 40, 0});
    pickOnScreen({inside});
    const qint64 before = app->callCount();
    totalPart(LineKinds::Lines);
    const qint64 calls = app->callCount() - before;

    // The last call deletes the set; when that call itself fails the set stays until the next
    // pick clears it away.
    for (qint64 n = 1; n < calls; ++n) {
        SCOPED_TRACE(n);
        if (app->script().exhausted()) {
            pickOnScreen({inside});
        }
        if (!link.isAttached()) {
            link.AttachCad();  // a failing guard takes the CAD for gone
        }
        ui.hints.clear();
        app->failCall(n);
        try {
            totalPart(LineKinds::Lines);
        } catch (const cad::Error&) {
            // Before the selection is made the failure is the window's to report.
        }
        EXPECT_FALSE(selectionSetLeft());
        EXPECT_FALSE(ui.lastHint().startsWith(u"提示：所选线总长"_s));
    }
}

}  // namespace
