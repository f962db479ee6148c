// ComboChoiceBox: a filter panel's editable combo box as the fills see it.
#pragma once

#include <QComboBox>

#include "filters/choice_box.h"

namespace pagekit {

class ComboChoiceBox : public filters::ChoiceBox {
public:
    explicit ComboChoiceBox(QComboBox& box) : m_box(box) {}

    void clear() override { m_box.clear(); }
    void append(const QString& entry) override { m_box.addItem(entry); }
    int entryCount() const override { return m_box.count(); }
    QString entry(int position) const override { return m_box.itemText(position); }
    // Selects the entry when there is one of that text, as choosing it in the list would.
    void setText(const QString& text) override {
        const int position = m_box.findText(text);
        if (position >= 0) {
            m_box.setCurrentIndex(position);
        } else {
            m_box.setEditText(text);
        }
    }

private:
    QComboBox& m_box;
};

}  // namespace pagekit
