// Control factories and the filter options shared by the pages.
#include "pagekit/controls.h"

#include "filters/filter_fills.h"
#include "pagekit/combo_choice_box.h"

namespace pagekit {

QComboBox* comboBox(QWidget* parent, const char16_t* name, const QRect& place) {
    auto* box = control<QComboBox>(parent, text(name), place);
    box->setEditable(true);
    // Entries come from the option clicks only; typing Enter must not add one.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void connectColorOption(PageHost& host, QRadioButton* option, QComboBox* box) {
    host.onClick(option, [box] {
        ComboChoiceBox choices(*box);
        filters::fillColorBox(choices);
    });
}

void connectLayerOption(PageHost& host, QRadioButton* option, QComboBox* box) {
    host.onClick(option, [&host, box] {
        ComboChoiceBox choices(*box);
        filters::fillLayerBox(host.cadLink(), choices);
    });
}

void connectStyleOption(PageHost& host, QRadioButton* option, QComboBox* box) {
    host.onClick(option, [&host, box] {
        ComboChoiceBox choices(*box);
        filters::fillTextStyleBox(host.cadLink(), choices);
    });
}

void connectLinetypeOption(PageHost& host, QRadioButton* option, QComboBox* box) {
    host.onClick(option, [&host, box] {
        ComboChoiceBox choices(*box);
        filters::fillLinetypeBox(host.cadLink(), choices);
    });
}

}  // namespace pagekit
