// writeBenchDrawing: the drawing built in memory and saved as DXF.
#include "bench_drawing.h"

#include <numbers>

#include "cad/memory/application.h"
#include "cad/memory/kinds.h"
#include "dxf/drawing.h"

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

QString writeBenchDrawing(const QString& path, int entities) {
    auto app = memory::Application::create();
    auto doc = app->newDocument(u"bench.dwg"_s);
    doc->addLayer(u"照明"_s);
    auto& lamp = doc->addBlock(u"LAMP"_s);
    auto& circle = lamp.append(doc->makeEntity(memory::kinds::circle()));
    circle.setValue(cad::Member::Radius, 300.0);
    auto& ms = doc->modelSpace();
    for (int i = 0; i < entities; ++i) {
        const double x = (i % 1000) * 1000.0, y = (i / 1000) * 1000.0;
        switch (i % 4) {
            case 0: {
                auto& e = ms.append(doc->makeEntity(memory::kinds::text()));
                e.setValue(cad::Member::TextString, QString::number(i % 5000 + 0.5));
                e.setValue(cad::Member::InsertionPoint, cad::Point{x, y, 0});
                e.setValue(cad::Member::Height, 350.0);
                break;
            }
            case 1: {
                auto& e = ms.append(doc->makeEntity(memory::kinds::line()));
                e.setValue(cad::Member::StartPoint, cad::Point{x, y, 0});
                e.setValue(cad::Member::EndPoint, cad::Point{x + 300, y + 400, 0});
                break;
            }
            case 2: {
                auto& e = ms.append(doc->makeEntity(memory::kinds::arc()));
                e.setValue(cad::Member::Center, cad::Point{x, y, 0});
                e.setValue(cad::Member::Radius, 400.0);
                e.setValue(cad::Member::EndAngle, std::numbers::pi / 2);
                break;
            }
            default: {
                auto& e = ms.append(doc->makeEntity(memory::kinds::insert()));
                e.setValue(cad::Member::Name, u"LAMP"_s);
                e.setValue(cad::Member::InsertionPoint, cad::Point{x, y, 0});
            }
        }
        if (i % 3 == 0) {
            ms.entities.back()->setSlotValue(memory::kLayerSlot, u"照明"_s);
        }
    }
    const auto saved = dxf::saveDrawing(*doc, path);
    return saved.ok() ? QString() : saved.error().toString();
}

QString startServing(QProcess& sketchcad, const QString& program, const QString& drawing) {
    constexpr int kServeTimeoutMs = 120'000;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    sketchcad.setProcessEnvironment(env);
    sketchcad.start(program, {drawing});
    QByteArray output;
    while (!output.contains("sketchcad: serving ")) {
        if (!sketchcad.waitForReadyRead(kServeTimeoutMs)) {
            return u"sketchcad did not start serving: "_s +
                   QString::fromLocal8Bit(sketchcad.readAllStandardError());
        }
        output += sketchcad.readAllStandardOutput();
    }
    return {};
}
