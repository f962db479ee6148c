// Tab 7 offscreen: its controls, the search into the eight lists and the buttons' list checks.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "shell/main_window.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kProgId = QString::fromUtf16(cad::kAutoCadProgId);

class PropertyPageTest : public ::testing::Test {
protected:
    PropertyPageTest() {
        doc->addLayer(u"照明"_s);
        cad::registerRunningObject(kProgId, app);
        window = std::make_unique<shell::MainWindow>(&ui);
        ui.hints.clear();
    }
    ~PropertyPageTest() override {
        window.reset();
        cad::revokeRunningObject(kProgId);
    }

    template <typename W = QWidget>
    W* find(const QString& name) const {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QComboBox* box(const QString& name) const { return find<QComboBox>(name); }
    void click(const QString& name) const { find<QAbstractButton>(name)->click(); }

    QStringList items(const QString& name) const {
        QStringList list;
        for (int i = 0; i < box(name)->count(); ++i) {
            list.append(box(name)->itemText(i));
        }
        return list;
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    ui::RecordingUi ui;
    std::unique_ptr<shell::MainWindow> window;
};

TEST_F(PropertyPageTest, FrameSevenHoldsTheFourGroupsWithTheirListsAndButtons) {
    const struct {
        const char* group;
        const char* title;
        const char* controls[6];
        const char* captions[4];
    } groups[] = {
        {"fraStyle",
         "文字类型",
         {"LabStyle1", "ComStyle1", "LabStyle2", "ComStyle2", "CmdStyleALL", "CmdStylePart"},
         {"原文字类型：", "目标字型：", "全域修改", "选择修改"}},
        {"fraLayer",
         "层名",
         {"LabLayer1", "ComLayer1", "LabLayer2", "ComLayer2", "CmdLayerAll", "CmdLayerPart"},
         {"对象原层名：", "目标层名：", "全域修改", "选择修改"}},
        {"frmColor",
         "颜色",
         {"LabColor1", "ComColor1", "LabColor2", "ComColor2", "CmdColorAll", "CmdColorPart"},
         {"对象原颜色：", "目标颜色：", "全域修改", "选择修改"}},
        {"frmType",
         "线形",
         {"LabType1", "ComType1", "LabType2", "ComType2", "CmdTypeAll", "CmdTypePart"},
         {"对象原线形：", "目标线形：", "全域修改", "选择修改"}},
    };
    QWidget* frame = find(u"fraContainer(7)"_s);
    EXPECT_EQ(find<QPushButton>(u"cmdProperty"_s)->text(), u"搜索层名、类型、线形、颜色"_s);
    EXPECT_TRUE(frame->isAncestorOf(find(u"cmdProperty"_s)));
    const QRect inside(QPoint(0, 0), frame->size());
    for (const auto& g : groups) {
        auto* group = find<QGroupBox>(QString::fromUtf8(g.group));
        EXPECT_EQ(group->parentWidget(), frame) << g.group;
        EXPECT_EQ(group->title(), QString::fromUtf8(g.title));
        EXPECT_TRUE(inside.contains(group->geometry())) << g.group;
        const int captioned[] = {0, 2, 4, 5};
        for (int i = 0; i < 4; ++i) {
            const QString name = QString::fromUtf8(g.controls[captioned[i]]);
            QWidget* w = find(name);
            EXPECT_EQ(w->parentWidget(), group) << g.group;
            EXPECT_EQ(w->property("text").toString(), QString::fromUtf8(g.captions[i]));
        }
        for (int list : {1, 3}) {
            QComboBox* combo = box(QString::fromUtf8(g.controls[list]));
            EXPECT_TRUE(combo->isEditable()) << g.controls[list];
            EXPECT_EQ(combo->count(), 0) << g.controls[list];
        }
    }
}

TEST_F(PropertyPageTest, SearchFillsAllEightListsAndShowsTheirFirstEntries) {
    const cad::Entity text = ms.AddText(u"1"_s, {}, 3);
    text.Color(30);
    ms.AddLine({}, {1, 0, 0}).Color(256);
    click(u"cmdProperty"_s);

    EXPECT_EQ(items(u"ComStyle1"_s), QStringList{u"Standard"_s});
    EXPECT_EQ(items(u"ComStyle2"_s), QStringList{u"Standard"_s});
    EXPECT_EQ(items(u"ComLayer1"_s), (QStringList{u"0"_s, u"照明"_s}));
    EXPECT_EQ(items(u"ComLayer2"_s), (QStringList{u"0"_s, u"照明"_s}));
    EXPECT_EQ(items(u"ComColor1"_s), (QStringList{u"30"_s, u"256(BYLAYER)"_s}));
    EXPECT_EQ(items(u"ComColor2"_s).size(), 11);
    EXPECT_EQ(items(u"ComType1"_s), items(u"ComType2"_s));
    EXPECT_FALSE(items(u"ComType1"_s).isEmpty());
    EXPECT_EQ(box(u"ComColor1"_s)->currentText(), u"30"_s);
    EXPECT_EQ(box(u"ComColor2"_s)->currentText(), u"  0(BYBLOCK)"_s);
    EXPECT_EQ(box(u"ComLayer2"_s)->currentText(), u"0"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：搜索颜色100.0%"_s);
}

TEST_F(PropertyPageTest, EachSearchIsGuardedOnItsOwn) {
    click(u"cmdProperty"_s);
    window->cadLink().ReleaseCadObjects();
    ui.hints.clear();
    click(u"cmdProperty"_s);
    EXPECT_EQ(ui.hints, QStringList(4, u"提示：服务器AutoCAD没有打开"_s));
    EXPECT_EQ(items(u"ComLayer1"_s), (QStringList{u"0"_s, u"照明"_s}));
}

TEST_F(PropertyPageTest, CadFailureInOneSearchLeavesTheOthersRunning) {
    // The guard's two calls, then the active document, its style table and the table's count.
    app->failCall(5);
    click(u"cmdProperty"_s);
    EXPECT_TRUE(ui.hints.contains(u"提示：AutoCAD调用失败，操作已中止"_s));
    EXPECT_EQ(items(u"ComStyle1"_s), QStringList());
    EXPECT_EQ(items(u"ComLayer1"_s), (QStringList{u"0"_s, u"照明"_s}));
    EXPECT_EQ(items(u"ComColor2"_s).size(), 11);
}

TEST_F(PropertyPageTest, ButtonsRefuseTextsThatAreNoEntryOfTheirLists) {
    const struct {
        const char* button;
        const char* hint;
    } buttons[] = {
        {"CmdColorAll", "提示：所选颜色不存在"}, {"CmdColorPart", "提示：所选颜色不存在"},
        {"CmdLayerAll", "提示：所选层不存在"},   {"CmdLayerPart", "提示：所选层不存在"},
        {"CmdStyleALL", "提示：所选字型不存在"}, {"CmdStylePart", "提示：所选字型不存在"},
        {"CmdTypeAll", "提示：所选线型不存在"},  {"CmdTypePart", "提示：所选线型不存在"},
    };
    for (const auto& b : buttons) {  // empty lists before any search
        click(QString::fromUtf8(b.button));
        EXPECT_EQ(ui.lastHint(), QString::fromUtf8(b.hint)) << b.button;
    }
    EXPECT_EQ(doc->undoGroups(), 0);
}

TEST_F(PropertyPageTest, TypedColourIsRefusedWhileItsEntryIsListed) {
    const cad::Entity red = ms.AddLine({}, {1, 0, 0});
    red.Color(1);
    click(u"cmdProperty"_s);
    ASSERT_TRUE(items(u"ComColor1"_s).contains(u"  1(红)"_s));
    box(u"ComColor2"_s)->setCurrentIndex(3);

    box(u"ComColor1"_s)->setEditText(u"1"_s);
    click(u"CmdColorAll"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：所选颜色不存在"_s);
    EXPECT_EQ(red.Color(), 1);

    box(u"ComColor1"_s)->setEditText(u"  1(红)"_s);
    click(u"CmdColorAll"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：修改完成100.0%"_s);
    EXPECT_EQ(red.Color(), 3);
}

TEST_F(PropertyPageTest, ListsKeepTheirEntriesAfterAConversion) {
    const cad::Entity line = ms.AddLine({}, {1, 0, 0});
    click(u"cmdProperty"_s);
    box(u"ComLayer2"_s)->setCurrentIndex(1);
    click(u"CmdLayerAll"_s);
    EXPECT_EQ(line.Layer(), u"照明"_s);
    EXPECT_EQ(box(u"ComLayer1"_s)->currentText(), u"0"_s);
    EXPECT_EQ(items(u"ComLayer1"_s), (QStringList{u"0"_s, u"照明"_s}));
}

}  // namespace
