// The main window offscreen: pages, hint line, start-up, ticks, exit and the filter options.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "cad/memory/application.h"
#include "cad/memory/kinds.h"
#include "cad/running.h"
#include "dxf/drawing.h"
#include "shell/hint_line.h"
#include "shell/main_window.h"
#include "shell/tab_strip.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;
using shell::MainWindow;

const QString kProgId = u"AutoCAD.Application"_s;
const QString kCadCallFailed = u"提示：AutoCAD调用失败，操作已中止"_s;

class MainWindowTest : public ::testing::Test {
protected:
    ~MainWindowTest() override {
        window.reset();
        cad::revokeRunningObject(kProgId);
    }

    std::shared_ptr<cad::memory::Application> startCad() {
        auto app = cad::memory::Application::create();
        app->newDocument(u"Drawing1.dwg"_s);
        cad::registerRunningObject(kProgId, app);
        return app;
    }

    MainWindow& start() {
        window = std::make_unique<MainWindow>(&ui);
        return *window;
    }

    template <typename W = QWidget>
    W* find(const QString& name) const {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    QString hintLine() const { return window->hintLine().text(); }
    QString frameName(int i) const { return u"fraContainer(%1)"_s.arg(i); }
    void selectTab(int tab) { find<shell::TabStrip>(u"tabContainer"_s)->clickTab(tab - 1); }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }

    QStringList items(const QString& box) const {
        QStringList list;
        auto* combo = find<QComboBox>(box);
        for (int i = 0; i < combo->count(); ++i) {
            list.append(combo->itemText(i));
        }
        return list;
    }

    ui::RecordingUi ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, AfterStartOnlyFrameOneIsVisible) {
    start();
    for (int i = 1; i <= shell::kTabCount; ++i) {
        EXPECT_EQ(find(frameName(i))->isVisibleTo(window.get()), i == 1) << i;
    }
    EXPECT_EQ(window->windowTitle(), u"电气绘图助手"_s);
}

TEST_F(MainWindowTest, HintAfterStartSaysWhetherTheCadRuns) {
    start();
    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD没有打开"_s);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：数值大小加增"_s, u"提示：服务器AutoCAD没有打开"_s}));

    window.reset();
    ui.hints.clear();
    auto app = startCad();
    start();
    EXPECT_EQ(hintLine(), u"提示：数值大小加增"_s);
    EXPECT_EQ(ui.hints, QStringList{u"提示：数值大小加增"_s});
}

TEST_F(MainWindowTest, SwitchingTabsKeepsEveryBoxAsItWas) {
    auto app = startCad();
    start();
    find<QLineEdit>(u"txtValueAdd"_s)->setText(u"66"_s);
    click(u"optValueColor"_s);
    find<QComboBox>(u"comValueColor"_s)->setEditText(u"30"_s);
    find<QComboBox>(u"comValueLayer"_s)->setEditText(u"电气"_s);

    selectTab(12);
    EXPECT_TRUE(find(frameName(12))->isVisibleTo(window.get()));
    EXPECT_FALSE(find(frameName(1))->isVisibleTo(window.get()));
    EXPECT_EQ(hintLine(), u"提示：实用功能集粹"_s);

    selectTab(1);
    EXPECT_TRUE(find(frameName(1))->isVisibleTo(window.get()));
    EXPECT_FALSE(find(frameName(12))->isVisibleTo(window.get()));
    EXPECT_EQ(hintLine(), u"提示：数值大小加增"_s);
    EXPECT_EQ(find<QLineEdit>(u"txtValueAdd"_s)->text(), u"66"_s);
    EXPECT_EQ(find<QComboBox>(u"comValueColor"_s)->currentText(), u"30"_s);
    EXPECT_EQ(items(u"comValueColor"_s).size(), 11);
    EXPECT_EQ(find<QComboBox>(u"comValueLayer"_s)->currentText(), u"电气"_s);
    EXPECT_TRUE(find<QRadioButton>(u"optValueColor"_s)->isChecked());
}

