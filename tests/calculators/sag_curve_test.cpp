// The sag curve against the embedded drawing: checks, fit points, vertex, warning flash and picks.
#include <gtest/gtest.h>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "calculators/sag_curve.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace calculators;
using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;
const QString kPickHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;
const QString kNoCurve = u"提示：作图区距坐标零点太远，或曲线拟合精度或比例值过小"_s;
const QString kUnbuildable = u"提示：曲线拟合精度(米/点)不合理"_s;

// The page's defaults: 1:2000 along the span, 1:200 in height, K 0.0000767, a point every 5 m.
SagCurveInput defaults() {
    return {u"1:2000"_s, u"1:200"_s, u"0.0000767"_s, u"5"_s, false};
}

// Records the spline's colour at every beep of the flash; the spline is the last entity drawn.
class FlashWatchingUi : public ui::RecordingUi {
public:
    void beep() override {
        RecordingUi::beep();
        const cad::ModelSpace space = link->objAcad.ActiveDocument().ModelSpace();
        colours.push_back(space.Item(space.Count() - 1).Color());
    }

    cad::CadLink* link = nullptr;
    std::vector<int> colours;
};

class SagCurveTest : public ::testing::Test {
protected:
    SagCurveTest() {
        app->newDocument(u"Drawing1.dwg"_s);
        cad::registerRunningObject(kProgId, app);
        ui.link = &link;
        link.AttachCad();
    }
    ~SagCurveTest() override { cad::revokeRunningObject(kProgId); }

    void pick(double x, double y) { app->script().queuePoint({x, y, 0}); }
    void run(const SagCurveInput& input = defaults()) { drawSagCurve(input, link); }

    std::vector<cad::Entity> entities(const QString& kind) const {
        std::vector<cad::Entity> found;
        const cad::ModelSpace space = link.objAcad.ActiveDocument().ModelSpace();
        for (int i = 0; i < space.Count(); ++i) {
            if (space.Item(i).EntityName() == kind) {
                found.push_back(space.Item(i));
            }
        }
        return found;
    }
    cad::Entity spline() const {
        const auto splines = entities(u"AcDbSpline"_s);
        EXPECT_EQ(splines.size(), 1u);
        return splines.empty() ? cad::Entity() : splines.front();
    }
    cad::Point vertex() const {
        const auto points = entities(u"AcDbPoint"_s);
        EXPECT_EQ(points.size(), 1u);
        return points.empty() ? cad::Point{} : points.front().Coordinates();
    }
    // Every third value from `first` on: the xs (0), ys (1) or zs (2) of the fit points.
    std::vector<double> fitCoordinates(std::size_t first) const {
        const std::vector<double> all = spline().FitPoints();
        std::vector<double> picked;
        for (std::size_t i = first; i < all.size(); i += 3) {
            picked.push_back(all[i]);
        }
        return picked;
    }
    bool nothingDrawn() const { return link.objAcad.ActiveDocument().ModelSpace().Count() == 0; }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    FlashWatchingUi ui;
    cad::CadLink link{ui};
};

TEST_F(SagCurveTest, HundredMetreSpanAtFiveMetresTakesTwentyOneRedFitPointsUpToTheFarSupport) {
    pick(0, 0);
    pick(50, 10);  // 50 drawing units at 1:2000 are 100 m
    run();

    const std::vector<double> xs = fitCoordinates(0);
    ASSERT_EQ(xs.size(), 21u);
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        EXPECT_DOUBLE_EQ(xs[i], 2.5 * static_cast<double>(i));  // 5 m at 1:2000
    }
    EXPECT_EQ(xs.back(), 50);
    EXPECT_EQ(fitCoordinates(2), std::vector<double>(21, 0.0));
    EXPECT_NEAR(fitCoordinates(1).front(), 0, 1e-9);
    EXPECT_NEAR(fitCoordinates(1).back(), 10, 1e-9);

    EXPECT_EQ(spline().Color(), 1);
    EXPECT_EQ(spline().StartTangent(), cad::Point{});
    EXPECT_EQ(spline().EndTangent(), cad::Point{});
    EXPECT_EQ(entities(u"AcDbPoint"_s).front().Color(), 1);
    EXPECT_EQ(app->activeDocument()->undoGroups(), 1);
    EXPECT_EQ(app->activeDocument()->changesOutsideUndoGroups(), 0);
    EXPECT_EQ(ui.hints, QStringList{kPickHint});
    EXPECT_EQ(ui.broughtToFront, 1);
}

