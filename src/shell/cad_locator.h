// How the assistant finds the running CAD: COM on Windows, sketchcad's local socket elsewhere.
#pragma once

#include <QString>
#include <functional>

namespace shell {

// The hint line while a busy CAD is waited for.
inline constexpr char16_t kCadBusyHint[] = u"提示：服务器AutoCAD正忙，正在等待";

// Installs the platform's way for GetRunningApplication. On Windows the CAD programs looked for
// and the time a busy one is waited for come from elecaide.ini beside the program, which the
// user may edit; onBusy runs when a busy CAD starts being waited for.
void installCadLocator(std::function<void()> onBusy);

}  // namespace shell