TEST_F(MainWindowTest, EveryTabShowsItsCaptionInTheHintLine) {
    start();
    const QString captions[] = {u"数值大小加增"_s, u"数值大小倍增"_s, u"字符大小加增"_s,
                                u"字符大小倍增"_s, u"统计线条长度"_s, u"统计块的个数"_s,
                                u"对象属性转换"_s, u"电缆型号查询"_s, u"电气图形符号"_s,
                                u"电力弧垂曲线"_s, u"处理多行文字"_s, u"实用功能集粹"_s};
    for (int tab = 12; tab >= 1; --tab) {
        selectTab(tab);
        EXPECT_EQ(hintLine(), u"提示："_s + captions[tab - 1]);
        EXPECT_EQ(find<shell::TabStrip>(u"tabContainer"_s)->caption(tab - 1), captions[tab - 1]);
    }
}

TEST_F(MainWindowTest, WindowPartsSitWhereTheLayoutPutsThem) {
    start();
    EXPECT_EQ(find(u"tabContainer"_s)->geometry(), QRect(0, 0, 484, 434));
    for (int i = 1; i <= shell::kTabCount; ++i) {
        EXPECT_EQ(find(frameName(i))->geometry(), QRect(12, 60, 460, 363)) << i;
        auto* exit = find<QPushButton>(u"CmdExit(%1)"_s.arg(i));
        if (i == 9) {
            EXPECT_EQ(exit->geometry(), QRect(368, 328, 73, 25));
            EXPECT_EQ(exit->text(), u"退出"_s);
        } else {
            EXPECT_EQ(exit->geometry(), QRect(320, 328, 73, 25)) << i;
            EXPECT_EQ(exit->text(), u"退      出"_s) << i;
        }
    }
    // Every tab's rectangle lies inside the strip, above the frames.
    auto* strip = find<shell::TabStrip>(u"tabContainer"_s);
    for (int i = 0; i < strip->count(); ++i) {
        EXPECT_TRUE(QRect(0, 0, 484, 60).contains(strip->tabRect(i))) << i;
    }
    EXPECT_EQ(find(u"txtValueAdd"_s)->geometry(), QRect(168, 208, 89, 20));
    EXPECT_EQ(find(u"comCTimesColor"_s)->geometry(), QRect(320, 200, 89, 21));
}

TEST_F(MainWindowTest, ControlsStartWithTheirCaptionsAndTexts) {
    start();
    const std::pair<QString, QString> texts[] = {
        {u"optValueHeight"_s, u"字体高度"_s},
        {u"optValueAll"_s, u"所有数字"_s},
        {u"LabValueHeight"_s, u"字高："_s},
        {u"LabValueAdd"_s, u"输入增加数值："_s},
        {u"txtValueAdd"_s, u"0"_s},
        {u"cmdValuePart"_s, u"选择修改"_s},
        {u"optNTimesAll"_s, u"所有数字"_s},
        {u"optCAddAll"_s, u"所有字符"_s},
        {u"labNTimes"_s, u"输入改变倍数："_s},
        {u"txtNTimes"_s, u"1"_s},
        {u"txtCAdd"_s, u"0"_s},
        {u"txtCTimes"_s, u"1"_s},
        {u"labCTimesType"_s, u"字型："_s},
        {u"cmdCTimesAll"_s, u"全域修改"_s},
    };
    for (const auto& [name, text] : texts) {
        QWidget* w = find(name);
        const QString shown = w->property("text").toString();
        EXPECT_EQ(shown, text) << name.toStdString();
    }
    for (const QString& all :
         {u"optValueAll"_s, u"optNTimesAll"_s, u"optCAddAll"_s, u"optCTimesAll"_s}) {
        EXPECT_TRUE(find<QRadioButton>(all)->isChecked()) << all.toStdString();
    }
    for (int tab = 1; tab <= 4; ++tab) {
        EXPECT_EQ(window->filterPanel(tab).choice().kind, filters::FilterKind::All) << tab;
    }
    for (const QString& box :
         {u"comValueHeight"_s, u"comValueStyle"_s, u"comNTimesLayer"_s, u"comCTimesColor"_s}) {
        EXPECT_TRUE(find<QComboBox>(box)->isEditable());
        EXPECT_TRUE(items(box).isEmpty());
        EXPECT_EQ(find<QComboBox>(box)->currentText(), QString());
    }
}

