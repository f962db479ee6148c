// Operations through a real sketchcad over 100,000 entities, beside the same operations on the
// embedded drawing in the same run: one Get's round trip, ValueAddAll, LineLengthAll and the
// model space block count. Each remote figure carries its ratio to the embedded one.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "bench_drawing.h"
#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/remote/client.h"
#include "cad/remote/connection.h"
#include "cad/running.h"
#include "dxf/drawing.h"
#include "statistics/block_count.h"
#include "statistics/line_length.h"
#include "textedit/number_change.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using Clock = std::chrono::steady_clock;

constexpr int kEntities = 100'000;

// Keeps nothing: the hint line's cost is the window's, not the operation's.
class QuietUi : public ui::RecordingUi {
public:
    void showHint(const QString&) override {}
};

// The drawing twice: served by a sketchcad child (offscreen, in a runtime directory of the
// benchmark's own) and loaded from the same file into an embedded application.
class Drawings {
public:
    Drawings() {
        const QString path = m_files.filePath(u"bench.dxf"_s);
        if (const QString error = writeBenchDrawing(path, kEntities); !error.isEmpty()) {
            fail(error);
        }
        m_embedded = memory::Application::create();
        if (const auto loaded = dxf::loadDrawing(*m_embedded, path); !loaded.ok()) {
            fail(loaded.error().toString());
        }
        embedded.objAcad = cad::Application(m_embedded);

        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        if (const QString error = startServing(m_sketchcad, QStringLiteral(SKETCHCAD), path);
            !error.isEmpty()) {
            fail(error);
        }
        remote.objAcad =
            cad::Application(cad::remote::connectRemote(QString::fromUtf16(cad::kAutoCadProgId)));
        if (remote.objAcad.isEmpty()) {
            fail(u"sketchcad serves, but its socket does not answer"_s);
        }
    }
    ~Drawings() {
        try {
            remote.objAcad.object()->Call(cad::Member::Quit, {});
        } catch (const cad::Error&) {
        }
        remote.ReleaseCadObjects();
        if (!m_sketchcad.waitForFinished(15'000)) {
            m_sketchcad.kill();
            m_sketchcad.waitForFinished(15'000);
        }
    }

    QuietUi ui;
    cad::CadLink remote{ui};
    cad::CadLink embedded{ui};

private:
    [[noreturn]] static void fail(const QString& why) {
        std::fprintf(stderr, "bench_sketchcad: %s\n", qPrintable(why));
        std::exit(1);
    }

    QTemporaryDir m_files;
    QTemporaryDir m_runtime;
    QProcess m_sketchcad;
    std::shared_ptr<memory::Application> m_embedded;
};

// Made and ended in main(), while Qt's globals exist.
Drawings* g_drawings = nullptr;

// Seconds per operation on the embedded drawing, for the remote figure's ratio.
QHash<QString, double>& embeddedSeconds() {
    static QHash<QString, double> seconds;
    return seconds;
}

void measure(benchmark::State& state, const QString& name, bool throughSketchcad,
             void (*operation)(cad::CadLink&, core::ColorRule&)) {
    cad::CadLink& link = throughSketchcad ? g_drawings->remote : g_drawings->embedded;
    core::ColorRule colorRule;
    const std::uint64_t requestsBefore = cad::remote::Connection::requestsSent();
    const auto start = Clock::now();
    for (auto _ : state) {
        operation(link, colorRule);
    }
    const double seconds =
        std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    if (!throughSketchcad) {
        embeddedSeconds().insert(name, seconds);
    } else {
        state.counters["round_trips"] =
            double(cad::remote::Connection::requestsSent() - requestsBefore) /
            double(state.iterations());
        if (embeddedSeconds().contains(name)) {
            state.counters["x_embedded"] = seconds / embeddedSeconds().value(name);
        }
    }
    state.counters["entities/s"] = static_cast<double>(kEntities) / seconds;
}

void valueAddAll(cad::CadLink& link, core::ColorRule& colorRule) {
    textedit::ValueAddAll(link, colorRule, {u"1"_s, {}, {}});
}

void lineLengthAll(cad::CadLink& link, core::ColorRule& colorRule) {
    statistics::LineLengthAll(link, colorRule,
                              {statistics::LineKinds::LinesAndArcs, {}, u"1:100"_s});
}

void blockCount(cad::CadLink& link, core::ColorRule&) {
    statistics::countBlocks(link, {u"LAMP"_s, u"照明"_s}, cad::Scope::ModelSpace);
}

void BM_GetRoundTrip(benchmark::State& state) {
    const cad::Application& acad = g_drawings->remote.objAcad;
    for (auto _ : state) {
        benchmark::DoNotOptimize(acad.Version());
    }
}
BENCHMARK(BM_GetRoundTrip)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_Operation(benchmark::State& state, const char* name, bool throughSketchcad,
                  void (*operation)(cad::CadLink&, core::ColorRule&)) {
    measure(state, QString::fromLatin1(name), throughSketchcad, operation);
}
// Embedded first: the remote figures divide by them.
BENCHMARK_CAPTURE(BM_Operation, LineLengthAll_Embedded, "LineLengthAll", false, lineLengthAll)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Operation, LineLengthAll_Sketchcad, "LineLengthAll", true, lineLengthAll)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Operation, BlockCountModelSpace_Embedded, "BlockCount", false, blockCount)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Operation, BlockCountModelSpace_Sketchcad, "BlockCount", true, blockCount)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Operation, ValueAddAll_Embedded, "ValueAddAll", false, valueAddAll)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Operation, ValueAddAll_Sketchcad, "ValueAddAll", true, valueAddAll)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    Drawings drawings;
    g_drawings = &drawings;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_drawings = nullptr;
    return 0;
}
