// Tab 12's buttons; the consolidation button's caption is its run state.
#include "utilities/utilities_page.h"

#include <QPushButton>

#include "pagekit/controls.h"
#include "utilities/align_text_left.h"
#include "utilities/forgotten_layer.h"
#include "utilities/frame_size.h"
#include "utilities/style_consolidation.h"
#include "utilities/sum_selected_values.h"
#include "utilities/swap_positions.h"

namespace utilities {

namespace {

using namespace Qt::StringLiterals;
using pagekit::captioned;
using pagekit::twipsRect;

const QString kIdle = u"同形异名字型整理"_s;
const QString kRunning = u"终止字型整理"_s;

// Puts the idle caption back however the run ends, a CAD failure included.
class RunningCaption {
public:
    explicit RunningCaption(QPushButton* button) : m_button(button) { m_button->setText(kRunning); }
    ~RunningCaption() { m_button->setText(kIdle); }
    RunningCaption(const RunningCaption&) = delete;
    RunningCaption& operator=(const RunningCaption&) = delete;

private:
    QPushButton* m_button;
};

// A click during a run arrives here through the run's own event processing; the run cannot be
// stopped short of ending the program.
void cmdClean_Click(QPushButton* cmdClean, pagekit::PageHost& host) {
    if (cmdClean->text() == kIdle) {
        RunningCaption running(cmdClean);
        ConsolidateStyles(host.cadLink());
        return;
    }
    host.ui().messageBox(u"终止字型整理将导致程序退出！"_s, ui::Buttons::Ok, ui::Icon::Information,
                         ui::Answer::Ok);
    host.ui().endProgram();
}

// In the order the help text beside them introduces them.
QPushButton* utilityButton(QWidget* frame, int row, const char16_t* name, const char16_t* caption) {
    return captioned<QPushButton>(frame, name, caption, twipsRect(240, 240 + row * 750, 1695, 375));
}

}  // namespace

void buildUtilitiesPage(QWidget* frame, pagekit::PageHost& host) {
    auto* cmdSwap = utilityButton(frame, 0, u"cmdSwap", u"物体位置互调");
    auto* cmdClean = utilityButton(frame, 1, u"cmdClean", u"同形异名字型整理");
    auto* cmdLayer = utilityButton(frame, 2, u"cmdLayer", u"遗忘改层");
    auto* cmdAlign = utilityButton(frame, 3, u"cmdAlign", u"单行文字左对齐");
    auto* cmdAdd = utilityButton(frame, 4, u"cmdAdd", u"所选数值相加");
    auto* cmdSize = utilityButton(frame, 5, u"cmdSize", u"判断图框大小");

    host.onClick(cmdSwap, [&host] { SwapPositions(host.cadLink()); });
    host.onClick(cmdClean, [&host, cmdClean] { cmdClean_Click(cmdClean, host); });
    host.onClick(cmdLayer, [&host] { cmdLayer_Click(host.cadLink()); });
    host.onClick(cmdAlign, [&host] { AlignTextLeft(host.cadLink()); });
    host.onClick(cmdAdd, [&host] { SumSelectedValues(host.cadLink()); });
    host.onClick(cmdSize, [&host] { CheckFrameSize(host.cadLink()); });
}

}  // namespace utilities
