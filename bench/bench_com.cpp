// COM's cost, under Wine: one Get's round trip, then LineLengthAll, the model space block count
// and ValueAddAll over 10,000 entities through a sketchcad.exe child, each beside the same
// operation on the embedded drawing in the same run. For each: the time, the Invoke calls per
// entity, the name look-ups and the time per call.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_drawing.h"
#include "cad/cad_link.h"
#include "cad/com/caller.h"
#include "cad/com/locator.h"
#include "cad/memory/application.h"
#include "dxf/drawing.h"
#include "statistics/block_count.h"
#include "statistics/line_length.h"
#include "textedit/number_change.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

constexpr int kEntities = 10'000;
constexpr int kRoundTrips = 2'000;

// Keeps nothing: the hint line's cost is the window's, not the operation's.
class QuietUi : public ui::RecordingUi {
public:
    void showHint(const QString&) override {}
};

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "bench_com: %s\n", qUtf8Printable(why));
    std::exit(1);
}

struct Operation {
    const char* name;
    void (*run)(cad::CadLink&, core::ColorRule&);
};

const Operation kOperations[] = {
    {"LineLengthAll",
     [](cad::CadLink& link, core::ColorRule& colors) {
         statistics::LineLengthAll(link, colors,
                                   {statistics::LineKinds::LinesAndArcs, {}, u"1:100"_s});
     }},
    {"BlockCount",
     [](cad::CadLink& link, core::ColorRule&) {
         statistics::countBlocks(link, {u"LAMP"_s, u"照明"_s}, cad::Scope::ModelSpace);
     }},
    {"ValueAddAll",
     [](cad::CadLink& link, core::ColorRule& colors) {
         textedit::ValueAddAll(link, colors, {u"1"_s, {}, {}});
     }},
};

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    QTemporaryDir files;
    const QString path = files.filePath(u"bench.dxf"_s);
    if (const QString error = writeBenchDrawing(path, kEntities); !error.isEmpty()) {
        fail(error);
    }
    auto embeddedApp = cad::memory::Application::create();
    if (const auto loaded = dxf::loadDrawing(*embeddedApp, path); !loaded.ok()) {
        fail(loaded.error().toString());
    }

    QProcess sketchcad;
    if (const QString error = startServing(sketchcad, QStringLiteral(SKETCHCAD), path);
        !error.isEmpty()) {
        fail(error);
    }
    cad::com::installComLocator({{u"Sketchcad.Application"_s}, {}}, {});

    QuietUi ui;
    cad::CadLink embedded{ui};
    cad::CadLink com{ui};
    embedded.objAcad = cad::Application(embeddedApp);
    com.AttachCad();
    if (!com.isAttached()) {
        fail(u"sketchcad serves, but is not in the running object table"_s);
    }

    std::vector<double> trips;
    for (int i = 0; i < kRoundTrips; ++i) {
        QElapsedTimer t;
        t.start();
        com.objAcad.Version();
        trips.push_back(seconds(t));
    }
    std::sort(trips.begin(), trips.end());
    const double median = trips[trips.size() / 2];
    std::printf("Get round trip over COM: median %.3f ms, 90th percentile %.3f ms (%d calls)\n\n",
                median * 1e3, trips[trips.size() * 9 / 10] * 1e3, kRoundTrips);

    std::printf("%-14s %12s %10s %12s %12s %12s %10s\n", "operation", "embedded s", "COM s",
                "calls/entity", "name lookups", "ms per call", "x embedded");
    for (const Operation& op : kOperations) {
        core::ColorRule colors;
        QElapsedTimer t;
        t.start();
        op.run(embedded, colors);
        const double local = seconds(t);

        const cad::com::CallCounts before = cad::com::callCounts();
        t.restart();
        op.run(com, colors);
        const double remote = seconds(t);
        const cad::com::CallCounts after = cad::com::callCounts();
        const double calls = double(after.invokes - before.invokes);
        std::printf("%-14s %12.3f %10.2f %12.2f %12llu %12.3f %10.0f\n", op.name, local, remote,
                    calls / kEntities, (unsigned long long)(after.nameLookups - before.nameLookups),
                    remote / calls * 1e3, remote / local);
        std::fflush(stdout);
    }

    try {
        com.objAcad.object()->Call(cad::Member::Quit, {});
    } catch (const cad::Error&) {
    }
    com.ReleaseCadObjects();
    if (!sketchcad.waitForFinished(15'000)) {
        sketchcad.kill();
    }
    return 0;
}