TEST_F(SagCurveTest, SecondPickHasTheFirstAsBasePointAndBothPromptsTheirOwnText) {
    pick(3, 4);
    pick(60, 9);
    run();
    EXPECT_EQ(app->script().prompts, (QStringList{u"\n\r指定曲线一端在图中的挂线点: "_s,
                                                  u"\n\r再指定曲线另一端在图中的挂线点: "_s}));
    ASSERT_EQ(app->script().basePoints.size(), 2u);
    EXPECT_EQ(app->script().basePoints[0], std::nullopt);
    EXPECT_EQ(app->script().basePoints[1], (cad::Point{3, 4, 0}));
}

TEST_F(SagCurveTest, SpanOfNinetyNinePointSixMetresAlsoTakesTwentyOneAndNoneBeyondTheFarSupport) {
    pick(0, 0);
    pick(49.8, 0);
    run();
    const std::vector<double> xs = fitCoordinates(0);
    ASSERT_EQ(xs.size(), 21u);
    EXPECT_DOUBLE_EQ(xs[19], 47.5);  // 95 m
    EXPECT_EQ(xs.back(), 49.8);
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
    EXPECT_LT(xs[19], xs.back());
}

TEST_F(SagCurveTest, FitPointsClimbStrictlyUpToTheFarSupportWhateverTheRounding) {
    // At 123.456 a 10 m span computes as 10.000000000000028 m: the regular points must not
    // land on the far support a second time.
    for (double near : {0.0, 123.456, 1000.3}) {
        for (double far : {5.0, 10.1, 33.3, 49.95, 123.456}) {
            for (const char16_t* spacing : {u"1", u"3", u"5"}) {
                SagCurveInput input = defaults();
                input.rigor = QString::fromUtf16(spacing);
                pick(near, 5);
                pick(near + far, 0);
                run(input);
                const std::vector<double> fit = entities(u"AcDbSpline"_s).back().FitPoints();
                for (std::size_t i = 0; i + 3 < fit.size(); i += 3) {
                    EXPECT_LT(fit[i], fit[i + 3]) << near << " " << far << " " << i;
                }
                EXPECT_EQ(fit[fit.size() - 3], near + far);
            }
        }
    }
}

TEST_F(SagCurveTest, PickingTheRightSupportFirstGivesTheSameCurveAndVertex) {
    pick(12, 30);
    pick(80, 45);
    run();
    const std::vector<double> leftFirst = spline().FitPoints();
    const cad::Point leftVertex = vertex();
    link.objAcad.ActiveDocument().ModelSpace().Item(1).Delete();
    link.objAcad.ActiveDocument().ModelSpace().Item(0).Delete();

    pick(80, 45);
    pick(12, 30);
    run();
    EXPECT_EQ(spline().FitPoints(), leftFirst);
    const cad::Point rightVertex = vertex();
    EXPECT_NEAR(rightVertex.x, leftVertex.x, 1e-9);
    EXPECT_NEAR(rightVertex.y, leftVertex.y, 1e-9);
}

TEST_F(SagCurveTest, EqualSupportHeightsPutTheVertexMidSpanAtDepthKTimesSpanSquared) {
    struct Case {
        SagCurveInput input;
        double far;  // drawing units
        double spanMetres;
        double k;
        double ry;
    };
    const Case cases[] = {
        {defaults(), 50, 100, 0.0000767, 1.0 / 200},
        {{u"1:500"_s, u"2:100"_s, u"0.00012"_s, u"10"_s, false}, 120, 60, 0.00012, 2.0 / 100},
    };
    for (const Case& c : cases) {
        app->newDocument(u"Sag.dwg"_s);
        pick(0, 100);
        pick(c.far, 100);
        run(c.input);
        const cad::Point v = vertex();
        EXPECT_NEAR(v.x, c.far / 2, 1e-9);
        const double depthMetres = (100 - v.y) / c.ry / 1000;
        EXPECT_NEAR(depthMetres, c.k * c.spanMetres * c.spanMetres, 1e-9);
        EXPECT_EQ(v.z, 0);
    }
}

