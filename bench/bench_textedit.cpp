// Numbers added and heights multiplied (tabs 1 and 4, whole drawing) over 200,000 entities, half
// texts: recording Ui and hint line. Every progress hint is written; the real hint line repaints at
// most every 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "shell/hint_line.h"
#include "shell/qt_ui.h"
#include "textedit/height_change.h"
#include "textedit/number_change.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

constexpr int kEntities = 200'000;

struct Drawing {
    std::shared_ptr<memory::Application> app = memory::Application::create();

    Drawing() {
        auto doc = app->newDocument(u"bench.dwg"_s);
        auto& ms = doc->modelSpace();
        for (int i = 0; i < kEntities; ++i) {
            const bool text = i % 2 == 0;
            auto& e =
                ms.append(doc->makeEntity(text ? memory::kinds::text() : memory::kinds::line()));
            if (text) {
                e.setValue(cad::Member::TextString, QString::number(i % 1000) + u".5"_s);
            }
        }
    }
};

Drawing& drawing() {
    static Drawing d;
    return d;
}

// The hint line of the window as the user sees it, repainting at most every 50 ms.
struct WindowHintLine {
    QWidget window;
    shell::HintLine* hintLine = new shell::HintLine(&window);
    shell::QtUi ui{window, *hintLine};

    WindowHintLine() {
        window.resize(480, 40);
        hintLine->resize(480, 20);
        window.show();
    }
};

template <typename Operation>
void run(benchmark::State& state, ui::Ui& ui, ui::RecordingUi* recording, Operation operation) {
    cad::CadLink link(ui);
    link.objAcad = cad::Application(drawing().app);
    core::ColorRule colorRule;
    for (auto _ : state) {
        operation(link, colorRule);
        // Each run is measured as one operation on a drawing with no undo history before it.
        state.PauseTiming();
        drawing().app->activeDocument()->clearUndo();
        if (recording != nullptr) {
            recording->hints.clear();
        }
        state.ResumeTiming();
    }
    state.counters["entities/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kEntities, benchmark::Counter::kIsRate);
}

void valueAddAll(cad::CadLink& link, core::ColorRule& colorRule) {
    textedit::ValueAddAll(link, colorRule, {u"1"_s, {}, {}});
}

void heightTimesAll(cad::CadLink& link, core::ColorRule& colorRule) {
    textedit::HeightTimesAll(link, colorRule, {u"1"_s, {}, {}});
}

void BM_ValueAddAll(benchmark::State& state) {
    ui::RecordingUi ui;
    run(state, ui, &ui, valueAddAll);
}
BENCHMARK(BM_ValueAddAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_HeightTimesAll(benchmark::State& state) {
    ui::RecordingUi ui;
    run(state, ui, &ui, heightTimesAll);
}
BENCHMARK(BM_HeightTimesAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ValueAddAll_HintLine(benchmark::State& state) {
    WindowHintLine window;
    run(state, window.ui, nullptr, valueAddAll);
}
BENCHMARK(BM_ValueAddAll_HintLine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_HeightTimesAll_HintLine(benchmark::State& state) {
    WindowHintLine window;
    run(state, window.ui, nullptr, heightTimesAll);
}
BENCHMARK(BM_HeightTimesAll_HintLine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    // The hint line needs a GUI application; without a display it renders offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
