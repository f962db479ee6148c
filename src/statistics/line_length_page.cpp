// Tab 5's controls: six options, three filter boxes, the scale and the two totals.
#include "statistics/line_length_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "pagekit/controls.h"
#include "statistics/line_length.h"

namespace statistics {

namespace {

using filters::FilterKind;
using pagekit::captioned;
using pagekit::comboBox;
using pagekit::twipsRect;

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
    auto* optStatusAll = captioned<QRadioButton>(frame, u"optStatusAll", u"所有直线",
                                                 twipsRect(480, 1320, 1095, 255));
    auto* OptStatusLineArc = captioned<QRadioButton>(frame, u"OptStatusLineArc", u"直线圆弧",
                                                     twipsRect(1680, 1320, 1215, 255));
    auto* OptStatusLineArcSpline = captioned<QRadioButton>(
        frame, u"OptStatusLineArcSpline", u"所有圆弧", twipsRect(2880, 1320, 1215, 255));
    auto* optStatusLayer = captioned<QRadioButton>(frame, u"optStatusLayer", u"所在层名",
                                                   twipsRect(480, 2220, 1095, 255));
    auto* optStatusStyle = captioned<QRadioButton>(frame, u"optStatusStyle", u"线型类型",
                                                   twipsRect(1680, 2220, 1215, 255));
    auto* optStatusColor = captioned<QRadioButton>(frame, u"optStatusColor", u"线型颜色",
                                                   twipsRect(2880, 2220, 1215, 255));
    optStatusAll->setChecked(true);

    captioned<QLabel>(frame, u"labStatusLayer", u"层名：", twipsRect(4560, 1320, 540, 240));
    QComboBox* comStatusLayer =
        comboBox(frame, u"comStatusLayer", twipsRect(5160, 1320, 1335, 315));
    captioned<QLabel>(frame, u"labStatusStyle", u"线型：", twipsRect(4560, 1920, 540, 240));
    QComboBox* comStatusStyle =
        comboBox(frame, u"comStatusStyle", twipsRect(5160, 1920, 1335, 315));
    captioned<QLabel>(frame, u"labStatusColor", u"颜色：", twipsRect(4560, 2520, 540, 240));
    QComboBox* comStatusColor =
        comboBox(frame, u"comStatusColor", twipsRect(5160, 2520, 1335, 315));

    captioned<QLabel>(frame, u"LabStatusScale", u"输入作图比例：", twipsRect(720, 3120, 1455, 255));
    auto* TxtStatusScale =
        captioned<QLineEdit>(frame, u"TxtStatusScale", u"1:100", twipsRect(2520, 3120, 1335, 300));
    auto* cmdStatusAll = captioned<QPushButton>(frame, u"cmdStatusAll", u"全域统计",
                                                twipsRect(1095, 4920, 1095, 375));
    auto* cmdStatusPart = captioned<QPushButton>(frame, u"cmdStatusPart", u"选择统计",
                                                 twipsRect(3000, 4920, 1095, 375));

    pagekit::connectLayerOption(host, optStatusLayer, comStatusLayer);
    pagekit::connectLinetypeOption(host, optStatusStyle, comStatusStyle);
    pagekit::connectColorOption(host, optStatusColor, comStatusColor);

    const LineOptions options{{
        {optStatusAll, LineKinds::Lines, FilterKind::All, nullptr},
        {OptStatusLineArc, LineKinds::LinesAndArcs, FilterKind::All, nullptr},
        {OptStatusLineArcSpline, LineKinds::Arcs, FilterKind::All, nullptr},
        {optStatusLayer, LineKinds::LinesAndArcs, FilterKind::Layer, comStatusLayer},
        {optStatusStyle, LineKinds::LinesAndArcs, FilterKind::Linetype, comStatusStyle},
        {optStatusColor, LineKinds::LinesAndArcs, FilterKind::Color, comStatusColor},
    }};
    host.onClick(cmdStatusAll, [&host, options, TxtStatusScale] {
        cmdStatusAll_Click(host.cadLink(), host.colorRule(), readInput(options, TxtStatusScale));
    });
    host.onClick(cmdStatusPart, [&host, options, TxtStatusScale] {
        cmdStatusPart_Click(host.cadLink(), host.colorRule(), readInput(options, TxtStatusScale));
    });
}

}  // namespace statistics
