// The drawing scale notation "x:xxxx": its check and its ratio of drawing to real length.
#pragma once

#include <QStringView>

namespace core {

// True when the text, blanks around it removed, is one digit 1 to 9, the ASCII colon and a
// number greater than 0 ("1:100", "2:500", "1:0.5"). A full-width colon, a two-digit first
// part (10:1000) or a number of 0 or below after the colon is no scale.
bool CheckScale(QStringView text);

// The drawing length per real length, a / b, of a text that passed CheckScale ("1:100" gives
// 0.01). Callers check first.
double ScaleRatio(QStringView text);

}  // namespace core
