// The window offscreen: picks started as the server starts them and answered with input
// events, the command line during a pick, file commands and their questions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "cad/automation.h"
#include "cad/memory/document.h"
#include "cad/remote/waiting_interaction.h"
#include "drawing_builder.h"
#include "dxf/drawing.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/main_window.h"
#include "support/qstring_printer.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using cad::Point;
namespace kinds = cad::memory::kinds;

class Window : public ::testing::Test {
protected:
    Window() : window(drawing.app), interaction(window) {
        drawing.line(0, 0, 100, 0);
        drawing.add(kinds::circle(), {{Member::Center, Point{50, 50, 0}}, {Member::Radius, 10.0}});
        drawing.line(200, 200, 210, 200);
        window.setInteraction(&interaction);
        window.setUnsavedQuestion([this](const QString& name) {
            asked.append(name);
            return answer;
        });
        window.show();
        window.refreshNow();
        window.view()->zoomExtents();
    }

    DrawingView* view() const { return window.findChild<DrawingView*>(u"drawingView"_s); }
    QString prompt() const { return window.findChild<QLabel*>(u"commandPrompt"_s)->text(); }
    QString history() const {
        return window.findChild<QPlainTextEdit*>(u"commandHistory"_s)->toPlainText();
    }
    QPoint at(double x, double y) const { return view()->toScreen(QPointF(x, y)).toPoint(); }
    // Runs f once the pick that is about to start waits, inside its event loop.
    void whileWaiting(std::function<void()> f) {
        QTimer::singleShot(0, &window, [this, f = std::move(f)] {
            EXPECT_TRUE(interaction.isWaiting());
            f();
        });
    }
    void drag(QPoint from, QPoint to) const {
        QTest::mousePress(view(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view(), (from + to) / 2);
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
    }
    cad::Document automation() const { return cad::Application(drawing.app).ActiveDocument(); }

    sketchcad_test::TestDrawing drawing;
    MainWindow window;
    cad::remote::WaitingInteraction interaction;
    QStringList asked;
    MainWindow::Unsaved answer = MainWindow::Unsaved::Cancel;
};

TEST_F(Window, APointPickShowsItsPromptAndAnswersTheClickedPoint) {
    QString shown;
    whileWaiting([&] {
        shown = prompt();
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(30, 70));
    });
    const auto p = interaction.getPoint(u"指定插入点:"_s, Point{0, 0, 0});
    EXPECT_EQ(shown, u"指定插入点:"_s);
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR(p->x, 30, 1);
    EXPECT_NEAR(p->y, 70, 1);
    EXPECT_EQ(prompt(), u"命令:"_s);
}

TEST_F(Window, APointPickSnapsToAnEndpointAFewPixelsAway) {
    whileWaiting([&] { QTest::mouseClick(view(), Qt::LeftButton, {}, at(100, 0) + QPoint(2, 1)); });
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), (Point{100, 0, 0}));
}

TEST_F(Window, EscapeCancelsAPointPickAndEndsASelectionEmpty) {
    whileWaiting([&] { QTest::keyClick(view(), Qt::Key_Escape); });
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), std::nullopt);
    whileWaiting([&] {
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(50, 0));
        QTest::keyClick(view(), Qt::Key_Escape);
    });
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s), QStringList());
}

TEST_F(Window, ASelectionSaysSoAndTakesWindowsCrossingsAndToggledClicks) {
    const QString line = drawing.doc->modelSpace().entities[0]->handleText();
    const QString circle = drawing.doc->modelSpace().entities[1]->handleText();
    QString shown;
    int highlighted = 0;
    whileWaiting([&] {
        shown = prompt();
        drag(at(30, 30), at(70, 70));                               // window: the circle only
        drag(at(95, 5), at(90, -5));                                // crossing: the line
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(60, 50));  // the circle out again
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(40, 50));  // and in
        highlighted = view()->selectedCount();
        QTest::keyClick(view(), Qt::Key_Return);
    });
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s), (QStringList{line, circle}));
    EXPECT_EQ(shown, u"选择对象:"_s);
    EXPECT_EQ(highlighted, 2);
    EXPECT_TRUE(history().contains(u"助手在等待"_s));
}

