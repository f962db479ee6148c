// sketchcad's view over a 200,000-entity plan: building the scene after a change, a full
// repaint at zoom extents, a repaint zoomed in on a room, and a crossing selection; and repaints
// of readable texts and of filled symbols.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <numbers>

#include "cad/memory/application.h"
#include "cad/memory/document.h"
#include "dxf/drawing.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/hit_test.h"
#include "sketchcad/scene.h"

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;
using cad::Point;

constexpr int kEntities = 200000;

// Lines, arcs, circles, texts and lamp references in equal shares, spread over a 2 km square
// as rooms of 20 m; the cable layer is dashed.
struct Plan {
    std::shared_ptr<memory::Application> app = memory::Application::create();
    std::shared_ptr<memory::Document> doc = app->newDocument(u"plan.dwg"_s);

    Plan() {
        doc->addLayer(u"照明"_s).color = 2;
        auto& dashed = doc->addLinetype(u"DASHED"_s);
        dashed.pattern = {6, -3};
        auto& cable = doc->addLayer(u"电缆"_s);
        cable.color = 1;
        cable.linetype = u"DASHED"_s;
        auto& lamp = doc->addBlock(u"LAMP"_s);
        add(lamp, memory::kinds::circle(), {{Member::Radius, 0.3}});
        add(lamp, memory::kinds::line(),
            {{Member::StartPoint, Point{-0.2, -0.2, 0}}, {Member::EndPoint, Point{0.2, 0.2, 0}}});
        add(lamp, memory::kinds::line(),
            {{Member::StartPoint, Point{-0.2, 0.2, 0}}, {Member::EndPoint, Point{0.2, -0.2, 0}}});
        auto& ms = doc->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const double x = (i % 400) * 5.0;
            const double y = (i / 400) * 4.0;
            switch (i % 5) {
                case 0:
                    add(ms, memory::kinds::line(),
                        {{Member::Layer, u"电缆"_s},
                         {Member::StartPoint, Point{x, y, 0}},
                         {Member::EndPoint, Point{x + 4.5, y + 1, 0}}});
                    break;
                case 1:
                    add(ms, memory::kinds::arc(),
                        {{Member::Center, Point{x, y, 0}},
                         {Member::Radius, 1.5},
                         {Member::StartAngle, 0.0},
                         {Member::EndAngle, std::numbers::pi / 2}});
                    break;
                case 2:
                    add(ms, memory::kinds::circle(),
                        {{Member::Center, Point{x, y, 0}},
                         {Member::Radius, 0.8},
                         {Member::Color, 4}});
                    break;
                case 3:
                    add(ms, memory::kinds::text(),
                        {{Member::TextString, u"WL%1 BV-3x2.5"_s.arg(i % 97)},
                         {Member::InsertionPoint, Point{x, y, 0}},
                         {Member::Height, 0.35},
                         {Member::Color, 3}});
                    break;
                default:
                    add(ms, memory::kinds::insert(),
                        {{Member::Layer, u"照明"_s},
                         {Member::Name, u"LAMP"_s},
                         {Member::InsertionPoint, Point{x + 2, y + 2, 0}}});
                    break;
            }
        }
    }

    void add(memory::BlockRecord& block, const memory::KindSpec& kind,
             std::initializer_list<std::pair<Member, cad::Value>> values) {
        auto e = doc->makeEntity(kind);
        for (const auto& [m, v] : values) {
            e->setValue(m, v);
        }
        block.append(std::move(e));
    }
};

Plan* g_plan = nullptr;

void BM_BuildScene(benchmark::State& state) {
    sketchcad::TextFont font;
    for (auto _ : state) {
        auto scene = sketchcad::Scene::build(*g_plan->doc, font);
        benchmark::DoNotOptimize(scene.items.data());
    }
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond);

// zoomIn = 1: the whole plan; larger: that many times closer, at the middle.
void repaint(benchmark::State& state, double zoomIn) {
    sketchcad::DrawingView view;
    view.resize(1280, 800);
    view.setScene(
        std::make_shared<sketchcad::Scene>(sketchcad::Scene::build(*g_plan->doc, view.textFont())),
        true);
    view.zoomAt(QPointF(640, 400), zoomIn);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.paintScene(painter);
    }
}

