// Tab 12's buttons; the consolidation button's caption shows the run state it is given.
#include "utilities/utilities_page.h"

#include <QPushButton>
#include <memory>

#include "pagekit/controls.h"
#include "utilities/align_text_left.h"
#include "utilities/consolidation_run.h"
#include "utilities/forgotten_layer.h"
#include "utilities/frame_size.h"
#include "utilities/sum_selected_values.h"
#include "utilities/swap_positions.h"

namespace utilities {

namespace {

using pagekit::captioned;
using pagekit::twipsRect;

// In the order the help text beside them introduces them.
QPushButton* utilityButton(QWidget* frame, int row, const char16_t* name, const char16_t* caption) {
    return captioned<QPushButton>(frame, name, caption, twipsRect(240, 240 + row * 750, 1695, 375));
}

}  // namespace

void buildUtilitiesPage(QWidget* frame, pagekit::PageHost& host) {
    auto* cmdSwap = utilityButton(frame, 0, u"cmdSwap", u"物体位置互调");
    auto* cmdClean = utilityButton(frame, 1, u"cmdClean", kConsolidateCaption);
    auto* cmdLayer = utilityButton(frame, 2, u"cmdLayer", u"遗忘改层");
    auto* cmdAlign = utilityButton(frame, 3, u"cmdAlign", u"单行文字左对齐");
    auto* cmdAdd = utilityButton(frame, 4, u"cmdAdd", u"所选数值相加");
    auto* cmdSize = utilityButton(frame, 5, u"cmdSize", u"判断图框大小");

    auto consolidation = std::make_shared<ConsolidationRun>(
        [cmdClean](const QString& caption) { cmdClean->setText(caption); });
    host.onClick(cmdSwap, [&host] { SwapPositions(host.cadLink()); });
    host.onClick(cmdClean, [&host, consolidation] { consolidation->click(host.cadLink()); });
    host.onClick(cmdLayer, [&host] { moveFromPickedToNewLayer(host.cadLink()); });
    host.onClick(cmdAlign, [&host] { AlignTextLeft(host.cadLink()); });
    host.onClick(cmdAdd, [&host] { SumSelectedValues(host.cadLink()); });
    host.onClick(cmdSize, [&host] { CheckFrameSize(host.cadLink()); });
}

}  // namespace utilities
