// The colour search and a layer conversion of tab 7 over a model space of 200,000 entities.
#include <benchmark/benchmark.h>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/memory/entity.h"
#include "cad/running.h"
#include "properties/property_convert.h"
#include "properties/property_search.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

constexpr int kEntities = 200'000;

// Counts hints instead of keeping 200,000 of them per run; message boxes take their default.
class CountingUi : public ui::RecordingUi {
public:
    void showHint(const QString&) override { ++shown; }
    qint64 shown = 0;
};

struct Drawing {
    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    CountingUi ui;
    cad::CadLink link{ui};

    Drawing() {
        auto doc = app->newDocument(u"properties.dwg"_s);
        doc->addLayer(u"照明"_s);
        doc->addLayer(u"动力"_s);
        auto& ms = doc->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const auto& kind = i % 4 == 0 ? cad::memory::kinds::text() : cad::memory::kinds::line();
            auto& e = ms.append(doc->makeEntity(kind));
            e.setSlotValue(cad::memory::kColorSlot, i % 37 == 0 ? 30 + i % 200 : i % 10);
            if (i % 2 == 0) {
                e.setSlotValue(cad::memory::kLayerSlot, u"照明"_s);
            }
        }
        cad::registerRunningObject(QString::fromUtf16(cad::kAutoCadProgId), app);
        link.AttachCad();
    }
};

Drawing& drawing() {
    static Drawing d;
    return d;
}

void BM_SearchColors(benchmark::State& state) {
    Drawing& d = drawing();
    for (auto _ : state) {
        benchmark::DoNotOptimize(properties::SearchColors(d.link));
    }
    state.SetItemsProcessed(state.iterations() * kEntities);
}
BENCHMARK(BM_SearchColors)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Half the entities move each run; moving them back and forth keeps every run the same work.
void BM_LayerConvertAll(benchmark::State& state) {
    Drawing& d = drawing();
    properties::ConversionInput there{u"照明"_s, u"动力"_s};
    properties::ConversionInput back{u"动力"_s, u"照明"_s};
    for (auto _ : state) {
        properties::LayerConvertAll(d.link, there);
        std::swap(there, back);
    }
    state.SetItemsProcessed(state.iterations() * kEntities);
}
BENCHMARK(BM_LayerConvertAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
