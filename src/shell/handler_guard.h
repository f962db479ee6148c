// The guard around every event handler of the window.
#pragma once

#include <functional>

#include "cad/cad_link.h"

namespace shell {

// The one hint for an automation failure that the handler itself leaves unhandled.
inline constexpr char16_t kCadCallFailedHint[] = u"提示：AutoCAD调用失败，操作已中止";

// Runs a handler with the timer's ticks held off. An automation failure that escapes it ends the
// operation where it stands: the selection set it made is deleted, the pointer is restored, and
// the hint line says a CAD call failed. What the operation had changed in the drawing stays
// changed; an operation that changed something in the CAD for its own time restores it itself.
void runGuarded(cad::CadLink& link, const std::function<void()>& handler);

}  // namespace shell
