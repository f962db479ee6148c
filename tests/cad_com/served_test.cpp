// The COM client and server together: a drawing served on a thread of its own, reached through
// the running object table by its class and marshalled between the two apartments.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <atomic>

#include "../cad_remote/server_thread.h"
#include "cad/automation.h"
#include "cad/com/com_object.h"
#include "cad/com/invoke.h"
#include "cad/com/locator.h"
#include "cad/com/server.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Point;

class ServedOverCom : public ::testing::Test {
protected:
    ServedOverCom()
        : served([this](std::shared_ptr<cad::memory::Application> app, cad::remote::Picker& p) {
              m_server = new cad::com::Server(std::move(app), clsid, p);
              return std::unique_ptr<cad::remote::Serving>(m_server);
          }) {}

    void SetUp() override {
        ASSERT_FALSE(served.listenResult()) << served.listenResult()->toStdString();
    }

    cad::Application attach(cad::com::RetryPolicy retry = {}) {
        cad::ObjectRef app = cad::com::attachRunning(clsid, retry, [this] { ++waited; });
        if (!app) {
            throw cad::Error(u"not running"_s);
        }
        return cad::Application(app);
    }

    cad::com::Server& server() { return *m_server; }

    static CLSID freshClass() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the client's thread
        CLSID c{};
        CoCreateGuid(&c);
        return c;
    }

    const CLSID clsid = freshClass();
    int waited = 0;
    cad::com::Server* m_server = nullptr;  // owned by the thread
    remote_test::ServerThread served;
};

TEST_F(ServedOverCom, EveryKindOfValueCrossesBothWays) {
    cad::Application app = attach();
    cad::Document doc = app.ActiveDocument();
    EXPECT_EQ(doc.Name(), u"Drawing1.dwg"_s);
    doc.Layers().Add(u"照明"_s);
    cad::ModelSpace ms = doc.ModelSpace();
    cad::Entity line = ms.AddLine(Point{1, 2, 0}, Point{4, 6, 0});
    line.Layer(u"照明"_s);
    line.Color(3);
    ms.AddText(u"配电箱 AL1"_s, Point{10, 20, 0}, 3.5);

    ASSERT_EQ(ms.Count(), 2);
    const cad::Entity first = ms.Item(0);
    EXPECT_EQ(first.EntityName(), u"AcDbLine"_s);
    EXPECT_EQ(first.Layer(), u"照明"_s);
    EXPECT_EQ(first.Color(), 3);
    EXPECT_EQ(first.EndPoint(), (Point{4, 6, 0}));
    const cad::Entity second = ms.Item(1);
    EXPECT_EQ(second.TextString(), u"配电箱 AL1"_s);
    EXPECT_EQ(second.InsertionPoint(), (Point{10, 20, 0}));
    EXPECT_DOUBLE_EQ(second.Height(), 3.5);
    const cad::Value byName = doc.Layers().object()->Call(cad::Member::Item, {{u"照明"_s}});
    EXPECT_EQ(cad::Layer(byName.toObject()).Name(), u"照明"_s);

    // What the server's drawing holds is what was sent.
    served.run(
        [&] { EXPECT_EQ(cad::Application(served.app).ActiveDocument().ModelSpace().Count(), 2); });
}

TEST_F(ServedOverCom, FailuresCarryTheServersTextAndLeaveNothingHeld) {
    {
        cad::Application app = attach();
        cad::ModelSpace ms = app.ActiveDocument().ModelSpace();
        try {
            ms.Item(7);
            ADD_FAILURE() << "an item past the end";
        } catch (const cad::Error& e) {
            EXPECT_EQ(e.message(), u"索引无效"_s);
        }
        try {
            const cad::Value name(u"没有这层"_s);
            app.ActiveDocument().Layers().object()->Call(cad::Member::Item, {&name, 1});
            ADD_FAILURE() << "a layer that is not there";
        } catch (const cad::Error& e) {
            EXPECT_EQ(e.message(), u"找不到名称：没有这层"_s);
        }
        // A member the object lacks: refused by the server as the embedded drawing refuses it.
        EXPECT_THROW(app.object()->Get(cad::Member::TextString), cad::Error);
    }
    // Every object the client had is released; only the one in the table stays.
    for (int i = 0; i < 100 && served.heldObjects() != 1; ++i) {
        QThread::msleep(20);
    }
    EXPECT_EQ(served.heldObjects(), 1);
}

