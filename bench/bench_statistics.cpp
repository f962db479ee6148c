// The two whole-drawing statistics over a model space of 200,000 entities: the line length
// total and the block count, each as the button runs it.
#include <benchmark/benchmark.h>

#include <numbers>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/running.h"
#include "statistics/block_count.h"
#include "statistics/line_length.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

constexpr int kEntities = 200'000;

// Keeps nothing: the hint line's cost is the window's, not the operation's.
class QuietUi : public ui::RecordingUi {
public:
    void showHint(const QString&) override {}
};

// Lines, arcs, texts and block references in equal shares, a third of them on a second layer.
struct Drawing {
    std::shared_ptr<memory::Application> app = memory::Application::create();
    QuietUi ui;
    cad::CadLink link{ui};

    Drawing() {
        auto doc = app->newDocument(u"bench.dwg"_s);
        doc->addLayer(u"照明"_s);
        doc->addBlock(u"LAMP"_s);
        auto& ms = doc->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const memory::KindSpec* kinds[] = {&memory::kinds::line(), &memory::kinds::arc(),
                                               &memory::kinds::text(), &memory::kinds::insert()};
            auto& e = ms.append(doc->makeEntity(*kinds[i % 4]));
            switch (i % 4) {
                case 0:
                    e.setValue(cad::Member::EndPoint, cad::Point{3, 4, 0});
                    break;
                case 1:
                    e.setValue(cad::Member::Radius, 10.0);
                    e.setValue(cad::Member::EndAngle, std::numbers::pi / 2);
                    break;
                case 3:
                    e.setValue(cad::Member::Name, u"LAMP"_s);
                    break;
            }
            if (i % 3 == 0) {
                e.setSlotValue(memory::kLayerSlot, u"照明"_s);
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

void reportRate(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kEntities);
    state.counters["entities/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kEntities, benchmark::Counter::kIsRate);
}

void BM_LineLengthAll(benchmark::State& state) {
    Drawing& d = drawing();
    core::ColorRule colorRule;
    const statistics::LineLengthInput input{statistics::LineKinds::LinesAndArcs, {}, u"1:100"_s};
    for (auto _ : state) {
        statistics::LineLengthAll(d.link, colorRule, input);
    }
    reportRate(state);
}
BENCHMARK(BM_LineLengthAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BlockCountModelSpace(benchmark::State& state) {
    Drawing& d = drawing();
    const statistics::BlockCountInput input{u"lamp"_s, u"照明"_s};
    for (auto _ : state) {
        statistics::countBlocks(d.link, input, cad::Scope::ModelSpace);
    }
    reportRate(state);
}
BENCHMARK(BM_BlockCountModelSpace)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
