// Frame 8, the cable type query: its controls and handlers.
#include "calculators/cable_query_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "calculators/cable_query.h"
#include "pagekit/controls.h"

namespace calculators {

namespace {

using pagekit::captioned;
using pagekit::twipsRect;

const char16_t kLoadCaption[] = u"负荷（kW）:";
const char16_t kCurrentCaption[] = u"电流（A）:";

QGroupBox* group(QWidget* parent, const char16_t* name, const char16_t* title, const QRect& place) {
    auto* box = pagekit::control<QGroupBox>(parent, pagekit::text(name), place);
    box->setTitle(pagekit::text(title));
    return box;
}

}  // namespace

void buildCableQueryPage(QWidget* frame, pagekit::PageHost& host) {
    QGroupBox* fraAW = group(frame, u"FraAW", u"输入选择", twipsRect(960, 480, 2295, 855));
    auto* optPower =
        captioned<QRadioButton>(fraAW, u"OptPower", u"功率", twipsRect(240, 360, 855, 300));
    auto* optCurrent =
        captioned<QRadioButton>(fraAW, u"OptCurrent", u"电流", twipsRect(1200, 360, 855, 300));
    optPower->setChecked(true);

    QGroupBox* fraGift = group(frame, u"FraGift", u"线芯材质", twipsRect(3720, 480, 2295, 855));
    auto* optAlu =
        captioned<QRadioButton>(fraGift, u"OptAlu", u"铝芯", twipsRect(240, 360, 855, 300));
    auto* optCop =
        captioned<QRadioButton>(fraGift, u"OptCop", u"铜芯", twipsRect(1200, 360, 855, 300));
    optCop->setChecked(true);

    auto* labFuhe =
        captioned<QLabel>(frame, u"LabFuhe", kLoadCaption, twipsRect(960, 1920, 1575, 255));
    auto* txtFuhe =
        captioned<QLineEdit>(frame, u"TxtFuhe", u"37", twipsRect(2640, 1890, 1335, 300));
    captioned<QLabel>(frame, u"LabBili", u"功率因数:", twipsRect(960, 2640, 1575, 255));
    auto* txtBili =
        captioned<QLineEdit>(frame, u"TxtBili", u"0.8", twipsRect(2640, 2610, 1335, 300));
    auto* cmdQuery =
        captioned<QPushButton>(frame, u"CmdQuery", u"查询", twipsRect(3000, 4920, 1095, 375));

    // Either option button: only the label follows the mode, the number stays.
    host.onClick(optCurrent, [labFuhe, optCurrent] {
        labFuhe->setText(pagekit::text(optCurrent->isChecked() ? kCurrentCaption : kLoadCaption));
    });
    host.onClick(optPower, [labFuhe, optPower] {
        labFuhe->setText(pagekit::text(optPower->isChecked() ? kLoadCaption : kCurrentCaption));
    });
    host.onClick(cmdQuery, [&host, txtFuhe, txtBili, optCurrent, optAlu] {
        const CableQueryInput input{
            txtFuhe->text(), txtBili->text(),
            optCurrent->isChecked() ? InputMode::Current : InputMode::Power,
            optAlu->isChecked() ? CoreMaterial::Aluminium : CoreMaterial::Copper};
        proposeCableType(input, host.ui());
    });
}

}  // namespace calculators
