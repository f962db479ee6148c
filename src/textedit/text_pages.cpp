// Tabs 1 to 4: tab 1 on the option grid it shares with tab 5, tabs 2 to 4 on one layout of
// their own, and the eight buttons driven from one table of operations.
#include "textedit/text_pages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "filters/filter_fills.h"
#include "pagekit/combo_choice_box.h"
#include "pagekit/controls.h"
#include "pagekit/option_grid.h"
#include "pagekit/page_host.h"
#include "pagekit/twips.h"
#include "textedit/height_change.h"
#include "textedit/number_change.h"

namespace textedit {

namespace {

using filters::FilterKind;
using pagekit::captioned;
using pagekit::comboBox;
using pagekit::twipsRect;

using Operation = void (*)(cad::CadLink&, core::ColorRule&, const TextChangeInput&);

// What each tab's two buttons run, over the whole drawing and over a pick, in tab order.
struct TabOperations {
    Operation all;
    Operation part;
};
constexpr TabOperations kOperations[TextPages::kTabs] = {{ValueAddAll, ValueAddPart},
                                                         {ValueTimesAll, ValueTimesPart},
                                                         {HeightAddAll, HeightAddPart},
                                                         {HeightTimesAll, HeightTimesPart}};

// The names and captions of tabs 2 to 4, which share one layout.
struct ChangePageNames {
    const char16_t* layerOption;
    const char16_t* styleOption;
    const char16_t* colorOption;
    const char16_t* allOption;
    const char16_t* allCaption;
    const char16_t* styleLabel;
    const char16_t* styleBox;
    const char16_t* layerLabel;
    const char16_t* layerBox;
    const char16_t* colorLabel;
    const char16_t* colorBox;
    const char16_t* amountLabel;
    const char16_t* amountCaption;
    const char16_t* amountBox;
    const char16_t* amountText;
    const char16_t* allButton;
    const char16_t* partButton;
};

const ChangePageNames kChangePages[] = {
    {u"optNTimesLayer", u"optNTimesStyle", u"optNTimesColor", u"optNTimesAll", u"所有数字",
     u"labNTimesType", u"comNTimesStyle", u"labNTimesLayer", u"comNTimesLayer", u"labNTimesColor",
     u"comNTimesColor", u"labNTimes", u"输入改变倍数：", u"txtNTimes", u"1", u"cmdNTimesAll",
     u"cmdNTimesPart"},
    {u"optCAddLayer", u"optCAddStyle", u"optCAddColor", u"optCAddAll", u"所有字符", u"labCAddStyle",
     u"comCAddStyle", u"labCAddLayer", u"comCAddLayer", u"labCAddColor", u"comCAddColor",
     u"labCAdd", u"输入增加数值：", u"txtCAdd", u"0", u"cmdCAddAll", u"cmdCAddPart"},
    {u"optCTimesLayer", u"optCTimesStyle", u"optCTimesColor", u"optCTimesAll", u"所有字符",
     u"labCTimesType", u"comCTimesStyle", u"labCTimesLayer", u"comCTimesLayer", u"labCTimesColor",
     u"comCTimesColor", u"labCTimes", u"输入改变倍数：", u"txtCTimes", u"1", u"cmdCTimesAll",
     u"cmdCTimesPart"},
};

}  // namespace

TextPages::TextPages(const std::array<QWidget*, kTabs>& frames, pagekit::PageHost& host)
    : m_host(host) {
    buildNumberAddPage(frames[0]);
    for (int tab = 2; tab <= kTabs; ++tab) {
        buildChangePage(frames[size_t(tab - 1)], tab);
    }
}

void TextPages::buildNumberAddPage(QWidget* frame) {
    static constexpr pagekit::GridLabelled kBoxes[] = {
        {u"LabValueHeight", u"字高：", u"comValueHeight"},
        {u"LabValueStyle", u"字型：", u"comValueStyle"},
        {u"LabValueLayer", u"层名：", u"comValueLayer"},
        {u"LabValueColor", u"颜色：", u"comValueColor"},
    };
    static const pagekit::OptionGridLayout kLayout{
        {{{u"optValueHeight", u"字体高度", 1095},
          {u"optValueLayer", u"所在层名", 1215},
          {u"optValueAB", u"坐标数值", 1215},
          {u"optValueStyle", u"字体类型", 1215},
          {u"optValueColor", u"字符颜色", 1215},
          {u"optValueAll", u"所有数字", 1215}}},
        kBoxes,
        {u"LabValueAdd", u"输入增加数值：", u"txtValueAdd"},
        u"0",
        u"cmdValueAll",
        u"全域修改",
        u"cmdValuePart",
        u"选择修改",
    };
    const pagekit::OptionGrid grid = pagekit::buildOptionGrid(frame, kLayout);
    const auto& [height, layer, prefix, style, color, all] = grid.options;
    m_allNumbers = all;
    m_allNumbers->setChecked(true);
    m_heightBox = grid.boxes[0];
    m_amountBoxes[0] = grid.entry;

    m_host.onClick(height, [this] {
        pagekit::ComboChoiceBox choices(*m_heightBox);
        filters::fillHeightBox(m_host.cadLink(), choices);
    });
    pagekit::connectLayerOption(m_host, layer, grid.boxes[2]);
    m_host.onClick(prefix, [this] { askCoordPrefix(); });
    pagekit::connectStyleOption(m_host, style, grid.boxes[1]);
    pagekit::connectColorOption(m_host, color, grid.boxes[3]);
    m_host.onClick(grid.allButton, [this] { run(1, Scope::ModelSpace); });
    m_host.onClick(grid.partButton, [this] { run(1, Scope::Selection); });

    pagekit::FilterPanel& panel = m_panels[0];
    panel.add(all, FilterKind::All, nullptr);
    panel.add(height, FilterKind::Height, m_heightBox);
    panel.add(style, FilterKind::Style, grid.boxes[1]);
    panel.add(layer, FilterKind::Layer, grid.boxes[2]);
    panel.add(color, FilterKind::Color, grid.boxes[3]);
    panel.add(prefix, FilterKind::Prefix, nullptr);
}

void TextPages::buildChangePage(QWidget* frame, int tab) {
    const ChangePageNames& n = kChangePages[tab - 2];
    auto* layerOption =
        captioned<QRadioButton>(frame, n.layerOption, u"所在层名", twipsRect(960, 1560, 1215, 255));
    auto* styleOption = captioned<QRadioButton>(frame, n.styleOption, u"字体类型",
                                                twipsRect(2640, 1560, 1095, 255));
    auto* colorOption =
        captioned<QRadioButton>(frame, n.colorOption, u"字符颜色", twipsRect(960, 2280, 1335, 255));
    auto* allOption =
        captioned<QRadioButton>(frame, n.allOption, n.allCaption, twipsRect(2640, 2280, 1095, 255));
    allOption->setChecked(true);

    captioned<QLabel>(frame, n.styleLabel, u"字型：", twipsRect(4200, 1560, 615, 255));
    QComboBox* styleBox = comboBox(frame, n.styleBox, twipsRect(4800, 1560, 1335, 315));
    captioned<QLabel>(frame, n.layerLabel, u"层名：", twipsRect(4200, 2280, 615, 255));
    QComboBox* layerBox = comboBox(frame, n.layerBox, twipsRect(4800, 2280, 1335, 315));
    captioned<QLabel>(frame, n.colorLabel, u"颜色：", twipsRect(4200, 3000, 615, 255));
    QComboBox* colorBox = comboBox(frame, n.colorBox, twipsRect(4800, 3000, 1335, 315));
    captioned<QLabel>(frame, n.amountLabel, n.amountCaption, twipsRect(960, 3000, 1455, 255));
    m_amountBoxes[size_t(tab - 1)] =
        captioned<QLineEdit>(frame, n.amountBox, n.amountText, twipsRect(2640, 3000, 1335, 300));
    auto* allButton =
        captioned<QPushButton>(frame, n.allButton, u"全域修改", twipsRect(1095, 4920, 1095, 375));
    auto* partButton =
        captioned<QPushButton>(frame, n.partButton, u"选择修改", twipsRect(3000, 4920, 1095, 375));

    pagekit::connectLayerOption(m_host, layerOption, layerBox);
    pagekit::connectStyleOption(m_host, styleOption, styleBox);
    pagekit::connectColorOption(m_host, colorOption, colorBox);
    m_host.onClick(allButton, [this, tab] { run(tab, Scope::ModelSpace); });
    m_host.onClick(partButton, [this, tab] { run(tab, Scope::Selection); });

    pagekit::FilterPanel& panel = m_panels[size_t(tab - 1)];
    panel.add(allOption, FilterKind::All, nullptr);
    panel.add(layerOption, FilterKind::Layer, layerBox);
    panel.add(styleOption, FilterKind::Style, styleBox);
    panel.add(colorOption, FilterKind::Color, colorBox);
}

void TextPages::askCoordPrefix() {
    const filters::CoordPrefixAnswer answer = filters::askCoordPrefix(m_host.ui());
    m_coordPrefix = answer.prefix;
    if (!answer.valid) {
        m_allNumbers->setChecked(true);
    }
}

void TextPages::run(int tab, Scope scope) {
    QLineEdit* box = m_amountBoxes[size_t(tab - 1)];
    const QString amount = box->text();
    if (!amountValue(m_host.ui(), amount)) {
        if (tab != 1) {
            box->clear();
        }
        return;
    }
    const TextChangeInput input{amount, m_panels[size_t(tab - 1)].choice(),
                                tab == 1 ? m_coordPrefix : QString()};
    const TabOperations& operations = kOperations[tab - 1];
    (scope == Scope::ModelSpace ? operations.all : operations.part)(m_host.cadLink(),
                                                                    m_host.colorRule(), input);
}

}  // namespace textedit