void BM_RepaintWholePlan(benchmark::State& state) {
    repaint(state, 1);
}
BENCHMARK(BM_RepaintWholePlan)->Unit(benchmark::kMillisecond);

void BM_RepaintOneRoom(benchmark::State& state) {
    repaint(state, 60);
}
BENCHMARK(BM_RepaintOneRoom)->Unit(benchmark::kMillisecond);

// A thousand circuit labels, each about 9 pixels high on screen: the case where texts, not
// lines, cost the time.
void BM_RepaintReadableTexts(benchmark::State& state) {
    auto app = memory::Application::create();
    auto doc = app->newDocument(u"labels.dwg"_s);
    for (int i = 0; i < 1000; ++i) {
        auto e = doc->makeEntity(memory::kinds::text());
        e->setValue(Member::TextString, u"回路%1"_s.arg(i % 100));
        e->setValue(Member::InsertionPoint, Point{(i % 40) * 5.0, (i / 40) * 3.0, 0});
        e->setValue(Member::Height, 1.5);
        doc->modelSpace().append(std::move(e));
    }
    sketchcad::DrawingView view;
    view.resize(1280, 800);
    view.setScene(
        std::make_shared<sketchcad::Scene>(sketchcad::Scene::build(*doc, view.textFont())), true);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.paintScene(painter);
    }
}
BENCHMARK(BM_RepaintReadableTexts)->Unit(benchmark::kMillisecond);

// 20,000 filled lamp symbols read from a file (a solid hatch ring and a wide polyline dot in a
// block), over the same 2 km square: the case where fills, not lines, cost the time.
QByteArray filledSymbolsFile() {
    QByteArray dxf =
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nFILLED\n70\n0\n10\n0\n20\n0\n"
        "0\nHATCH\n8\n0\n100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n2\nSOLID\n70\n1\n71\n0\n"
        "91\n2\n92\n1\n93\n1\n72\n2\n10\n0\n20\n0\n40\n0.8\n50\n0\n51\n360\n73\n1\n97\n0\n"
        "92\n16\n93\n1\n72\n2\n10\n0\n20\n0\n40\n0.4\n50\n0\n51\n360\n73\n1\n97\n0\n"
        "75\n0\n76\n1\n98\n0\n"
        "0\nLWPOLYLINE\n8\n0\n90\n2\n70\n1\n43\n0.2\n10\n-0.1\n20\n0\n42\n1\n10\n0.1\n20\n0\n"
        "42\n1\n0\nENDBLK\n8\n0\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 20000; ++i) {
        dxf += "0\nINSERT\n8\n0\n62\n" + QByteArray::number(1 + i % 6) + "\n2\nFILLED\n10\n" +
               QByteArray::number((i % 200) * 10.0) + "\n20\n" +
               QByteArray::number((i / 200) * 20.0) + "\n";
    }
    return dxf + "0\nENDSEC\n0\nEOF\n";
}

void BM_RepaintFilledSymbols(benchmark::State& state) {
    auto app = memory::Application::create();
    auto doc = dxf::loadDrawingBytes(*app, filledSymbolsFile(), u"filled.dxf"_s);
    if (!doc.ok()) {
        state.SkipWithError("the drawing did not load");
        return;
    }
    sketchcad::DrawingView view;
    view.resize(1280, 800);
    view.setScene(
        std::make_shared<sketchcad::Scene>(sketchcad::Scene::build(*doc.value(), view.textFont())),
        true);
    view.zoomAt(QPointF(640, 400), state.range(0));
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.paintScene(painter);
    }
}
// The whole drawing, and 10 times closer, where each symbol is some 20 pixels across.
BENCHMARK(BM_RepaintFilledSymbols)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_CrossingSelection(benchmark::State& state) {
    sketchcad::TextFont font;
    const auto scene = sketchcad::Scene::build(*g_plan->doc, font);
    for (auto _ : state) {
        auto found = sketchcad::itemsCrossing(scene, sketchcad::Box::of({100, 100}, {300, 200}));
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_CrossingSelection)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    Plan plan;
    g_plan = &plan;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
