// The automation protocol's cost: one Get's round trip, and a model space walk through the
// socket beside the same walk on the embedded drawing.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "cad/automation.h"
#include "cad/memory/application.h"
#include "cad/remote/client.h"
#include "cad/remote/server_thread.h"

namespace {

using namespace cad;

constexpr int kWalkEntities = 10'000;

class NoPicks : public remote::Picker {
public:
    void startPoint(const QString&, const std::optional<Point>&) override {}
    void startSelection(const QString&) override {}
    void abandon() override {}
};

// A drawing served on a thread of its own, in a runtime directory of the benchmark's own.
class ServedDrawing {
public:
    ServedDrawing() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        app->newDocument(QStringLiteral("bench.dwg"));
        Application local(app);
        ModelSpace ms = local.ActiveDocument().ModelSpace();
        for (int i = 0; i < kWalkEntities; ++i) {
            ms.AddLine({double(i), 0, 0}, {double(i), 1, 0});
        }
        m_served.emplace(app, m_picks);
        client = Application(remote::connectRemote(QString::fromUtf16(kAutoCadProgId)));
    }
    ~ServedDrawing() { client.reset(); }

    std::shared_ptr<memory::Application> app = memory::Application::create();
    Application client;

private:
    QTemporaryDir m_runtime;
    NoPicks m_picks;
    std::optional<remote::ServerThread> m_served;
};

// Made and ended in main(), while Qt's globals exist.
ServedDrawing* g_served = nullptr;

ServedDrawing& served() {
    return *g_served;
}

void walk(benchmark::State& state, const Application& acad) {
    ModelSpace ms = acad.ActiveDocument().ModelSpace();
    for (auto _ : state) {
        int lines = 0;
        const int n = ms.Count();
        for (int i = 0; i < n; ++i) {
            Entity e = ms.Item(i);
            lines += e.EntityName() == QStringLiteral("AcDbLine") && e.Layer().size() == 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * kWalkEntities);
}

void BM_RemoteGetRoundTrip(benchmark::State& state) {
    const Application& acad = served().client;
    for (auto _ : state) {
        benchmark::DoNotOptimize(acad.Version());
    }
}
BENCHMARK(BM_RemoteGetRoundTrip)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_RemoteWalk(benchmark::State& state) {
    walk(state, served().client);
}
BENCHMARK(BM_RemoteWalk)->Unit(benchmark::kMillisecond);

void BM_EmbeddedWalk(benchmark::State& state) {
    walk(state, Application(served().app));
}
BENCHMARK(BM_EmbeddedWalk)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    ServedDrawing served;
    g_served = &served;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
