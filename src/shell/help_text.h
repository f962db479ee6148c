// The fixed help text of tab 12.
#pragma once

#include <QString>

namespace shell {

// Lines separated by CR LF; item lines begin with two blanks.
QString helpText();

}  // namespace shell