TEST_F(SagCurveTest, PicksOnOneVerticalLineDrawNothing) {
    pick(10, 0);
    pick(10, 50);
    run();
    EXPECT_EQ(ui.lastHint(), kNoCurve);
    EXPECT_TRUE(nothingDrawn());
}

TEST_F(SagCurveTest, InvertedSuspensionFlashesOnlyWhenTheWarningIsOn) {
    // The lower support at x 0 lies beyond the vertex, far left of the span.
    SagCurveInput input = defaults();
    pick(0, 0);
    pick(50, 100);
    run(input);
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_LT(vertex().x, 0);

    input.warnInverted = true;
    app->newDocument(u"Warned.dwg"_s);
    pick(0, 0);
    pick(50, 100);
    run(input);
    EXPECT_EQ(ui.colours, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ui.sleeps, std::vector<int>(14, 200));
    EXPECT_EQ(spline().Color(), 1);
    EXPECT_LT(vertex().x, 0);
    EXPECT_EQ(app->activeDocument()->undoGroups(), 1);
    EXPECT_EQ(app->activeDocument()->changesOutsideUndoGroups(), 0);
}

TEST_F(SagCurveTest, VertexInsideTheSpanGivesNoWarning) {
    SagCurveInput input = defaults();
    input.warnInverted = true;
    pick(0, 10);
    pick(50, 12);
    run(input);
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_EQ(entities(u"AcDbPoint"_s).size(), 1u);
}

TEST_F(SagCurveTest, CancelledPickEndsSilentlyWithNothingDrawn) {
    app->script().queueCancel();
    run();
    pick(0, 0);
    app->script().queueCancel();
    run();
    EXPECT_EQ(ui.hints, (QStringList{kPickHint, kPickHint}));
    EXPECT_TRUE(nothingDrawn());
    EXPECT_EQ(app->activeDocument()->undoGroups(), 0);
    EXPECT_EQ(ui.broughtToFront, 2);
}

TEST_F(SagCurveTest, SpacingsAboveThirtyTwoMetresDraw) {
    SagCurveInput input = defaults();
    input.rigor = u"40"_s;
    pick(0, 0);
    pick(50, 0);
    run(input);
    EXPECT_EQ(fitCoordinates(0), (std::vector<double>{0, 20, 40, 50}));
}

TEST_F(SagCurveTest, SpacingIsRoundedHalfToEven) {
    SagCurveInput input = defaults();
    input.rigor = u"2.5"_s;
    pick(0, 0);
    pick(50, 0);
    run(input);
    EXPECT_EQ(fitCoordinates(0).size(), 51u);  // every 2 m over 100 m

    input.rigor = u"0.4"_s;
    pick(0, 0);
    pick(50, 0);
    run(input);
    EXPECT_EQ(ui.lastHint(), kNoCurve);
    EXPECT_EQ(entities(u"AcDbSpline"_s).size(), 1u);
}

TEST_F(SagCurveTest, PointCountBeyondAHundredThousandIsRefused) {
    SagCurveInput input = defaults();
    input.rigor = u"1"_s;
    pick(0, 0);
    pick(100000, 0);  // 200 km
    run(input);
    EXPECT_EQ(ui.lastHint(), kUnbuildable);
    EXPECT_TRUE(nothingDrawn());
}

TEST_F(SagCurveTest, SplineThatCannotBeColouredEndsWithItsHintAndNoVertexPoint) {
    link.objAcad.ActiveDocument().Layers().Item(0).Lock(true);
    pick(0, 0);
    pick(50, 0);
    run();
    EXPECT_EQ(ui.lastHint(), u"提示：曲线系数不合理导致建模失败"_s);
    EXPECT_TRUE(entities(u"AcDbPoint"_s).empty());
}

