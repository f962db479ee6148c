// The consolidation button's run state: whether a run is in progress, which the button's
// caption shows, and what a click does in either state.
#pragma once

#include <QString>
#include <functional>

#include "cad/cad_link.h"

namespace utilities {

// The button's captions while idle and during a run.
inline constexpr char16_t kConsolidateCaption[] = u"同形异名字型整理";
inline constexpr char16_t kStopConsolidatingCaption[] = u"终止字型整理";

class ConsolidationRun {
public:
    // Called with the caption whenever the state changes.
    using ShowCaption = std::function<void(const QString&)>;

    explicit ConsolidationRun(ShowCaption showCaption) : m_showCaption(std::move(showCaption)) {}

    bool isRunning() const { return m_running; }
    QString caption() const {
        return QString::fromUtf16(m_running ? kStopConsolidatingCaption : kConsolidateCaption);
    }

    // Starts a run when none is in progress; the idle state comes back however the run ends, a
    // CAD failure included. A click during a run arrives through the run's own event processing:
    // as the run cannot be stopped, it warns that the program ends and ends it.
    void click(cad::CadLink& link);

private:
    void setRunning(bool running);

    ShowCaption m_showCaption;
    bool m_running = false;
};

}  // namespace utilities