TEST_F(Window, TheRightButtonSpaceOrEnterEndsASelection) {
    whileWaiting([&] {
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(50, 0));
        QTest::mouseClick(view(), Qt::RightButton, {}, at(500, 500));
    });
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s)->size(), 1);
    whileWaiting([&] { QTest::keyClick(view(), Qt::Key_Space); });
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s), QStringList());
    // Enter on the empty command line, where the keyboard may be, ends it too.
    whileWaiting([&] {
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(50, 0));
        QTest::keyClick(window.findChild<QLineEdit*>(u"commandInput"_s), Qt::Key_Return);
    });
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s)->size(), 1);
}

TEST_F(Window, APointCanBeTypedAbsoluteOrFromTheBasePoint) {
    auto* input = window.findChild<QLineEdit*>(u"commandInput"_s);
    whileWaiting([&] {
        QTest::keyClicks(view(), u"12.5,7"_s);  // typing in the view goes to the command line
        QTest::keyClick(input, Qt::Key_Return);
    });
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), (Point{12.5, 7, 0}));
    whileWaiting([&] {
        QTest::keyClicks(input, u"nonsense"_s);
        QTest::keyClick(input, Qt::Key_Return);
        input->insert(u"@3，4"_s);  // a full-width comma, as Chinese input gives
        QTest::keyClick(input, Qt::Key_Return);
    });
    EXPECT_EQ(interaction.getPoint(u"点:"_s, Point{1, 1, 0}), (Point{4, 5, 0}));
    EXPECT_TRUE(history().contains(u"需要点或 @相对坐标: nonsense"_s));
    whileWaiting([&] {
        QTest::keyClicks(input, u"1,"_s);
        QTest::keyClick(input, Qt::Key_Escape);
    });
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), std::nullopt);
}

TEST_F(Window, PicksFromAScriptLineGoThroughTheView) {
    auto script = PickScript::fromText(u"point 30 70\nwindow 30 30 70 70\ncancel\n"_s);
    window.setPickScript(std::get<PickScript>(std::move(script)));
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), (Point{30, 70, 0}));
    EXPECT_EQ(interaction.selectObjects(u"选择对象:"_s)->size(), 1);
    EXPECT_EQ(interaction.getPoint(u"点:"_s, std::nullopt), std::nullopt);
}

TEST_F(Window, TheViewStaysUsableWhileAPickWaits) {
    double zoomedScale = 0;
    whileWaiting([&] {
        const double before = view()->scale();
        QWheelEvent wheel(QPointF(at(50, 50)), view()->mapToGlobal(QPointF(at(50, 50))), {},
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &wheel);
        zoomedScale = view()->scale() / before;
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(50, 60));
    });
    const auto p = interaction.getPoint(u"点:"_s, std::nullopt);
    EXPECT_NEAR(zoomedScale, 1.2, 1e-9);
    ASSERT_TRUE(p.has_value());
    // Clicked where (50, 60) is after the zoom; the circle's top is no snap point.
    EXPECT_NEAR(p->x, 50, 1 / view()->scale());
    EXPECT_NEAR(p->y, 60, 1 / view()->scale());
}

TEST_F(Window, ChangesMadeThroughTheInterfaceReachTheViewAndMarkTheTitle) {
    EXPECT_EQ(window.windowTitle(), u"test.dwg[*] - sketchcad"_s);
    EXPECT_FALSE(window.isWindowModified());
    automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{-50, -50, 0});
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->scene()->items.size() == 4; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isWindowModified(); }));
}

TEST_F(Window, AnOperationsChangesAppearOnceItEnds) {
    automation().StartUndoMark();
    for (int i = 0; i < 50; ++i) {
        automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{-1.0 * i, -50, 0});
    }
    automation().EndUndoMark();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->scene()->items.size() == 53; }));
}