TEST_F(MainWindowTest, ExitButtonsAndClosingTheWindowEndTheSameWay) {
    auto app = startCad();
    std::vector<QString> ways;
    for (int i = 1; i <= shell::kTabCount; ++i) {
        ways.push_back(u"CmdExit(%1)"_s.arg(i));
    }
    ways.push_back(u"close"_s);
    for (const QString& way : ways) {
        ui.ended = false;
        start();
        window->cadLink().objUtility = window->cadLink().objAcad.ActiveDocument().Utility();
        if (way == u"close") {
            window->close();
        } else {
            click(way);
        }
        EXPECT_TRUE(ui.ended) << way.toStdString();
        EXPECT_FALSE(window->cadLink().isAttached()) << way.toStdString();
        EXPECT_TRUE(window->cadLink().objUtility.isEmpty()) << way.toStdString();
        EXPECT_TRUE(app->isRunning());
        EXPECT_EQ(app->documents().size(), 1u);
    }
}

TEST_F(MainWindowTest, HelpTextReadsLineByLine) {
    start();
    auto* help = find<QPlainTextEdit>(u"txtHelp"_s);
    EXPECT_TRUE(help->isReadOnly());
    EXPECT_EQ(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(help->geometry(), QRect(144, 16, 305, 297));
    EXPECT_EQ(help->parentWidget()->objectName(), u"fraContainer(12)"_s);

    const QStringList expected = {
        u"一、功能："_s,
        u"  1.\"数值大小加增\"是将符合限制条件的数字增加一个数，比如，某种颜色的数字同一增加66；"_s,
        u"  2.\"数值大小倍增\"是将符合限制条件的数字乘以一个数，比如，某种字体的数字同一乘以6.6；"_s,
        u"  3.\"字符大小加增\"是将符合限制条件的字符高度增加一个数(宽度相应改变)，比如，某种颜色的字符高度由6加2变为8；"_s,
        u"  4.\"字符大小倍增\"是将符合限制条件的字符高度乘以一个数(宽度相应改变)，比如，某种字体的字符高度由6乘以2变为12；"_s,
        u"  5.\"电气图形符号\"是常用的电气图例；"_s,
        u"  6.\"电力弧垂曲线\"是根据计算系数拟合弧垂曲线；"_s,
        u"  7.\"处理多行文字\"是对AutoCAD的Mtext进行编辑；"_s,
        u"  8.\"实用功能集粹\"是对AutoCAD的命令不足的补充；"_s,
        u"  9.\"统计线条长度\"是将符合限制条件的线的长度进行统计，比如，某层上的线总计256米；"_s,
        u"  10.\"统计块的个数\"是将符合限制条件的块的数量进行统计，比如，某层上的块(也许是灯具)总计66个；"_s,
        u"  11.\"对象属性转换\"是将对象的属性转换为预期属性，比如，将某些字符由Fszf改为Hztxt；"_s,
        u"  12.\"电缆型号查询\"是根据条件选择电缆。"_s,
        u"二、操作："_s,
        u"  1.注意左下角的提示；"_s,
        u"  2.大多数功能都有\"全域操作\"和\"选择操作\"；"_s,
        u"  3.\"全域操作\"指在整个图形文档内操作；"_s,
        u"  4.\"选择操作\"指对选择对象进行操作；"_s,
        u"三、实用功能集粹介绍："_s,
        u"  1.\"物体位置互调\"指将选择的两个物体插入点进行对调；"_s,
        u"  2.\"同形异名字型整理\"指将相同字型但名字不一样的字型进行名称统一，比如Standard的SHX字体为Txt.shx，大字体为Fszf.shx，而NewStyle的SHX字体也为Txt.shx，大字体也为Fszf.shx，这时可以进行名称统一，将NewStyle改为Standard，同时图中对应文字也随之改变；"_s,
        u"  3.\"遗忘改层\"，也许由于疏忽，画图时忘了设新层，画了很多以后才想起，这时可以利用\"遗忘改层\"，将你刚开始画的某个实体(比如一段线)以后画的所有东西挪至新建层上；"_s,
        u"  4.\"单行文字左对齐\"将选择的单行文字以左端对齐；"_s,
        u"  5.\"所选数值相加\"将选择的数字相加；"_s,
        u"  6.\"判断图框大小\"判断图框的大小。"_s,
        u"四、处理多行文字介绍："_s,
        u"  1.本身就是一个完善的记事本软件；"_s,
        u"  2.由于AutoCAD中文字处理不便，可以在这儿进行文字处理；"_s,
        u"  3.可以将图中的多处多行文字进行合并；"_s,
        u"  4.可以将图中的多处单行文字根据选择次序合并为多行文字，且宽度可调。"_s,
        u"五、注意事项："_s,
        u"  1.\"统计线条长度\"中选择\"所在层名\"、\"线型类型\"、\"线型颜色\"时，统计的是对应条件下所有直线和圆弧的总和；"_s,
    };
    const QStringList shown = help->toPlainText().split(u'\n');
    ASSERT_EQ(shown.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shown[i], expected[i]) << "line " << i + 1;
    }
}

