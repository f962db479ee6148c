// Blank trimming as the operations apply it to texts read from the drawing and from boxes.
#pragma once

#include <QString>
#include <QStringView>

namespace core {

// Removes leading and trailing U+0020 blanks only: tabs and full-width blanks are content,
// so a text framed by them is not made to read as a number.
QString trimBlanks(QStringView s);

// Same as trimBlanks, without copying.
QStringView trimmedBlanksView(QStringView s);

// True when s holds nothing but U+0020 blanks (or nothing at all); the filter boxes refuse
// such a text.
bool isBlank(QStringView s);

}  // namespace core