TEST_F(Window, FileCommandsAskFirstWhenTheDrawingHasUnsavedChanges) {
    window.newDrawing();  // unchanged: no question
    EXPECT_TRUE(asked.isEmpty());
    automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{1, 1, 0});
    answer = MainWindow::Unsaved::Cancel;
    window.closeDrawing();
    EXPECT_EQ(asked, QStringList{u"Drawing1.dwg"_s});
    EXPECT_EQ(cad::Application(drawing.app).Documents().Count(), 1);
    answer = MainWindow::Unsaved::Discard;
    window.closeDrawing();
    EXPECT_EQ(cad::Application(drawing.app).Documents().Count(), 0);
    EXPECT_EQ(window.windowTitle(), u"sketchcad"_s);
}

TEST_F(Window, AnsweringSaveSavesFirstAndThenGoesOn) {
    QTemporaryDir dir;
    window.setFileChooser([&](bool, const QString&) { return dir.filePath(u"kept.dxf"_s); });
    automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{1, 1, 0});
    answer = MainWindow::Unsaved::Save;
    window.newDrawing();
    EXPECT_EQ(asked, QStringList{u"test.dwg"_s});
    EXPECT_TRUE(QFile::exists(dir.filePath(u"kept.dxf"_s)));
    EXPECT_EQ(automation().Name(), u"Drawing1.dwg"_s);
    EXPECT_EQ(cad::Application(drawing.app).Documents().Count(), 1);
}

TEST_F(Window, OpenReplacesTheDrawingAndShowsAllOfIt) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"far.dxf"_s);
    {
        auto other = cad::memory::Application::create();
        auto doc = other->newDocument(u"far.dwg"_s);
        cad::Application(other).ActiveDocument().ModelSpace().AddCircle(Point{5000, 5000, 0}, 100);
        ASSERT_TRUE(dxf::saveDrawing(*doc, file).ok());
    }
    window.setFileChooser([&](bool forSaving, const QString&) {
        EXPECT_FALSE(forSaving);
        return file;
    });
    window.openDrawing();
    EXPECT_EQ(window.windowTitle(), u"far.dxf[*] - sketchcad"_s);
    EXPECT_EQ(cad::Application(drawing.app).Documents().Count(), 1);
    EXPECT_EQ(view()->scene()->items.size(), 1u);
    EXPECT_TRUE(view()->rect().contains(view()->toScreen(QPointF(5000, 5000)).toPoint()));
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(Window, FileCommandsAndUndoAreRefusedWhileAPickWaits) {
    int documents = -1;
    whileWaiting([&] {
        window.closeDrawing();
        window.undo();
        documents = int(drawing.app->documents().size());
        QTest::keyClick(view(), Qt::Key_Escape);
    });
    interaction.getPoint(u"点:"_s, std::nullopt);
    EXPECT_EQ(documents, 1);
    EXPECT_EQ(history().count(u"助手的操作尚未结束"_s), 2);
}