TEST_F(MainWindowTest, TicksReportAttachLossAndReattach) {
    start();
    auto* timer = find<QTimer>(u"tmrAutoCAD"_s);
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isActive());
    timer->stop();  // the ticks below are the test's own; a slow run must not get extra ones

    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD没有打开"_s);
    window->tick();
    EXPECT_EQ(ui.hints.size(), 2);  // not told again while nothing runs

    auto app = startCad();
    window->tick();
    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD已经打开"_s);

    selectTab(3);
    window->tick();
    EXPECT_EQ(hintLine(), u"提示：字符大小加增"_s);  // ticks while attached write nothing

    app->quit();
    window->tick();
    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD已经退出"_s);
    EXPECT_FALSE(window->cadLink().isAttached());
    click(u"optNTimesLayer"_s);
    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD没有打开"_s);

    auto restarted = startCad();
    window->tick();
    EXPECT_EQ(hintLine(), u"提示：服务器AutoCAD已经打开"_s);
    click(u"optNTimesLayer"_s);
    EXPECT_EQ(items(u"comNTimesLayer"_s), QStringList{u"0"_s});
}

TEST_F(MainWindowTest, OptionsFillTheirOwnBoxes) {
    auto app = startCad();
    auto doc = app->activeDocument();
    doc->addLayer(u"照明"_s);
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    for (double h : {3.5, 2.5, 3.5, 5.0}) {
        ms.AddText(u"1"_s, {}, h);
    }
    start();

    struct Case {
        QString option;
        QString box;
        QStringList entries;
    };
    const QStringList layers = {u"0"_s, u"照明"_s};
    const QStringList styles = {u"Standard"_s, u"仿宋"_s};
    const Case cases[] = {
        {u"optValueHeight"_s, u"comValueHeight"_s, {u"3.5"_s, u"2.5"_s, u"5"_s}},
        {u"optValueLayer"_s, u"comValueLayer"_s, layers},
        {u"optValueStyle"_s, u"comValueStyle"_s, styles},
        {u"optNTimesLayer"_s, u"comNTimesLayer"_s, layers},
        {u"optNTimesStyle"_s, u"comNTimesStyle"_s, styles},
        {u"optCAddLayer"_s, u"comCAddLayer"_s, layers},
        {u"optCAddStyle"_s, u"comCAddStyle"_s, styles},
        {u"optCTimesLayer"_s, u"comCTimesLayer"_s, layers},
        {u"optCTimesStyle"_s, u"comCTimesStyle"_s, styles},
    };
    for (const Case& c : cases) {
        click(c.option);
        click(c.option);
        EXPECT_EQ(items(c.box), c.entries) << c.option.toStdString();
        EXPECT_EQ(find<QComboBox>(c.box)->currentText(), c.entries.first())
            << c.option.toStdString();
    }
    click(u"optValueHeight"_s);
    EXPECT_EQ(hintLine(), u"提示：搜索高度100.0%"_s);

    for (const QString& tab : {u"Value"_s, u"NTimes"_s, u"CAdd"_s, u"CTimes"_s}) {
        const QString box = u"com%1Color"_s.arg(tab);
        click(u"opt%1Color"_s.arg(tab));
        click(u"opt%1Color"_s.arg(tab));
        EXPECT_EQ(items(box).size(), 11) << box.toStdString();
        EXPECT_EQ(find<QComboBox>(box)->currentText(), u"  0(BYBLOCK)"_s);
    }
    // The other tabs' boxes were filled by their own options only.
    const filters::FilterChoice choice = window->filterPanel(3).choice();
    EXPECT_EQ(choice.kind, filters::FilterKind::Color);
    EXPECT_EQ(choice.boxText, u"  0(BYBLOCK)"_s);
}

