// Frame 10, the sag curve: its controls and the OK button.
#include "calculators/sag_curve_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calculators/sag_curve.h"
#include "pagekit/controls.h"

namespace calculators {

using pagekit::captioned;
using pagekit::twipsRect;

void buildSagCurvePage(QWidget* frame, pagekit::PageHost& host) {
    auto* labFace = captioned<QLabel>(frame, u"LabFace",
                                      u"\"曲线系数\"取值原则见公式f=Kl^"
                                      u"2，其中f为弧垂，l为档距，单位均为米，曲线系数即取式中K值。",
                                      twipsRect(480, 360, 5895, 735));
    labFace->setWordWrap(true);

    captioned<QLabel>(frame, u"LabX", u"纵向比例", twipsRect(1200, 1440, 1815, 255));
    auto* txtX = captioned<QLineEdit>(frame, u"TxtX", u"1:2000", twipsRect(3120, 1410, 1815, 300));
    captioned<QLabel>(frame, u"LabY", u"横向比例", twipsRect(1200, 2040, 1815, 255));
    auto* txtY = captioned<QLineEdit>(frame, u"TxtY", u"1:200", twipsRect(3120, 2010, 1815, 300));
    captioned<QLabel>(frame, u"Labcoefficient", u"曲线系数", twipsRect(1200, 2640, 1815, 255));
    auto* txtCoefficient = captioned<QLineEdit>(frame, u"Txtcoefficient", u"0.0000767",
                                                twipsRect(3120, 2610, 1815, 300));
    captioned<QLabel>(frame, u"labRigor", u"曲线拟合精度(米/点)", twipsRect(1200, 3240, 1815, 255));
    auto* txtRigor =
        captioned<QLineEdit>(frame, u"TxtRigor", u"5", twipsRect(3120, 3210, 1815, 300));
    auto* chkWarn =
        captioned<QCheckBox>(frame, u"ChkWarn", u"倒挂警告", twipsRect(1200, 3840, 1335, 300));
    auto* cmdOK = captioned<QPushButton>(frame, u"CmdOK", u"OK", twipsRect(3000, 4920, 1095, 375));

    host.onClick(cmdOK, [&host, txtX, txtY, txtCoefficient, txtRigor, chkWarn] {
        const SagCurveInput input{txtX->text(), txtY->text(), txtCoefficient->text(),
                                  txtRigor->text(), chkWarn->isChecked()};
        drawSagCurve(input, host.cadLink());
    });
}

}  // namespace calculators
