// The shared option grid of tabs 1 and 5.
#include "pagekit/option_grid.h"

#include <QLabel>

#include "pagekit/controls.h"
#include "pagekit/twips.h"

namespace pagekit {

namespace {

constexpr int kOptionColumns[] = {480, 1680, 2880};
constexpr int kOptionRows[] = {1320, 2220};
constexpr int kBoxTop = 1320;
constexpr int kBoxStep = 600;
constexpr int kEntryTop = 3120;
constexpr int kButtonTop = 4920;

}  // namespace

OptionGrid buildOptionGrid(QWidget* frame, const OptionGridLayout& layout) {
    OptionGrid grid;
    for (size_t i = 0; i < layout.options.size(); ++i) {
        const GridOption& o = layout.options[i];
        grid.options[i] = captioned<QRadioButton>(
            frame, o.name, o.caption,
            twipsRect(kOptionColumns[i % 3], kOptionRows[i / 3], o.width, 255));
    }
    int top = kBoxTop;
    for (const GridLabelled& b : layout.boxes) {
        captioned<QLabel>(frame, b.labelName, b.label, twipsRect(4560, top, 540, 240));
        grid.boxes.push_back(comboBox(frame, b.name, twipsRect(5160, top, 1335, 315)));
        top += kBoxStep;
    }
    captioned<QLabel>(frame, layout.entry.labelName, layout.entry.label,
                      twipsRect(720, kEntryTop, 1455, 255));
    grid.entry = captioned<QLineEdit>(frame, layout.entry.name, layout.entryText,
                                      twipsRect(2520, kEntryTop, 1335, 300));
    grid.allButton = captioned<QPushButton>(frame, layout.allButton, layout.allCaption,
                                            twipsRect(1095, kButtonTop, 1095, 375));
    grid.partButton = captioned<QPushButton>(frame, layout.partButton, layout.partCaption,
                                             twipsRect(3000, kButtonTop, 1095, 375));
    return grid;
}

}  // namespace pagekit