TEST_F(MainWindowTest, ThePrefixPromptSetsThePrefixOrFallsBackToAllNumbers) {
    start();
    ui.inputAnswers.push_back(u"x"_s);
    click(u"optValueAB"_s);
    EXPECT_EQ(window->coordPrefix(), u"X"_s);
    EXPECT_TRUE(find<QRadioButton>(u"optValueAB"_s)->isChecked());
    EXPECT_EQ(window->filterPanel(1).choice().kind, filters::FilterKind::Prefix);

    ui.inputAnswers.push_back(std::nullopt);
    click(u"optValueAB"_s);
    EXPECT_EQ(window->coordPrefix(), QString());
    EXPECT_TRUE(find<QRadioButton>(u"optValueAll"_s)->isChecked());
    EXPECT_EQ(hintLine(), u"提示：坐标值前缀选择无效"_s);

    ui.inputAnswers.push_back(u"C"_s);
    click(u"optValueAB"_s);
    EXPECT_EQ(window->coordPrefix(), u"C"_s);
    EXPECT_TRUE(find<QRadioButton>(u"optValueAll"_s)->isChecked());
}

TEST_F(MainWindowTest, ACadFailureInTheMiddleOfAFillLeavesTheProgramRunning) {
    auto app = startCad();
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    for (int i = 0; i < 50; ++i) {
        ms.AddText(u"1"_s, {}, 1 + i % 3);
    }
    start();
    ui.hints.clear();
    app->failCall(40);
    click(u"optValueHeight"_s);
    EXPECT_EQ(hintLine(), kCadCallFailed);
    EXPECT_EQ(ui.hints.count(kCadCallFailed), 1);
    EXPECT_TRUE(ui.hints.first().startsWith(u"提示：搜索高度"_s));
    EXPECT_FALSE(ui.ended);

    // Ticks run again, and the same option now works.
    window->tick();
    EXPECT_TRUE(window->cadLink().isAttached());
    click(u"optValueHeight"_s);
    EXPECT_EQ(items(u"comValueHeight"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(hintLine(), u"提示：搜索高度100.0%"_s);
}

TEST_F(MainWindowTest, ATickWhileAHandlerWaitsForAnAnswerIsHeldOff) {
    // An input box runs an event loop, where the timer can fire.
    class TickingUi : public ui::RecordingUi {
    public:
        QString inputBox(const QString& prompt, const QString& defaultText) override {
            app->quit();
            window->tick();
            attachedDuringTheBox = window->cadLink().isAttached();
            return RecordingUi::inputBox(prompt, defaultText);
        }
        std::shared_ptr<cad::memory::Application> app;
        MainWindow* window = nullptr;
        bool attachedDuringTheBox = false;
    };
    TickingUi ticking;
    ticking.app = startCad();
    MainWindow w(&ticking);
    ticking.window = &w;
    w.findChild<QAbstractButton*>(u"optValueAB"_s)->click();
    EXPECT_TRUE(ticking.attachedDuringTheBox);
    w.tick();
    EXPECT_EQ(w.hintLine().text(), u"提示：服务器AutoCAD已经退出"_s);
}

TEST_F(MainWindowTest, HintLineAlwaysEndsOnTheLastTextWritten) {
    start();
    shell::HintLine& line = window->hintLine();
    for (int i = 0; i <= 1000; ++i) {
        line.write(u"提示：修改完成%1"_s.arg(i));
    }
    EXPECT_EQ(line.hint(), u"提示：修改完成1000"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return line.text() == u"提示：修改完成1000"_s; }));
}

