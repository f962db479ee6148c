// sketchcad: opens a DXF drawing in a window and serves it to the assistant over the user's
// private automation socket.
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <cstdio>

#include "cad/remote/server.h"
#ifdef _WIN32
#include "cad/com/registration.h"
#include "cad/com/server.h"
#endif
#include "desktop/program_start.h"
#include "sketchcad/main_window.h"

namespace {

// The program's exit statuses besides the event loop's own.
enum ExitStatus : int {
    kPicksFileRefused = 2,  // the --picks file has a mistake
    kCannotServe = 3,       // another sketchcad serves already, or the socket cannot be made
};

// After the event loop ends: long enough for the last answers to leave, in short turns.
constexpr int kDrainMs = 200;
constexpr int kDrainTurnMs = 20;

// Gives the last answers (the one to Quit among them) their way out of the socket.
void drainEvents() {
    const QDeadlineTimer deadline(kDrainMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kDrainTurnMs);
    }
}

}  // namespace

int main(int argc, char** argv) {
    desktop::useParentConsole();
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sketchcad"));
    desktop::useInterfaceFont();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("DXF 图形查看与编辑，为电气绘图助手提供图形"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("要打开的 DXF 文件"));
    const QCommandLineOption picks(QStringLiteral("picks"),
                                   QStringLiteral("用文件里的一行回答每次拾取请求"),
                                   QStringLiteral("FILE"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot-on-exit"),
                                        QStringLiteral("退出前把窗口截图写入 PNG"),
                                        QStringLiteral("PNG"));
    parser.addOption(picks);
    parser.addOption(screenshot);
#ifdef _WIN32
    const QCommandLineOption refuseCalls(
        QStringLiteral("refuse-calls"),
        QStringLiteral("开始后的这段时间里像忙着的 CAD 一样拒绝 COM "
                       "调用（测试用）"),
        QStringLiteral("MS"));
    parser.addOption(refuseCalls);
#endif
    parser.process(qapp);

    auto application = cad::memory::Application::create();
    sketchcad::MainWindow window(application);
    if (parser.isSet(picks)) {
        auto script = sketchcad::PickScript::load(parser.value(picks));
        if (auto* error = std::get_if<QString>(&script)) {
            fprintf(stderr, "sketchcad: %s\n", qUtf8Printable(*error));
            return kPicksFileRefused;
        }
        window.setPickScript(std::get<sketchcad::PickScript>(std::move(script)));
    }
    if (parser.isSet(screenshot)) {
        window.setScreenshotOnExit(parser.value(screenshot));
    }

    cad::remote::Server server(application, window);
    window.setInteraction(&server.interaction());
    if (const auto refused = server.listen()) {
        fprintf(stderr, "sketchcad: %s\n", qUtf8Printable(*refused));
        if (sketchcad::hasDisplay()) {
            QMessageBox::critical(nullptr, QStringLiteral("sketchcad"), *refused);
        }
        return kCannotServe;
    }
#ifdef _WIN32
    // Found by the assistant through the running object table, under a class of its own.
    const QString progId = QString::fromUtf16(cad::com::kSketchcadProgId);
    if (const auto failed = cad::com::registerForUser(progId, cad::com::sketchcadClass())) {
        fprintf(stderr, "sketchcad: %s\n", qUtf8Printable(*failed));
    }
    cad::com::Server com(application, cad::com::sketchcadClass(), server.sharedInteraction());
    if (const auto refused = com.listen()) {
        fprintf(stderr, "sketchcad: %s\n", qUtf8Printable(*refused));
        return kCannotServe;
    }
    if (parser.isSet(refuseCalls)) {
        com.refuseCallsFor(parser.value(refuseCalls).toInt());
    }
#endif

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        window.newDrawing();
    } else {
        window.openFile(files.first());
    }
    window.show();
    printf("sketchcad: serving %s\n", qUtf8Printable(server.socketPath()));
    fflush(stdout);

    const int status = qapp.exec();
    drainEvents();
    return status;
}
