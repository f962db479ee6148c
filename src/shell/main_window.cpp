// frmMain: layout, start-up, tab switching, exit, and the filter options and buttons of tabs 1-4.
#include "shell/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#include "calculators/cable_query_page.h"
#include "calculators/sag_curve_page.h"
#include "core/number_syntax.h"
#include "filters/filter_fills.h"
#include "mtext/text_editor_page.h"
#include "pagekit/combo_choice_box.h"
#include "pagekit/controls.h"
#include "properties/property_page.h"
#include "shell/handler_guard.h"
#include "shell/help_text.h"
#include "shell/hint_line.h"
#include "shell/qt_ui.h"
#include "shell/tab_strip.h"
#include "statistics/block_count_page.h"
#include "statistics/line_length_page.h"
#include "symbols/symbol_browser_page.h"
#include "textedit/height_change.h"
#include "textedit/number_change.h"
#include "textedit/text_walk.h"
#include "utilities/utilities_page.h"

namespace shell {

namespace {

using filters::FilterKind;
using pagekit::captioned;
using pagekit::comboBox;
using pagekit::ComboChoiceBox;
using pagekit::control;
using pagekit::FilterPanel;
using pagekit::indexedName;
using pagekit::text;
using pagekit::twips;
using pagekit::twipsRect;

// The window's outer size; the window manager's caption and borders (about 450 and 60 twips)
// come off it, since Qt sizes the client area.
constexpr int kFormWidth = 7320;
constexpr int kFormHeight = 7455;
constexpr int kBorderTwips = 60;
constexpr int kCaptionTwips = 450;

constexpr int kTabsPerRow = 4;
constexpr int kTabRowHeight = 20;  // three rows end where the frames begin (900 twips)

const char16_t* const kCaptions[kTabCount] = {u"数值大小加增", u"数值大小倍增", u"字符大小加增",
                                              u"字符大小倍增", u"统计线条长度", u"统计块的个数",
                                              u"对象属性转换", u"电缆型号查询", u"电气图形符号",
                                              u"电力弧垂曲线", u"处理多行文字", u"实用功能集粹"};

// The names and captions of tabs 2 to 4, which share one layout.
struct TextPageNames {
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

const TextPageNames kTextPages[] = {
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

MainWindow::MainWindow(ui::Ui* services) {
    setObjectName(QStringLiteral("frmMain"));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    auto* client = new QWidget(this);
    setCentralWidget(client);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("stsStatus"));
    status->setSizeGripEnabled(false);
    m_hintLine = new HintLine(status);
    m_hintLine->setObjectName(QStringLiteral("stsStatusPanel(1)"));
    status->addWidget(m_hintLine, 1);

    if (services != nullptr) {
        m_ui = std::make_unique<HintLineUi>(*m_hintLine, *services);
    } else {
        m_ui = std::make_unique<QtUi>(*this, *m_hintLine);
    }
    m_link = std::make_unique<cad::CadLink>(*m_ui);

    QStringList captions;
    for (const char16_t* caption : kCaptions) {
        captions.append(text(caption));
    }
    m_tabContainer = new TabStrip(captions, kTabsPerRow, kTabRowHeight, client);
    m_tabContainer->setObjectName(QStringLiteral("tabContainer"));
    connect(m_tabContainer, &TabStrip::clicked, this,
            [this] { handle([this] { tabContainer_Click(); }); });

    for (int i = 1; i <= kTabCount; ++i) {
        auto* frame = new QFrame(client);
        frame->setObjectName(indexedName(u"fraContainer", i));
        m_fraContainer[i - 1] = frame;
        // CmdExit(9) has a place of its own; the start-up sequence places the others.
        const QRect place = i == 9 ? twipsRect(5520, 4920, 1095, 375) : twipsRect(0, 0, 1095, 375);
        auto* exit = control<QPushButton>(frame, indexedName(u"CmdExit", i), place);
        exit->setText(i == 9 ? text(u"退出") : text(u"退      出"));
        onClick(exit, [this] { CmdExit_Click(); });
        m_CmdExit[i - 1] = exit;
    }
    buildValueAddPage(m_fraContainer[0]);
    for (int tab = 2; tab <= 4; ++tab) {
        buildTextPage(m_fraContainer[tab - 1], tab);
    }
    statistics::buildLineLengthPage(m_fraContainer[4], *this);
    statistics::buildBlockCountPage(m_fraContainer[5], *this);
    properties::buildPropertyPage(m_fraContainer[6], *this);
    calculators::buildCableQueryPage(m_fraContainer[7], *this);
    m_symbolBrowser = new symbols::SymbolBrowser(m_fraContainer[8], *this);
    calculators::buildSagCurvePage(m_fraContainer[9], *this);
    mtext::buildTextEditorPage(m_fraContainer[10], *this);
    buildHelpPage(m_fraContainer[11]);
    utilities::buildUtilitiesPage(m_fraContainer[11], *this);

    m_tmrAutoCAD = new QTimer(this);
    m_tmrAutoCAD->setObjectName(QStringLiteral("tmrAutoCAD"));
    m_tmrAutoCAD->setInterval(5000);
    connect(m_tmrAutoCAD, &QTimer::timeout, this, &MainWindow::tmrAutoCAD_Timer);
    m_tmrAutoCAD->start();

    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::Form_Load() {
    setWindowTitle(QString::fromUtf16(ui::kAppTitle));
    setFixedSize(twips(kFormWidth - kBorderTwips),
                 twips(kFormHeight - kBorderTwips - kCaptionTwips));
    m_tabContainer->setGeometry(twipsRect(0, 0, 7260, 6510));
    for (QFrame* frame : m_fraContainer) {
        frame->setGeometry(twipsRect(180, 900, 6900, 5445));
    }
    for (int i = 1; i <= kTabCount; ++i) {
        if (i != 9) {
            m_CmdExit[i - 1]->move(twips(4800), twips(4920));
        }
    }
    handle([this] { tabContainer_Click(); });
    m_symbolBrowser->setUp();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    handle([this] { m_link->AttachCad(); });
}

void MainWindow::tabContainer_Click() {
    const int index = m_tabContainer->currentIndex();
    m_ui->ShowHint(QStringLiteral("提示：") + m_tabContainer->caption(index));
    for (QFrame* frame : m_fraContainer) {
        frame->hide();
    }
    m_tabContainer->lower();
    m_fraContainer[index]->show();
}

void MainWindow::CmdExit_Click() {
    m_link->ReleaseCadObjects();
    m_ui->endProgram();
}

void MainWindow::Form_Unload() {
    m_link->ReleaseCadObjects();
    m_ui->endProgram();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    handle([this] { Form_Unload(); });
    event->accept();
}

void MainWindow::tmrAutoCAD_Timer() {
    // Not through handle(): a tick must see whether an operation holds the link.
    m_link->tmrAutoCAD_Timer();
    m_hintLine->flush();
}

void MainWindow::handle(const std::function<void()>& handler) {
    runGuarded(*m_link, handler);
    m_hintLine->flush();
}

void MainWindow::optValueHeight_Click() {
    ComboChoiceBox choices(*m_comValueHeight);
    filters::fillHeightBox(*m_link, choices);
}

void MainWindow::optValueAB_Click() {
    const filters::CoordPrefixAnswer answer = filters::askCoordPrefix(*m_ui);
    m_coordPrefix = answer.prefix;
    if (!answer.valid) {
        m_optValueAll->setChecked(true);
    }
}

void MainWindow::buildValueAddPage(QWidget* frame) {
    auto* optValueHeight = captioned<QRadioButton>(frame, u"optValueHeight", u"字体高度",
                                                   twipsRect(480, 1320, 1095, 255));
    auto* optValueLayer = captioned<QRadioButton>(frame, u"optValueLayer", u"所在层名",
                                                  twipsRect(1680, 1320, 1215, 255));
    auto* optValueAB = captioned<QRadioButton>(frame, u"optValueAB", u"坐标数值",
                                               twipsRect(2880, 1320, 1215, 255));
    auto* optValueStyle = captioned<QRadioButton>(frame, u"optValueStyle", u"字体类型",
                                                  twipsRect(480, 2220, 1215, 255));
    auto* optValueColor = captioned<QRadioButton>(frame, u"optValueColor", u"字符颜色",
                                                  twipsRect(1680, 2220, 1215, 255));
    m_optValueAll = captioned<QRadioButton>(frame, u"optValueAll", u"所有数字",
                                            twipsRect(2880, 2220, 1215, 255));
    m_optValueAll->setChecked(true);

    captioned<QLabel>(frame, u"LabValueHeight", u"字高：", twipsRect(4560, 1320, 540, 240));
    m_comValueHeight = comboBox(frame, u"comValueHeight", twipsRect(5160, 1320, 1335, 315));
    captioned<QLabel>(frame, u"LabValueStyle", u"字型：", twipsRect(4560, 1920, 540, 240));
    QComboBox* comValueStyle = comboBox(frame, u"comValueStyle", twipsRect(5160, 1920, 1335, 315));
    captioned<QLabel>(frame, u"LabValueLayer", u"层名：", twipsRect(4560, 2520, 540, 240));
    QComboBox* comValueLayer = comboBox(frame, u"comValueLayer", twipsRect(5160, 2520, 1335, 315));
    captioned<QLabel>(frame, u"LabValueColor", u"颜色：", twipsRect(4560, 3120, 540, 240));
    QComboBox* comValueColor = comboBox(frame, u"comValueColor", twipsRect(5160, 3120, 1335, 315));

    captioned<QLabel>(frame, u"LabValueAdd", u"输入增加数值：", twipsRect(720, 3120, 1455, 255));
    m_numberBoxes[0] =
        captioned<QLineEdit>(frame, u"txtValueAdd", u"0", twipsRect(2520, 3120, 1335, 300));
    auto* cmdValueAll = captioned<QPushButton>(frame, u"cmdValueAll", u"全域修改",
                                               twipsRect(1095, 4920, 1095, 375));
    auto* cmdValuePart = captioned<QPushButton>(frame, u"cmdValuePart", u"选择修改",
                                                twipsRect(3000, 4920, 1095, 375));

    onClick(optValueHeight, [this] { optValueHeight_Click(); });
    connectLayerOption(*this, optValueLayer, comValueLayer);
    onClick(optValueAB, [this] { optValueAB_Click(); });
    connectStyleOption(*this, optValueStyle, comValueStyle);
    connectColorOption(*this, optValueColor, comValueColor);
    onClick(cmdValueAll, [this] { cmdValueAll_Click(); });
    onClick(cmdValuePart, [this] { cmdValuePart_Click(); });

    FilterPanel& panel = m_filterPanels[0];
    panel.add(m_optValueAll, FilterKind::All, nullptr);
    panel.add(optValueHeight, FilterKind::Height, m_comValueHeight);
    panel.add(optValueStyle, FilterKind::Style, comValueStyle);
    panel.add(optValueLayer, FilterKind::Layer, comValueLayer);
    panel.add(optValueColor, FilterKind::Color, comValueColor);
    panel.add(optValueAB, FilterKind::Prefix, nullptr);
}

void MainWindow::buildTextPage(QWidget* frame, int tab) {
    const TextPageNames& n = kTextPages[tab - 2];
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
    m_numberBoxes[tab - 1] =
        captioned<QLineEdit>(frame, n.amountBox, n.amountText, twipsRect(2640, 3000, 1335, 300));
    auto* allButton =
        captioned<QPushButton>(frame, n.allButton, u"全域修改", twipsRect(1095, 4920, 1095, 375));
    auto* partButton =
        captioned<QPushButton>(frame, n.partButton, u"选择修改", twipsRect(3000, 4920, 1095, 375));

    connectLayerOption(*this, layerOption, layerBox);
    connectStyleOption(*this, styleOption, styleBox);
    connectColorOption(*this, colorOption, colorBox);
    using Handler = void (MainWindow::*)();
    static constexpr std::pair<Handler, Handler> kHandlers[] = {
        {&MainWindow::cmdNTimesAll_Click, &MainWindow::cmdNTimesPart_Click},
        {&MainWindow::cmdCAddAll_Click, &MainWindow::cmdCAddPart_Click},
        {&MainWindow::cmdCTimesAll_Click, &MainWindow::cmdCTimesPart_Click},
    };
    const auto [all, part] = kHandlers[tab - 2];
    onClick(allButton, [this, all] { (this->*all)(); });
    onClick(partButton, [this, part] { (this->*part)(); });

    FilterPanel& panel = m_filterPanels[tab - 1];
    panel.add(allOption, FilterKind::All, nullptr);
    panel.add(layerOption, FilterKind::Layer, layerBox);
    panel.add(styleOption, FilterKind::Style, styleBox);
    panel.add(colorOption, FilterKind::Color, colorBox);
}

std::optional<QString> MainWindow::numberBoxText(int tab) {
    QLineEdit* box = m_numberBoxes.at(tab - 1);
    QString text = box->text();
    if (core::isDecimalNumber(text)) {
        return text;
    }
    m_ui->ShowHint(QString::fromUtf16(textedit::kNotANumberHint));
    if (tab != 1) {
        box->clear();
    }
    return std::nullopt;
}

void MainWindow::cmdValueAll_Click() {
    if (const std::optional<QString> amount = numberBoxText(1)) {
        textedit::ValueAddAll(*m_link, m_colorRule,
                              {*amount, filterPanel(1).choice(), m_coordPrefix});
    }
}

void MainWindow::cmdValuePart_Click() {
    if (const std::optional<QString> amount = numberBoxText(1)) {
        textedit::ValueAddPart(*m_link, m_colorRule,
                               {*amount, filterPanel(1).choice(), m_coordPrefix});
    }
}

void MainWindow::cmdNTimesAll_Click() {
    if (const std::optional<QString> factor = numberBoxText(2)) {
        textedit::ValueTimesAll(*m_link, m_colorRule, {*factor, filterPanel(2).choice()});
    }
}

void MainWindow::cmdNTimesPart_Click() {
    if (const std::optional<QString> factor = numberBoxText(2)) {
        textedit::ValueTimesPart(*m_link, m_colorRule, {*factor, filterPanel(2).choice()});
    }
}

void MainWindow::cmdCAddAll_Click() {
    if (const std::optional<QString> amount = numberBoxText(3)) {
        textedit::HeightAddAll(*m_link, m_colorRule, {*amount, filterPanel(3).choice()});
    }
}

void MainWindow::cmdCAddPart_Click() {
    if (const std::optional<QString> amount = numberBoxText(3)) {
        textedit::HeightAddPart(*m_link, m_colorRule, {*amount, filterPanel(3).choice()});
    }
}

void MainWindow::cmdCTimesAll_Click() {
    if (const std::optional<QString> factor = numberBoxText(4)) {
        textedit::HeightTimesAll(*m_link, m_colorRule, {*factor, filterPanel(4).choice()});
    }
}

void MainWindow::cmdCTimesPart_Click() {
    if (const std::optional<QString> factor = numberBoxText(4)) {
        textedit::HeightTimesPart(*m_link, m_colorRule, {*factor, filterPanel(4).choice()});
    }
}

void MainWindow::buildHelpPage(QWidget* frame) {
    auto* txtHelp =
        control<QPlainTextEdit>(frame, QStringLiteral("txtHelp"), twipsRect(2160, 240, 4575, 4455));
    txtHelp->setPlainText(helpText());
    txtHelp->setReadOnly(true);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

}  // namespace shell
