// The take-off of 200 drawings of about 1 MB each, on one worker and on every core, with the
// same take-off done by a short ezdxf script as the baseline.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_drawing.h"
#include "takeoff/report.h"
#include "takeoff/takeoff_run.h"
#include "takeoff/workbook_file.h"

namespace {

using namespace Qt::StringLiterals;

constexpr int kDrawings = 200;
constexpr int kEntities = 7000;  // about 1 MB of DXF

struct DrawingSet {
    QTemporaryDir dir;
    std::vector<takeoff::DrawingEntry> entries;
    qint64 bytes = 0;

    DrawingSet() {
        const QString first = dir.filePath(u"一层/照明 1.dxf"_s);
        QDir(dir.path()).mkpath(u"一层"_s);
        if (!writeBenchDrawing(first, kEntities).isEmpty())
            std::abort();
        for (int i = 1; i <= kDrawings; ++i) {
            const QString name = u"一层/照明 %1.dxf"_s.arg(i);
            const QString path = dir.filePath(name);
            if (i > 1 && !QFile::copy(first, path))
                std::abort();
            entries.push_back({path, name, u"1:100"_s});
            bytes += QFile(path).size();
        }
    }
};

const DrawingSet& drawingSet() {
    static const DrawingSet set;
    return set;
}

// Seconds per take-off on every core, for the baseline's ratio (the benchmarks run in order).
double allCoresSeconds = 0;

double takeOff(benchmark::State& state, int jobs) {
    const DrawingSet& set = drawingSet();
    const QString output = set.dir.filePath(u"takeoff.xlsx"_s);
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const auto results = takeoff::takeOffAll(set.entries, {}, jobs);
        const QString failure = takeoff::writeWorkbook(takeoff::buildReport(results, {}), output);
        if (!failure.isEmpty() || !results.back().figures)
            state.SkipWithError("take-off failed");
        const double s = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(s);
        seconds += s;
    }
    state.counters["drawings/s"] =
        benchmark::Counter(kDrawings, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] =
        benchmark::Counter(double(set.bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(set.bytes) / 1e6;
    state.counters["workers"] = jobs;
    return seconds / double(state.iterations());
}

void BM_TakeoffOneWorker(benchmark::State& state) {
    takeOff(state, 1);
}
BENCHMARK(BM_TakeoffOneWorker)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();

void BM_TakeoffAllCores(benchmark::State& state) {
    allCoresSeconds = takeOff(state, QThread::idealThreadCount());
}
BENCHMARK(BM_TakeoffAllCores)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The baseline: ezdxf reading the same set and gathering the counts and line and arc lengths,
// once, timed from outside; "x take-off" is how many times longer it takes than the take-off
// on every core.
void BM_EzdxfTakeoffBaseline(benchmark::State& state) {
    const DrawingSet& set = drawingSet();
    const QByteArray command = "/usr/bin/python3 " BENCH_SOURCE_DIR "/takeoff_ezdxf.py " +
                               QFile::encodeName(set.dir.path()) + " > /dev/null";
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (std::system(command.constData()) != 0)
            state.SkipWithError("ezdxf failed");
        seconds = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
    }
    state.counters["drawings/s"] =
        benchmark::Counter(kDrawings, benchmark::Counter::kIsIterationInvariantRate);
    if (allCoresSeconds > 0)
        state.counters["x take-off"] = seconds / allCoresSeconds;
}
BENCHMARK(BM_EzdxfTakeoffBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
