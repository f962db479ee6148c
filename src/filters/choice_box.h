// ChoiceBox: the editable combo box of a filter panel as the fills see it.
#pragma once

#include <QString>

namespace filters {

class ChoiceBox {
public:
    virtual ~ChoiceBox() = default;

    // Removes every entry; the edit text is left to setText.
    virtual void clear() = 0;
    virtual void append(const QString& entry) = 0;
    virtual int entryCount() const = 0;
    virtual QString entry(int position) const = 0;
    virtual void setText(const QString& text) = 0;
};

}  // namespace filters
