// Ending an operation cleanly after an automation failure it did not handle.
#include "shell/handler_guard.h"

namespace shell {

namespace {

// An operation that counts blocks shows its progress in the CAD's status line; a failure in the
// middle would leave that text standing.
void restoreCadStatusLine(cad::CadLink& link) {
    if (!link.isAttached()) {
        return;
    }
    const QString modeMacro = QStringLiteral("MODEMACRO");
    try {
        const cad::Document document = link.objAcad.ActiveDocument();
        if (!document.GetVariable(modeMacro).toText().isEmpty()) {
            document.SetVariable(modeMacro, QString());
        }
    } catch (const cad::Error&) {
        // The CAD or its drawing is gone, and its status line with it.
    }
}

}  // namespace

void runGuarded(cad::CadLink& link, const std::function<void()>& handler) {
    cad::CadLink::Busy busy(link);
    try {
        handler();
    } catch (const cad::Error&) {
        link.DeleteSelection();
        link.ui().setPointer(ui::Pointer::Default);
        restoreCadStatusLine(link);
        link.ui().ShowHint(QString::fromUtf16(kCadCallFailedHint));
    }
}

}  // namespace shell
