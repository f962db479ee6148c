// Tab 6's controls: the name search, the block and layer boxes and the two counts.
#include "statistics/block_count_page.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "pagekit/combo_choice_box.h"
#include "pagekit/controls.h"
#include "statistics/block_count.h"

namespace statistics {

namespace {

using namespace Qt::StringLiterals;
using pagekit::captioned;
using pagekit::comboBox;
using pagekit::twipsRect;

// Typing in either box or opening its list says where the search results will show.
void connectResultHint(pagekit::PageHost& host, QComboBox* box) {
    auto hint = [&host] {
        host.handle([&host] { host.ui().showHint(u"提示：此处显示搜索结果"_s); });
    };
    QObject::connect(box, &QComboBox::editTextChanged, box, hint);
    QObject::connect(box, &QComboBox::activated, box, hint);
}

}  // namespace

void buildBlockCountPage(QWidget* frame, pagekit::PageHost& host) {
    captioned<QLabel>(frame, u"labBName", u"搜索块名", twipsRect(960, 1380, 1095, 255));
    QComboBox* comBName = comboBox(frame, u"comBName", twipsRect(2160, 1320, 2295, 315));
    captioned<QLabel>(frame, u"labLayer", u"所在层名", twipsRect(960, 2280, 1095, 255));
    QComboBox* comLayer = comboBox(frame, u"comLayer", twipsRect(2160, 2220, 2295, 315));
    auto* cmdSearch = captioned<QPushButton>(frame, u"cmdSearch", u"搜索块名、层名",
                                             twipsRect(4800, 1290, 1695, 375));
    auto* cmdStatAll =
        captioned<QPushButton>(frame, u"cmdStatAll", u"全域统计", twipsRect(1095, 4920, 1095, 375));
    auto* cmdStatPart = captioned<QPushButton>(frame, u"cmdStatPart", u"选择统计",
                                               twipsRect(3000, 4920, 1095, 375));

    connectResultHint(host, comBName);
    connectResultHint(host, comLayer);
    host.onClick(cmdSearch, [&host, comBName, comLayer] {
        pagekit::ComboChoiceBox blocks(*comBName);
        pagekit::ComboChoiceBox layers(*comLayer);
        SearchBlocksLayers(host.cadLink(), blocks, layers);
    });
    auto input = [comBName, comLayer] {
        return BlockCountInput{comBName->currentText(), comLayer->currentText()};
    };
    host.onClick(cmdStatAll,
                 [&host, input] { countBlocks(host.cadLink(), input(), cad::Scope::ModelSpace); });
    host.onClick(cmdStatPart,
                 [&host, input] { countBlocks(host.cadLink(), input(), cad::Scope::Selection); });
}

}  // namespace statistics