TEST_F(Window, SaveAsWritesTheFileRenamesTheDrawingAndClearsTheMark) {
    QTemporaryDir dir;
    const QString target = dir.filePath(u"saved"_s);
    window.setFileChooser([&](bool forSaving, const QString&) {
        EXPECT_TRUE(forSaving);
        return target;
    });
    automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{1, 1, 0});
    window.refreshNow();
    EXPECT_TRUE(window.isWindowModified());
    ASSERT_TRUE(window.saveDrawingAs());
    EXPECT_TRUE(QFile::exists(target + u".dxf"_s));
    EXPECT_EQ(window.windowTitle(), u"saved.dxf[*] - sketchcad"_s);
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(Window, SavingAnR12DrawingSaysOnceWhichKindsItsFileHoldsAsOthers) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"r12.dxf"_s);
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(
            "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nSECTION\n2\n"
            "ENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n5\n21\n5\n0\nENDSEC\n0\nEOF\n");
    }
    window.setFileChooser([&](bool, const QString&) { return file; });
    window.openDrawing();
    const cad::Document doc = automation();
    doc.ModelSpace().AddMtext(Point{0, 0, 0}, 50, u"第一行\\P第二行"_s);
    doc.Save();
    doc.ModelSpace().AddMtext(Point{0, 10, 0}, 50, u"另一段"_s);
    doc.Save();
    EXPECT_EQ(history().count(u"是 R12 格式的 DXF 文件"_s), 1) << history().toStdString();
    EXPECT_TRUE(history().contains(u"MTEXT 已写为 TEXT"_s)) << history().toStdString();
    doc.ModelSpace().AddSpline({0, 0, 0, 5, 5, 0, 10, 0, 0}, Point{}, Point{});
    doc.Save();
    EXPECT_EQ(history().count(u"是 R12 格式的 DXF 文件"_s), 2) << history().toStdString();
    EXPECT_TRUE(history().contains(u"SPLINE 已写为 POLYLINE"_s)) << history().toStdString();
}

TEST_F(Window, CtrlZUndoesAWholeOperationAndCtrlYRedoesIt) {
    {
        cad::UndoGroup operation(automation());
        automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{-10, 0, 0});
        automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{0, -10, 0});
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->scene()->items.size() == 5; }));
    EXPECT_TRUE(window.isWindowModified());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->scene()->items.size() == 3; }));
    EXPECT_FALSE(window.isWindowModified());
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->scene()->items.size() == 5; }));
    EXPECT_TRUE(window.isWindowModified());
}

TEST_F(Window, UndoIsRefusedWhileAnOperationOfTheAssistantIsOpen) {
    automation().StartUndoMark();
    automation().ModelSpace().AddLine(Point{0, 0, 0}, Point{-10, 0, 0});
    window.undo();
    EXPECT_EQ(drawing.doc->modelSpace().entities.size(), 4u);
    EXPECT_TRUE(history().contains(u"助手的操作尚未结束"_s));
    automation().EndUndoMark();
    window.undo();
    EXPECT_EQ(drawing.doc->modelSpace().entities.size(), 3u);
}

TEST_F(Window, TheStatusLineShowsModemacroAndWhereTheCursorIs) {
    drawing.doc->defineVariable(u"MODEMACRO"_s, u"电气绘图助手: 统计"_s);
    auto* macro = window.findChild<QLabel*>(u"modeMacro"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return macro->text() == u"电气绘图助手: 统计"_s; }));
    QTest::mouseMove(view(), at(30, 70));
    const QString shown = window.findChild<QLabel*>(u"cursorCoordinates"_s)->text();
    const QStringList xy = shown.split(u", "_s);
    ASSERT_EQ(xy.size(), 2);
    EXPECT_NEAR(xy[0].toDouble(), 30, 1 / view()->scale());
    EXPECT_NEAR(xy[1].toDouble(), 70, 1 / view()->scale());
}

TEST_F(Window, DraggingWithTheMiddleButtonPansAndZoomExtentsShowsEverything) {
    const QPointF before = view()->toWorld(QPointF(300, 300));
    QTest::mousePress(view(), Qt::MiddleButton, {}, QPoint(300, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(400, 250), view()->mapToGlobal(QPointF(400, 250)),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view(), &move);
    QTest::mouseRelease(view(), Qt::MiddleButton, {}, QPoint(400, 250));
    // What was under the cursor moved with it.
    const QPointF after = view()->toWorld(QPointF(400, 250));
    EXPECT_NEAR(after.x(), before.x(), 1e-9);
    EXPECT_NEAR(after.y(), before.y(), 1e-9);
    window.findChild<QAction*>(u"actionZoomExtents"_s)->trigger();
    for (const QPointF corner : {QPointF(0, 0), QPointF(210, 200), QPointF(0, 60)}) {
        EXPECT_TRUE(view()->rect().contains(view()->toScreen(corner).toPoint()));
    }
}

}  // namespace
}  // namespace sketchcad
