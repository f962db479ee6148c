// The consolidation button's two states and the click in each.
#include "utilities/consolidation_run.h"

#include "utilities/style_consolidation.h"

namespace utilities {

using namespace Qt::StringLiterals;

void ConsolidationRun::setRunning(bool running) {
    m_running = running;
    m_showCaption(caption());
}

void ConsolidationRun::click(cad::CadLink& link) {
    if (!m_running) {
        setRunning(true);
        try {
            ConsolidateStyles(link);
        } catch (...) {
            setRunning(false);
            throw;
        }
        setRunning(false);
        return;
    }
    link.ui().messageBox(u"终止字型整理将导致程序退出！"_s, ui::Buttons::Ok, ui::Icon::Information,
                         ui::Answer::Ok);
    link.ui().endProgram();
}

}  // namespace utilities
