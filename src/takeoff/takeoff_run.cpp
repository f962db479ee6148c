// The workers take the next drawing from a shared counter, so a slow drawing holds up no other.
#include "takeoff/takeoff_run.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>

#include "cad/error.h"
#include "cad/memory/application.h"
#include "dxf/drawing.h"

namespace takeoff {

namespace {

DrawingResult takeOffOne(const DrawingEntry& entry, const Filters& filters) {
    DrawingResult result{entry, std::nullopt, QString()};
    // Nothing a drawing does may end the run on a worker: what it throws is its failure.
    try {
        auto application = cad::memory::Application::create();
        auto loaded = dxf::loadDrawing(*application, entry.path);
        if (!loaded.ok()) {
            const dxf::Error& error = loaded.error();
            result.error = error.line > 0
                               ? QStringLiteral("第 %1 行：%2").arg(error.line).arg(error.message)
                               : error.message;
            return result;
        }
        result.figures = takeOff(loaded.value(), filters);
    } catch (const cad::Error& e) {
        result.error = e.message();
    } catch (const std::bad_alloc&) {
        result.error = QStringLiteral("内存不足");
    } catch (const std::exception& e) {
        result.error = QString::fromLocal8Bit(e.what());
    }
    return result;
}

}  // namespace

std::vector<DrawingResult> takeOffAll(const std::vector<DrawingEntry>& entries,
                                      const Filters& filters, int jobs, const Progress& progress) {
    const int total = int(entries.size());
    std::vector<DrawingResult> results(entries.size());
    std::atomic<int> next = 0;
    std::mutex reporting;
    int done = 0;
    auto work = [&] {
        for (int i = next++; i < total; i = next++) {
            results[size_t(i)] = takeOffOne(entries[size_t(i)], filters);
            const std::lock_guard lock(reporting);
            ++done;
            if (progress) {
                progress(done, total);
            }
        }
    };
    QThreadPool pool;
    const int workers = std::clamp(jobs, 1, std::max(total, 1));
    pool.setMaxThreadCount(workers);
    for (int w = 1; w < workers; ++w) {
        pool.start(work);
    }
    work();  // the calling thread is one of the workers
    pool.waitForDone();
    return results;
}

}  // namespace takeoff