TEST_F(ServedOverCom, AWalkLooksEachMemberUpOncePerKind) {
    served.run([&] {
        cad::Application local(served.app);
        cad::ModelSpace ms = local.ActiveDocument().ModelSpace();
        for (int i = 0; i < 50; ++i) {
            ms.AddLine(Point{double(i), 0, 0}, Point{double(i), 1, 0});
            ms.AddText(u"N"_s + QString::number(i), Point{double(i), 2, 0}, 2.5);
        }
    });
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    const int count = ms.Count();
    const cad::com::CallCounts before = cad::com::callCounts();
    for (int i = 0; i < count; ++i) {
        cad::Entity e = ms.Item(i);
        if (e.EntityName() == u"AcDbText") {
            e.TextString();
        } else {
            e.Layer();
        }
    }
    const cad::com::CallCounts after = cad::com::callCounts();
    // Item, EntityName and one member each; names: Item, EntityName, TextString, Layer.
    EXPECT_EQ(after.invokes - before.invokes, 3u * count);
    EXPECT_EQ(after.nameLookups - before.nameLookups, 4u);
}

TEST_F(ServedOverCom, ABusyCadIsWaitedForUntilTheLimit) {
    cad::Document doc = attach({.limitMs = 5000, .pauseMs = 50}).ActiveDocument();
    served.run([&] { server().refuseCallsFor(500); });
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(doc.Name(), u"Drawing1.dwg"_s);
    EXPECT_GE(took.elapsed(), 400);
    EXPECT_EQ(waited, 1);

    cad::Document impatient = attach({.limitMs = 300, .pauseMs = 50}).ActiveDocument();
    served.run([&] { server().refuseCallsFor(3000); });
    try {
        impatient.Name();
        ADD_FAILURE() << "a call beyond the limit";
    } catch (const cad::Error& e) {
        EXPECT_EQ(e.message(), u"CAD 正忙，0.3 秒内没有接受调用"_s);
    }
}

// Stands for the assistant's window: counts what it is given.
struct CountingWindow {
    static inline int paints = 0;
    static inline int keys = 0;
    static inline int ticks = 0;

    static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
            case WM_PAINT: {
                ++paints;
                PAINTSTRUCT ps;
                BeginPaint(w, &ps);
                EndPaint(w, &ps);
                return 0;
            }
            case WM_KEYDOWN:
                ++keys;
                return 0;
            case WM_TIMER:
                ++ticks;
                return 0;
            default:
                return DefWindowProcW(w, message, wp, lp);
        }
    }

    CountingWindow() {
        WNDCLASSW c{};
        c.lpfnWndProc = &procedure;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"ElecAideCountingWindow";
        RegisterClassW(&c);
        handle = CreateWindowW(c.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, c.hInstance, nullptr);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&m);
        }
        paints = keys = ticks = 0;
    }
    ~CountingWindow() { DestroyWindow(handle); }

    HWND handle;
};

// While a pick waits in the CAD window, the call is out: the assistant's window is painted when
// it needs it, and neither the user's keys nor its timer reach it before the answer. Windows
// need a display (Wine's, on X): ctest runs this once more under xvfb-run.
TEST_F(ServedOverCom, WhileAPickWaitsTheWindowIsPaintedAndTakesNoInputOrTicks) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "needs a display";
    }
    cad::com::BusyFilter filter({}, {});
    cad::Utility utility = attach().ActiveDocument().Utility();
    CountingWindow window;
    InvalidateRect(window.handle, nullptr, TRUE);
    PostMessageW(window.handle, WM_KEYDOWN, VK_SPACE, 0);
    SetTimer(window.handle, 1, 10, nullptr);
    std::unique_ptr<QThread> user(QThread::create([&] {
        for (bool waiting = false; !waiting; QThread::msleep(5)) {
            served.run([&] { waiting = served.picker.interaction->isWaiting(); });
        }
        QThread::msleep(300);
        served.run([&] { served.picker.interaction->finishPoint(Point{3, 4, 0}); });
    }));
    user->start();
    EXPECT_EQ(utility.GetPoint(std::nullopt, u"指定点:"_s), (Point{3, 4, 0}));
    user->wait();
    EXPECT_GE(CountingWindow::paints, 1);
    EXPECT_EQ(CountingWindow::keys, 0);
    EXPECT_EQ(CountingWindow::ticks, 0);
    KillTimer(window.handle, 1);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&m);
    }
    EXPECT_EQ(CountingWindow::keys, 1);  // kept for after the pick
}

