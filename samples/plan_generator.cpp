// plan_generator FILE.dxf: writes the sample electrical plan that `make run` opens in sketchcad.
#include <QCoreApplication>
#include <QTextStream>

#include "cad/memory/application.h"
#include "dxf/drawing.h"
#include "samples/electrical_plan.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << QStringLiteral("usage: plan_generator FILE.dxf") << Qt::endl;
        return 2;
    }
    auto application = cad::memory::Application::create();
    auto drawing = application->newDocument(QStringLiteral("plan.dwg"));
    samples::drawElectricalPlan(*drawing);
    const auto saved = dxf::saveDrawing(*drawing, args.at(1));
    if (!saved.ok()) {
        err << saved.error().toString() << Qt::endl;
        return 1;
    }
    return 0;
}
