// Loads a drawing, changes its first text and saves it over a target: the process the
// safe-save test kills at random moments.
#include "dxf/drawing.h"

#include "cad/memory/application.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: dxf_save_child SOURCE TARGET\n", stderr);
        return 2;
    }
    auto cad = cad::memory::Application::create();
    auto loaded = dxf::loadDrawing(*cad, args[1]);
    if (!loaded.ok())
        return 1;
    for (const auto& e : loaded.value()->modelSpace().entities) {
        if (e->kind().slot(cad::Member::TextString) >= 0) {
            e->setValue(cad::Member::TextString, QStringLiteral("saved by the child"));
            break;
        }
    }
    return dxf::saveDrawing(*loaded.value(), args[2]).ok() ? 0 : 1;
}
