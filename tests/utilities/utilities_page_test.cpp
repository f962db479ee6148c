// Frame 12 offscreen: the six buttons beside the help box, and the consolidation button's
// caption as run state, with the click during a run.
#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "pagekit/page_host.h"
#include "pagekit/twips.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"
#include "utilities/utilities_page.h"

namespace {

using namespace Qt::StringLiterals;

const QString kIdle = u"同形异名字型整理"_s;
const QString kRunning = u"终止字型整理"_s;

// Runs a hook where the real window would handle the pending events.
struct EventUi : ui::RecordingUi {
    void processEvents() override {
        RecordingUi::processEvents();
        if (onEvents) {
            onEvents();
        }
    }
    std::function<void()> onEvents;
};

class TestHost : public pagekit::PageHost {
public:
    ui::Ui& ui() const override { return recording; }
    cad::CadLink& cadLink() const override { return link; }
    core::ColorRule& colorRule() override { return rule; }
    void handle(const std::function<void()>& handler) override {
        try {
            handler();
        } catch (const cad::Error&) {
            ++failures;
        }
    }

    mutable EventUi recording;
    mutable cad::CadLink link{recording};
    core::ColorRule rule;
    int failures = 0;
};

class UtilitiesPageTest : public ::testing::Test {
protected:
    UtilitiesPageTest() {
        cad::registerRunningObject(QString::fromUtf16(cad::kAutoCadProgId), app);
        host.link.AttachCad();
        doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        const cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
        for (int i = 0; i < 3; ++i) {
            ms.AddText(QString::number(i), {}, 2.5).StyleName(u"B"_s);
        }
        utilities::buildUtilitiesPage(&frame, host);
    }
    ~UtilitiesPageTest() override {
        cad::revokeRunningObject(QString::fromUtf16(cad::kAutoCadProgId));
    }

    QPushButton* button(const QString& name) const {
        auto* b = frame.findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"plan.dwg"_s);
    QWidget frame;
    TestHost host;
    EventUi& ui = host.recording;
};

TEST_F(UtilitiesPageTest, SixButtonsInAColumnLeftOfTheHelpBox) {
    const std::pair<const char16_t*, const char16_t*> buttons[] = {
        {u"cmdSwap", u"物体位置互调"}, {u"cmdClean", u"同形异名字型整理"},
        {u"cmdLayer", u"遗忘改层"},    {u"cmdAlign", u"单行文字左对齐"},
        {u"cmdAdd", u"所选数值相加"},  {u"cmdSize", u"判断图框大小"},
    };
    int top = -1;
    for (const auto& [name, caption] : buttons) {
        QPushButton* b = button(QString::fromUtf16(name));
        EXPECT_EQ(b->text(), QString::fromUtf16(caption));
        EXPECT_LE(b->geometry().right(), pagekit::twips(2160)) << b->objectName().toStdString();
        EXPECT_GT(b->geometry().top(), top);
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
        top = b->geometry().bottom();
    }
}

TEST_F(UtilitiesPageTest, CaptionSaysARunIsInProgressUntilItEnds) {
    QStringList captions;
    ui.onEvents = [&] { captions.append(button(u"cmdClean"_s)->text()); };
    button(u"cmdClean"_s)->click();
    EXPECT_EQ(captions, QStringList(3, kRunning));
    EXPECT_EQ(button(u"cmdClean"_s)->text(), kIdle);
    EXPECT_EQ(doc->textStyles().size(), 2u);
    EXPECT_FALSE(ui.ended);
}

TEST_F(UtilitiesPageTest, ClickDuringARunWarnsAndEndsTheProgram) {
    ui.onEvents = [&] {
        if (ui.eventsProcessed == 2) {
            button(u"cmdClean"_s)->click();
        }
    };
    button(u"cmdClean"_s)->click();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, u"终止字型整理将导致程序退出！"_s);
    EXPECT_EQ(ui.messageBoxes[0].icon, ui::Icon::Information);
    EXPECT_EQ(ui.messageBoxes[0].buttons, ui::Buttons::Ok);
    EXPECT_TRUE(ui.ended);
}

TEST_F(UtilitiesPageTest, CadFailureDuringARunPutsTheCaptionBack) {
    ui.onEvents = [&] { app->failCall(1); };
    button(u"cmdClean"_s)->click();
    EXPECT_EQ(host.failures, 1);
    EXPECT_EQ(button(u"cmdClean"_s)->text(), kIdle);
    EXPECT_EQ(doc->undoDepth(), 0);

    ui.onEvents = nullptr;
    button(u"cmdClean"_s)->click();  // and the next run starts
    EXPECT_EQ(doc->textStyles().size(), 2u);
    EXPECT_EQ(ui.lastHint(), u"提示：整理完成100.0%"_s);
}

TEST_F(UtilitiesPageTest, EveryOtherButtonRunsItsUtility) {
    const cad::Entity first(doc->modelSpace().entities[0]);
    const cad::Entity second(doc->modelSpace().entities[1]);
    const struct {
        const char16_t* button;
        const char16_t* hint;
    } cases[] = {
        {u"cmdSwap", u"提示：切换至AutoCAD界面，按命令行提示执行"},
        {u"cmdAlign", u"提示：切换至AutoCAD界面，按命令行提示执行"},
        {u"cmdAdd", u"提示：所选数值之和为 1"},
        {u"cmdSize", u"提示：请选择直线，本软件只认直线为图纸边框"},
        {u"cmdLayer", u"提示：切换至AutoCAD界面，按命令行提示执行"},
    };
    for (const auto& c : cases) {
        app->script().queueObjects({first.Handle(), second.Handle()});
        button(QString::fromUtf16(c.button))->click();
        EXPECT_EQ(ui.lastHint(), QString::fromUtf16(c.hint))
            << QString::fromUtf16(c.button).toStdString();
    }
    EXPECT_EQ(ui.inputPrompts.size(), 1);
    EXPECT_EQ(second.Layer(), u"NewLayer"_s);
    EXPECT_EQ(host.failures, 0);
}

}  // namespace
