// Walks a model space of a million entities through the automation interface, as every
// whole-document operation does, reading the kind and the layer of each entity.
#include <benchmark/benchmark.h>

#include "cad/automation.h"
#include "cad/memory/application.h"

namespace {

using namespace cad;

constexpr int kEntities = 1'000'000;

struct Drawing {
    std::shared_ptr<memory::Application> app = memory::Application::create();
    Application acad{app};

    Drawing() {
        auto doc = app->newDocument(QStringLiteral("walk.dwg"));
        doc->addLayer(QStringLiteral("电气"));
        auto& ms = doc->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const auto& kind = i % 4 == 0 ? memory::kinds::text() : memory::kinds::line();
            auto& e = ms.append(doc->makeEntity(kind));
            if (i % 3 == 0) {
                e.setSlotValue(memory::kLayerSlot, QStringLiteral("电气"));
            }
        }
    }
};

void BM_WalkModelSpace(benchmark::State& state) {
    static Drawing drawing;
    for (auto _ : state) {
        ModelSpace ms = drawing.acad.ActiveDocument().ModelSpace();
        const int n = ms.Count();
        int texts = 0;
        int onLayer = 0;
        const QString layer = QStringLiteral("电气");
        for (int i = 0; i < n; ++i) {
            Entity e = ms.Item(i);
            texts += e.EntityName() == u"AcDbText";
            onLayer += e.Layer() == layer;
        }
        benchmark::DoNotOptimize(texts + onLayer);
    }
    state.SetItemsProcessed(state.iterations() * kEntities);
    state.counters["entities/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kEntities, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkModelSpace)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
