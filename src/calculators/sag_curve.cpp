// The sag curve: page checks, the parabola through the two supports, its fit points, the spline,
// the inverted-suspension warning and the vertex point.
#include "calculators/sag_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/number_syntax.h"
#include "core/scale_notation.h"

namespace calculators {

using namespace Qt::StringLiterals;

namespace {

const QString kPickHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;
const QString kFirstPrompt = u"\n\r指定曲线一端在图中的挂线点: "_s;
const QString kSecondPrompt = u"\n\r再指定曲线另一端在图中的挂线点: "_s;

// The parabola y = a·(x − h)² + k in drawing units.
struct Parabola {
    double a;
    double h;
    double k;

    // Written out term by term, the way the curve has always been evaluated.
    double y(double x) const { return a * (x * x) - 2 * a * h * x + a * (h * h) + k; }
};

std::optional<cad::Point> pickPoint(const cad::Utility& utility,
                                    const std::optional<cad::Point>& basePoint,
                                    const QString& prompt) {
    try {
        return utility.GetPoint(basePoint, prompt);
    } catch (const cad::Error&) {
        return std::nullopt;
    }
}

// The vertex of the parabola of coefficient a through both supports; nullopt when the supports
// share one x (or the numbers overflow), so that no such parabola exists.
std::optional<Parabola> parabolaThrough(double a, const cad::Point& p1, const cad::Point& p2) {
    const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y;
    const double h = (a * (x2 * x2) + (y1 - y2) - a * (x1 * x1)) / (2 * a * (x2 - x1));
    const double k = (y1 - a * (x1 * x1) + 2 * h * a * x1) - a * (h * h);
    if (!std::isfinite(h) || !std::isfinite(k)) {
        return std::nullopt;
    }
    return Parabola{a, h, k};
}

// How many fit points a span of spanMetres takes at one every spacing metres, the far support
// included; nullopt when the count cannot be formed.
std::optional<qint64> fitPointCount(double spanMetres, qint64 spacing) {
    if (spacing <= 0 || !std::isfinite(spanMetres) || !(spanMetres > 0)) {
        return std::nullopt;
    }
    const double steps = spanMetres / static_cast<double>(spacing);
    if (!(steps < 0x1p62)) {
        return std::nullopt;
    }
    const auto whole = static_cast<qint64>(steps);
    return static_cast<double>(whole) == steps ? whole + 1 : whole + 2;
}

// x, y, z of every fit point from the smaller x to the larger; nullopt when the list is too long
// to build or a coordinate overflows.
std::optional<std::vector<double>> fitPoints(const Parabola& curve, double x1, double x2,
                                             qint64 count, qint64 spacing, double rx) {
    if (count > kMaxFitPoints || spacing > std::numeric_limits<qint64>::max() / 1000) {
        return std::nullopt;
    }
    const double step = static_cast<double>(spacing * 1000) * rx;
    const double xmin = std::min(x1, x2);
    const double xmax = std::max(x1, x2);
    std::vector<double> points;
    points.reserve(static_cast<std::size_t>(count) * 3);
    auto append = [&points, &curve](double x) {
        const double y = curve.y(x);
        points.insert(points.end(), {x, y, 0.0});
        return std::isfinite(x) && std::isfinite(y);
    };
    for (qint64 i = 0; i <= count - 2; ++i) {
        const double x = step * static_cast<double>(i) + xmin;
        // Rounding can put the last regular point onto the far support; it ends the list anyway.
        if (x >= xmax) {
            break;
        }
        if (!append(x)) {
            return std::nullopt;
        }
    }
    if (!append(xmax)) {
        return std::nullopt;
    }
    return points;
}

// Colours 1 to 7 twice, a beep and a pause after each, then back to red.
void flash(const cad::Entity& spline, ui::Ui& ui) {
    for (int c = 1; c <= 14; ++c) {
        spline.Color(c <= 7 ? c : c - 7);
        spline.Update();
        ui.beep();
        ui.sleep(200);
    }
    spline.Color(1);
}

bool vertexOutsideSpan(double h, double x1, double x2) {
    return (h > x1 && h > x2) || (h < x1 && h < x2);
}

// Brings the main window back however the drawing ended.
class FrontOnExit {
public:
    explicit FrontOnExit(ui::Ui& ui) : m_ui(ui) {}
    ~FrontOnExit() { m_ui.bringMainWindowToFront(); }
    FrontOnExit(const FrontOnExit&) = delete;
    FrontOnExit& operator=(const FrontOnExit&) = delete;

private:
    ui::Ui& m_ui;
};

}  // namespace

SagCheck checkSagInput(const SagCurveInput& input) {
    SagCheck check;
    const std::optional<double> spacing = core::decimalValue(input.rigor);
    if (!spacing || !(*spacing > 0)) {
        check.refusal = u"提示：取点精度数值无效！应输入正数"_s;
        return check;
    }
    // Halves go to the even neighbour: 2.5 is used as 2, and 0.4 as 0.
    const double whole = std::nearbyint(*spacing);
    if (!(whole < 0x1p63)) {
        check.refusal = u"提示：检查输入数据！是否有不合常理之数据？"_s;
        return check;
    }
    check.CurveRigor = static_cast<qint64>(whole);
    if (!core::CheckScale(input.scaleX) || !core::CheckScale(input.scaleY)) {
        check.refusal = u"提示：比例数值无效！形式应为x:xxxx"_s;
        return check;
    }
    const std::optional<double> coefficient = core::decimalValue(input.coefficient);
    if (!coefficient || !(*coefficient > 0)) {
        check.refusal = u"提示：系数K数值无效"_s;
    }
    return check;
}

void FitBSpline(const SagCurveInput& input, qint64 spacing, cad::CadLink& link) {
    ui::Ui& ui = link.ui();
    if (!link.CheckCadReady()) {
        return;
    }
    const double coefficient = core::leadingNumber(input.coefficient);
    const double rx = core::ScaleRatio(input.scaleX);
    const double ry = core::ScaleRatio(input.scaleY);
    const double a = 4 * coefficient * ry / (rx * rx * 1000);
    if (!std::isfinite(a) || !(a > 0)) {
        // Asking for picks would be pointless: no curve can come of these numbers.
        ui.showHint(u"提示：曲线系数或比例值超出计算范围"_s);
        return;
    }

    ui.showHint(kPickHint);
    const cad::Document document = link.objAcad.ActiveDocument();
    const cad::Utility utility = document.Utility();
    const std::optional<cad::Point> p1 = pickPoint(utility, std::nullopt, kFirstPrompt);
    if (!p1) {
        return;
    }
    const std::optional<cad::Point> p2 = pickPoint(utility, p1, kSecondPrompt);
    if (!p2) {
        return;
    }
    cad::UndoGroup undo(document);

    const double x1 = p1->x, x2 = p2->x;
    const std::optional<Parabola> curve = parabolaThrough(a, *p1, *p2);
    const double spanMetres = std::abs(x1 - x2) / rx / 1000;
    const std::optional<qint64> count = curve ? fitPointCount(spanMetres, spacing) : std::nullopt;
    if (!count) {
        ui.showHint(u"提示：作图区距坐标零点太远，或曲线拟合精度或比例值过小"_s);
        return;
    }
    const std::optional<std::vector<double>> points =
        fitPoints(*curve, x1, x2, *count, spacing, rx);
    if (!points) {
        ui.showHint(u"提示：曲线拟合精度(米/点)不合理"_s);
        return;
    }

    const cad::ModelSpace modelSpace = document.ModelSpace();
    cad::Entity spline;
    try {
        spline = modelSpace.AddSpline(*points, cad::Point{}, cad::Point{});
        spline.Color(1);
    } catch (const cad::Error&) {
        ui.showHint(u"提示：曲线系数不合理导致建模失败"_s);
        return;
    }
    if (input.warnInverted && vertexOutsideSpan(curve->h, x1, x2)) {
        flash(spline, ui);
    }
    const cad::Entity vertex = modelSpace.AddPoint(cad::Point{curve->h, curve->k, 0});
    vertex.Color(1);
}

void drawSagCurve(const SagCurveInput& input, cad::CadLink& link) {
    const SagCheck check = checkSagInput(input);
    if (!check.refusal.isEmpty()) {
        link.ui().showHint(check.refusal);
        return;
    }
    FrontOnExit front(link.ui());
    FitBSpline(input, *check.CurveRigor, link);
}

}  // namespace calculators
