// The consolidation button's run state: the caption through a run, however it ends, and the
// click that arrives during one.
#include <gtest/gtest.h>

#include <functional>

#include "statistics/attached_drawing.h"
#include "utilities/consolidation_run.h"

namespace {

using namespace Qt::StringLiterals;

const QString kIdle = u"同形异名字型整理"_s;
const QString kRunning = u"终止字型整理"_s;

// Runs a hook where the window would handle pending events: once per model-space entity.
struct EventUi : ui::RecordingUi {
    void processEvents() override {
        RecordingUi::processEvents();
        if (onEvents) {
            onEvents();
        }
    }
    std::function<void()> onEvents;
};

class ConsolidationRunTest : public statistics_test::AttachedDrawing {
protected:
    ConsolidationRunTest() {
        eventLink.AttachCad();
        doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        ms.AddText(u"1"_s, {}, 2.5).StyleName(u"B"_s);
        ms.AddText(u"2"_s, {}, 2.5).StyleName(u"B"_s);
    }

    EventUi events;
    cad::CadLink eventLink{events};
    QStringList captions;
    utilities::ConsolidationRun run{[this](const QString& c) { captions.append(c); }};
};

TEST_F(ConsolidationRunTest, CaptionShowsTheRunWhileItLastsAndIdleAfter) {
    QList<bool> runningAtEvents;
    events.onEvents = [&] { runningAtEvents.append(run.isRunning()); };
    EXPECT_EQ(run.caption(), kIdle);
    run.click(eventLink);
    EXPECT_EQ(runningAtEvents, (QList<bool>{true, true}));
    EXPECT_EQ(captions, (QStringList{kRunning, kIdle}));
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(doc->textStyles().size(), 2u);
}

TEST_F(ConsolidationRunTest, CadFailureDuringARunStillEndsItIdle) {
    events.onEvents = [&] { app->failCall(1); };
    EXPECT_THROW(run.click(eventLink), cad::Error);
    EXPECT_EQ(captions, (QStringList{kRunning, kIdle}));
    EXPECT_FALSE(run.isRunning());
}

TEST_F(ConsolidationRunTest, ClickDuringARunWarnsAndEndsTheProgramInsteadOfStartingAnother) {
    events.onEvents = [&] {
        if (events.eventsProcessed == 1) {
            run.click(eventLink);
        }
    };
    run.click(eventLink);
    ASSERT_EQ(events.messageBoxes.size(), 1u);
    EXPECT_EQ(events.messageBoxes[0].text, u"终止字型整理将导致程序退出！"_s);
    EXPECT_TRUE(events.ended);
    EXPECT_EQ(captions, (QStringList{kRunning, kIdle}));
}

}  // namespace
