// FilterPanel: a tab's condition options and their boxes, read into a FilterChoice.
#pragma once

#include <QComboBox>
#include <QRadioButton>
#include <vector>

#include "filters/filter_choice.h"

namespace pagekit {

class FilterPanel {
public:
    // box: the combo box that holds the option's value, or none (all entities, prefix).
    void add(QRadioButton* option, filters::FilterKind kind, QComboBox* box) {
        m_options.push_back({option, kind, box});
    }

    // The selected option and its box's text, as an operation reads them when it starts.
    filters::FilterChoice choice() const {
        for (const Option& o : m_options) {
            if (o.button->isChecked()) {
                return {o.kind, o.box != nullptr ? o.box->currentText() : QString()};
            }
        }
        return {};
    }

private:
    struct Option {
        QRadioButton* button;
        filters::FilterKind kind;
        QComboBox* box;
    };
    std::vector<Option> m_options;
};

}  // namespace pagekit