// The hint line's menu holds the take-off of a folder: refusals and the outcome of a run end in
// the hint line, a file that is no drawing is counted as failed, and the workbook is written
// beside the drawings.
TEST_F(MainWindowTest, TheHintLineMenuRunsATakeoffOfAFolder) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"空"_s);
    QDir(dir.path()).mkpath(u"照明"_s);
    {
        auto app = cad::memory::Application::create();
        auto drawing = app->newDocument(u"一层.dwg"_s);
        auto line = drawing->makeEntity(cad::memory::kinds::line());
        line->setValue(cad::Member::EndPoint, cad::Point{1000, 0, 0});
        drawing->modelSpace().append(line);
        ASSERT_TRUE(dxf::saveDrawing(*drawing, dir.filePath(u"照明/一层.dxf"_s)).ok());
    }
    QFile broken(dir.filePath(u"照明/坏图.dxf"_s));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("0\nLINE\n10\nx\n") > 0);
    broken.close();

    start();
    window->findChild<QAction*>(u"mnuTakeoff"_s)->trigger();
    EXPECT_TRUE(find<QDialog>(u"frmTakeoff"_s)->isVisible());
    auto run = [&](const QString& scale, const QString& folder) {
        find<QLineEdit>(u"txtTakeoffScale"_s)->setText(scale);
        find<QLineEdit>(u"txtTakeoffFolder"_s)->setText(QDir::toNativeSeparators(folder));
        click(u"cmdTakeoffRun"_s);
    };
    const struct {
        QString scale, folder, hint;
    } refusals[] = {
        {u"1:0"_s, dir.path(), u"提示：比例数值无效！形式应为x:xxxx"_s},
        {u"1:100"_s, dir.filePath(u"无此文件夹"_s), u"提示：请选择图纸所在的文件夹"_s},
        {u"1:100"_s, dir.filePath(u"空"_s), u"提示：文件夹中没有 DXF 图纸"_s},
    };
    for (const auto& refusal : refusals) {
        run(refusal.scale, refusal.folder);
        EXPECT_EQ(hintLine(), refusal.hint) << refusal.folder.toStdString();
    }

    run(u"1:100"_s, dir.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return hintLine().contains(u"已写入"_s); }, 30000));
    const QString workbook = dir.filePath(u"takeoff.xlsx"_s);
    EXPECT_EQ(hintLine(),
              u"提示：材料统计有 1 张图纸读取失败（见工作簿的汇总表），其余 1 张已写入 "_s +
                  QDir::toNativeSeparators(workbook));
    EXPECT_TRUE(QFile::exists(workbook));
}

}  // namespace
