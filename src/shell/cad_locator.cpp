// installCadLocator: the settings file on Windows, the socket elsewhere.
#include "shell/cad_locator.h"

#include <QCoreApplication>

#ifdef _WIN32
#include "cad/com/locator.h"
#else
#include "cad/remote/client.h"
#endif

namespace shell {

void installCadLocator(std::function<void()> onBusy) {
#ifdef _WIN32
    const QString settings =
        QCoreApplication::applicationDirPath() + QStringLiteral("/elecaide.ini");
    cad::com::installComLocator(cad::com::readLocatorSettings(settings), std::move(onBusy));
#else
    (void)onBusy;  // the socket server never says it is busy
    cad::remote::installRemoteLocator();
#endif
}

}  // namespace shell
