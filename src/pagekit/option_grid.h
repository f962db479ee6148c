// The layout tabs 1 and 5 share: six options in two rows of three, a column of labelled boxes at
// the right, one labelled entry below the options, and the buttons of the whole drawing and of
// the selection.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <span>
#include <vector>

namespace pagekit {

struct GridOption {
    const char16_t* name;
    const char16_t* caption;
    int width;  // twips
};

struct GridLabelled {
    const char16_t* labelName;
    const char16_t* label;
    const char16_t* name;
};

struct OptionGridLayout {
    std::array<GridOption, 6> options;    // row by row
    std::span<const GridLabelled> boxes;  // top down, at most four
    GridLabelled entry;
    const char16_t* entryText;
    const char16_t* allButton;
    const char16_t* allCaption;
    const char16_t* partButton;
    const char16_t* partCaption;
};

struct OptionGrid {
    std::array<QRadioButton*, 6> options{};
    std::vector<QComboBox*> boxes;
    QLineEdit* entry = nullptr;
    QPushButton* allButton = nullptr;
    QPushButton* partButton = nullptr;
};

// Makes the controls on the frame, in the order the user tabs through them.
OptionGrid buildOptionGrid(QWidget* frame, const OptionGridLayout& layout);

}  // namespace pagekit
