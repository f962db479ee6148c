// Tab 5's controls: six options, three filter boxes, the scale and the two totals.
#include "statistics/line_length_page.h"

#include <array>

#include "pagekit/controls.h"
#include "pagekit/option_grid.h"
#include "statistics/line_length.h"

namespace statistics {

namespace {

using filters::FilterKind;

// What each option of the group means to a total.
struct LineOption {
    QRadioButton* button;
    LineKinds kinds;
    FilterKind filter;
    QComboBox* box;
};

using LineOptions = std::array<LineOption, 6>;

LineLengthInput readInput(const LineOptions& options, const QLineEdit* scale) {
    LineLengthInput input;
    input.scale = scale->text();
    for (const LineOption& o : options) {
        if (o.button->isChecked()) {
            input.kinds = o.kinds;
            input.filter = {o.filter, o.box != nullptr ? o.box->currentText() : QString()};
        }
    }
    return input;
}

}  // namespace

void buildLineLengthPage(QWidget* frame, pagekit::PageHost& host) {
    static constexpr pagekit::GridLabelled kBoxes[] = {
        {u"labStatusLayer", u"层名：", u"comStatusLayer"},
        {u"labStatusStyle", u"线型：", u"comStatusStyle"},
        {u"labStatusColor", u"颜色：", u"comStatusColor"},
    };
    static const pagekit::OptionGridLayout kLayout{
        {{{u"optStatusAll", u"所有直线", 1095},
          {u"OptStatusLineArc", u"直线圆弧", 1215},
          {u"OptStatusLineArcSpline", u"所有圆弧", 1215},
          {u"optStatusLayer", u"所在层名", 1095},
          {u"optStatusStyle", u"线型类型", 1215},
          {u"optStatusColor", u"线型颜色", 1215}}},
        kBoxes,
        {u"LabStatusScale", u"输入作图比例：", u"TxtStatusScale"},
        u"1:100",
        u"cmdStatusAll",
        u"全域统计",
        u"cmdStatusPart",
        u"选择统计",
    };
    const pagekit::OptionGrid grid = pagekit::buildOptionGrid(frame, kLayout);
    const auto& [all, lineArc, arcs, layer, linetype, color] = grid.options;
    all->setChecked(true);
    pagekit::connectLayerOption(host, layer, grid.boxes[0]);
    pagekit::connectLinetypeOption(host, linetype, grid.boxes[1]);
    pagekit::connectColorOption(host, color, grid.boxes[2]);

    const LineOptions options{{
        {all, LineKinds::Lines, FilterKind::All, nullptr},
        {lineArc, LineKinds::LinesAndArcs, FilterKind::All, nullptr},
        {arcs, LineKinds::Arcs, FilterKind::All, nullptr},
        {layer, LineKinds::LinesAndArcs, FilterKind::Layer, grid.boxes[0]},
        {linetype, LineKinds::LinesAndArcs, FilterKind::Linetype, grid.boxes[1]},
        {color, LineKinds::LinesAndArcs, FilterKind::Color, grid.boxes[2]},
    }};
    QLineEdit* scale = grid.entry;
    host.onClick(grid.allButton, [&host, options, scale] {
        totalLineLengths(host.cadLink(), host.colorRule(), readInput(options, scale),
                         cad::Scope::ModelSpace);
    });
    host.onClick(grid.partButton, [&host, options, scale] {
        totalLineLengths(host.cadLink(), host.colorRule(), readInput(options, scale),
                         cad::Scope::Selection);
    });
}

}  // namespace statistics
