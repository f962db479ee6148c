// Loading and saving a large DXF drawing, with ezdxf reading the same file as the baseline.
#include "cad/memory/application.h"
#include "dxf/drawing.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <numbers>

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;
using cad::Point;

constexpr int kEntities = 500000;

// Lines, arcs, texts and inserts in equal shares on a few layers, saved as a new drawing: the
// shape of a large electrical plan, about 75 MB.
struct LargeDrawing {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;

    LargeDrawing() {
        path = dir.filePath(u"large.dxf"_s);
        auto app = memory::Application::create();
        auto drawing = app->newDocument(u"large.dxf"_s);
        for (const QString& layer : {u"电气-照明"_s, u"电气-插座"_s, u"E-POWER"_s})
            drawing->addLayer(layer);
        memory::BlockRecord& lamp = drawing->addBlock(u"LAMP"_s);
        lamp.append(drawing->makeEntity(memory::kinds::circle()));
        memory::BlockRecord& space = drawing->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const double x = i % 1000 * 10.0;
            const double y = i / 1000 * 10.0;
            std::shared_ptr<memory::Entity> e;
            switch (i % 4) {
                case 0:
                    e = drawing->makeEntity(memory::kinds::line());
                    e->setValue(Member::StartPoint, Point{x, y, 0});
                    e->setValue(Member::EndPoint, Point{x + 7.5, y + 2.25, 0});
                    break;
                case 1:
                    e = drawing->makeEntity(memory::kinds::arc());
                    e->setValue(Member::Center, Point{x, y, 0});
                    e->setValue(Member::Radius, 2.5);
                    e->setValue(Member::EndAngle, std::numbers::pi / 2);
                    break;
                case 2:
                    e = drawing->makeEntity(memory::kinds::text());
                    e->setValue(Member::TextString, u"回路 WL%1"_s.arg(i));
                    e->setValue(Member::InsertionPoint, Point{x, y, 0});
                    e->setValue(Member::Height, 3.5);
                    break;
                default:
                    e = drawing->makeEntity(memory::kinds::insert());
                    e->setValue(Member::Name, u"LAMP"_s);
                    e->setValue(Member::InsertionPoint, Point{x, y, 0});
                    break;
            }
            e->setValue(Member::Layer, drawing->layers()[size_t(1 + i % 3)]->name);
            space.append(e);
        }
        if (!dxf::saveDrawing(*drawing, path).ok())
            std::abort();
        size = QFile(path).size();
    }
};

const LargeDrawing& largeDrawing() {
    static const LargeDrawing drawing;
    return drawing;
}

void setRates(benchmark::State& state, qint64 bytes) {
    state.counters["MB/s"] =
        benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["entities/s"] =
        benchmark::Counter(kEntities, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(bytes) / 1e6;
}

void BM_DxfLoad(benchmark::State& state) {
    const LargeDrawing& file = largeDrawing();
    for (auto _ : state) {
        auto app = memory::Application::create();
        auto loaded = dxf::loadDrawing(*app, file.path);
        if (!loaded.ok())
            state.SkipWithError("load failed");
        state.PauseTiming();  // freeing half a million entities is not loading
        loaded = dxf::Error{};
        app.reset();
        state.ResumeTiming();
    }
    setRates(state, file.size);
}
BENCHMARK(BM_DxfLoad)->Unit(benchmark::kMillisecond)->MinTime(3);

// A loaded drawing with one changed text saved back: every entity is compared with its tags.
void BM_DxfSave(benchmark::State& state) {
    const LargeDrawing& file = largeDrawing();
    auto app = memory::Application::create();
    auto loaded = dxf::loadDrawing(*app, file.path);
    if (!loaded.ok()) {
        state.SkipWithError("load failed");
        return;
    }
    const QString target = QDir(file.dir.path()).filePath(u"saved.dxf"_s);
    int round = 0;
    for (auto _ : state) {
        loaded.value()->modelSpace().entities[2]->setValue(Member::TextString,
                                                           u"改 %1"_s.arg(++round));
        if (!dxf::saveDrawing(*loaded.value(), target).ok())
            state.SkipWithError("save failed");
    }
    setRates(state, file.size);
}
BENCHMARK(BM_DxfSave)->Unit(benchmark::kMillisecond)->MinTime(3);

// The baseline: ezdxf reading the same file, once, timed from outside.
void BM_EzdxfReadBaseline(benchmark::State& state) {
    const LargeDrawing& file = largeDrawing();
    const QByteArray command =
        "/usr/bin/python3 -c 'import ezdxf, sys; ezdxf.readfile(sys.argv[1])' " +
        QFile::encodeName(file.path);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (std::system(command.constData()) != 0)
            state.SkipWithError("ezdxf failed");
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    setRates(state, file.size);
}
BENCHMARK(BM_EzdxfReadBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
