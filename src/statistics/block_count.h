// Counting block references of one name, on one layer or on all, and the search that offers the
// drawing's block and layer names.
#pragma once

#include <QString>

#include "cad/cad_link.h"
#include "filters/choice_box.h"

namespace statistics {

// The layer entry that switches the layer condition off.
inline constexpr char16_t kAllLayers[] = u"<所有层>";

// Appends the active drawing's block names (layout blocks left out) and layer names, then
// "<所有层>", to what the boxes already hold; shows the first block name and "<所有层>".
void SearchBlocksLayers(cad::CadLink& link, filters::ChoiceBox& blockBox,
                        filters::ChoiceBox& layerBox);

// The two box texts as the user left them.
struct BlockCountInput {
    QString blockName;  // comBName
    QString layerName;  // comLayer
};

// Counts in model space ("全域统计") and in an on-screen selection ("选择统计"); the result, a
// refusal or the failure goes to the hint line.
void countBlocks(cad::CadLink& link, const BlockCountInput& input, cad::Scope scope);

}  // namespace statistics