// Another client's call while a pick waits is refused as busy, and goes through once the pick is
// answered.
TEST_F(ServedOverCom, AnotherClientWaitsForAPickToEnd) {
    cad::Utility utility = attach().ActiveDocument().Utility();
    std::atomic<int> otherWaited = 0;
    QString otherGot;
    std::unique_ptr<QThread> other(QThread::create([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (bool waiting = false; !waiting; QThread::msleep(5)) {
            served.run([&] { waiting = served.picker.interaction->isWaiting(); });
        }
        {
            cad::Application app(cad::com::attachRunning(clsid, {.limitMs = 10000, .pauseMs = 50},
                                                         [&] { ++otherWaited; }));
            otherGot = app.ActiveDocument().Name();
        }
        CoUninitialize();
    }));
    std::unique_ptr<QThread> user(QThread::create([&] {
        while (otherWaited == 0) {
            QThread::msleep(5);
        }
        served.run([&] { served.picker.interaction->finishPoint(Point{5, 6, 0}); });
    }));
    other->start();
    user->start();
    EXPECT_EQ(utility.GetPoint(std::nullopt, u"指定点:"_s), (Point{5, 6, 0}));
    user->wait();
    other->wait();
    EXPECT_EQ(otherWaited, 1);
    EXPECT_EQ(otherGot, u"Drawing1.dwg"_s);
}

TEST_F(ServedOverCom, NamesAreLookedUpWithoutRegardToCaseAndItemIsTheDefault) {
    cad::Application app = attach();
    auto& dispatch = dynamic_cast<cad::com::ComObject&>(*app.object()).dispatch();
    DISPID ids[3] = {};
    const wchar_t* names[] = {L"ActiveDocument", L"activedocument", L"ACTIVEDOCUMENT"};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        ASSERT_EQ(dispatch.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &ids[i]), S_OK);
    }
    EXPECT_EQ(ids[0], ids[1]);
    EXPECT_EQ(ids[0], ids[2]);
    // The default member is Item, reached by a read with an index as well as by a call.
    cad::ModelSpace ms = app.ActiveDocument().ModelSpace();
    ms.AddPoint(Point{1, 2, 0});
    auto& space = dynamic_cast<cad::com::ComObject&>(*ms.object()).dispatch();
    for (WORD flags : {WORD(DISPATCH_METHOD | DISPATCH_PROPERTYGET), WORD(DISPATCH_PROPERTYGET)}) {
        cad::com::Variant index = cad::com::toVariant(0, {});
        cad::com::Variant item =
            cad::com::invoke(space, DISPID_VALUE, cad::com::Access(flags), {&index, 1});
        EXPECT_EQ((*item).vt, VT_DISPATCH);
    }

    LPOLESTR unknown = const_cast<LPOLESTR>(L"NoSuchMember");
    DISPID none = 0;
    EXPECT_EQ(dispatch.GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &none),
              DISP_E_UNKNOWNNAME);
}

TEST_F(ServedOverCom, PicksAreAnsweredAndAStoppedServerIsGone) {
    cad::Application app = attach();
    served.picker.immediatePoint = Point{7, 8, 0};
    EXPECT_EQ(app.ActiveDocument().Utility().GetPoint(std::nullopt, u"指定点："_s),
              (Point{7, 8, 0}));
    served.run([&] { EXPECT_EQ(served.picker.prompts, QStringList{u"指定点："_s}); });

    served.stopServer();
    EXPECT_THROW(app.Version(), cad::Error);
    EXPECT_EQ(cad::com::attachRunning(clsid, {}, {}), nullptr);
}

}  // namespace
