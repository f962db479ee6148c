// Ending an operation cleanly after an automation failure it did not handle.
#include "shell/handler_guard.h"

namespace shell {

void runGuarded(cad::CadLink& link, const std::function<void()>& handler) {
    cad::CadLink::Busy busy(link);
    try {
        handler();
    } catch (const cad::Error&) {
        link.DeleteSelection();
        link.ui().setPointer(ui::Pointer::Default);
        link.ui().showHint(QString::fromUtf16(kCadCallFailedHint));
    }
}

}  // namespace shell