TEST_F(SagCurveTest, CoefficientTooLargeToComputeIsRefusedBeforeAnyPick) {
    SagCurveInput input = defaults();
    input.coefficient = u"1e308"_s;
    run(input);
    EXPECT_EQ(ui.lastHint(), u"提示：曲线系数或比例值超出计算范围"_s);
    EXPECT_TRUE(app->script().prompts.isEmpty());
}

TEST_F(SagCurveTest, WithoutTheCadTheGuardSpeaksAndTheWindowStillComesBack) {
    link.ReleaseCadObjects();
    run();
    EXPECT_EQ(ui.hints, QStringList{u"提示：服务器AutoCAD没有打开"_s});
    EXPECT_EQ(ui.broughtToFront, 1);
}

TEST_F(SagCurveTest, RefusedPageNeitherDrawsNorBringsTheWindowBack) {
    SagCurveInput input = defaults();
    input.scaleY = u"1:0"_s;
    run(input);
    EXPECT_EQ(ui.hints, QStringList{u"提示：比例数值无效！形式应为x:xxxx"_s});
    EXPECT_EQ(ui.broughtToFront, 0);
}

struct CheckCase {
    const char16_t* rigor;
    const char16_t* scaleX;
    const char16_t* scaleY;
    const char16_t* coefficient;
    std::optional<qint64> curveRigor;
    const char16_t* refusal;
};

TEST(SagCheckTest, ChecksRunInOrderAndTheSpacingIsKeptOnceItPassed) {
    const CheckCase cases[] = {
        {u"5", u"1:2000", u"1:200", u"0.0000767", 5, u""},
        {u" 5 ", u" 1:2000 ", u"1:200", u"0.0000767", 5, u""},
        {u"2.5", u"1:2000", u"1:200", u"0.0000767", 2, u""},
        {u"3.5", u"1:2000", u"1:200", u"0.0000767", 4, u""},
        {u"0.4", u"1:2000", u"1:200", u"0.0000767", 0, u""},
        {u"40", u"1:2000", u"1:200", u"0.0000767", 40, u""},
        {u"5m", u"1:2000", u"1:200", u"0.0000767", std::nullopt,
         u"提示：取点精度数值无效！应输入正数"},
        {u"0", u"1:2000", u"1:200", u"0.0000767", std::nullopt,
         u"提示：取点精度数值无效！应输入正数"},
        {u"-5", u"x", u"x", u"x", std::nullopt, u"提示：取点精度数值无效！应输入正数"},
        {u"", u"1:2000", u"1:200", u"0.0000767", std::nullopt,
         u"提示：取点精度数值无效！应输入正数"},
        {u"1e30", u"1:2000", u"1:200", u"0.0000767", std::nullopt,
         u"提示：检查输入数据！是否有不合常理之数据？"},
        {u"5", u"10:1000", u"1:200", u"0.0000767", 5, u"提示：比例数值无效！形式应为x:xxxx"},
        {u"7", u"1:2000", u"1：200", u"x", 7, u"提示：比例数值无效！形式应为x:xxxx"},
        {u"5", u"1:2000", u"1:200", u"0", 5, u"提示：系数K数值无效"},
        {u"5", u"1:2000", u"1:200", u"-0.1", 5, u"提示：系数K数值无效"},
        {u"5", u"1:2000", u"1:200", u"7.67e-5K", 5, u"提示：系数K数值无效"},
    };
    for (const CheckCase& c : cases) {
        const SagCheck check =
            checkSagInput({QString::fromUtf16(c.scaleX), QString::fromUtf16(c.scaleY),
                           QString::fromUtf16(c.coefficient), QString::fromUtf16(c.rigor), false});
        EXPECT_EQ(check.CurveRigor, c.curveRigor) << QString::fromUtf16(c.rigor).toStdString();
        EXPECT_EQ(check.refusal, QString::fromUtf16(c.refusal))
            << QString::fromUtf16(c.rigor).toStdString();
    }
}

}  // namespace
