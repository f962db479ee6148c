// elecaide: the main window; with --script FILE [--trace] [--served [com]] the script runner;
// `elecaide takeoff ...` the take-off of a drawing set.
#include <QApplication>
#include <QTextStream>
#include <clocale>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "desktop/program_start.h"
#include "shell/cad_locator.h"
#include "shell/main_window.h"
#include "shell/script/script_runner.h"
#include "takeoff/takeoff_command.h"

namespace {

struct Options {
    QString script;
    shell::script::ScriptOptions run;
    bool valid = true;
};

// The arguments as QCoreApplication gives them: on Windows from the wide command line, so a
// script's path keeps characters outside the user's code page.
Options parseOptions(const QStringList& args) {
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--script" && i + 1 < args.size()) {
            options.script = args[++i];
        } else if (arg == u"--trace") {
            options.run.trace = true;
        } else if (arg == u"--served") {
            options.run.served = shell::script::Served::OnSocket;
            if (i + 1 < args.size() && args[i + 1] == u"com") {
                ++i;
                options.run.served = shell::script::Served::OverCom;
#ifndef _WIN32
                options.valid = false;  // COM is Windows's
#endif
            }
        } else {
            options.valid = false;
        }
    }
    if ((options.run.trace || options.run.served != shell::script::Served::No) &&
        options.script.isEmpty()) {
        options.valid = false;
    }
    return options;
}

// Whether this run is the script runner (or a usage error), known before the QApplication
// exists, which takes the platform: the runner's options begin with two dashes, Qt's own (such
// as -style) with one.
bool runsScript(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0) {
            return true;
        }
    }
    return false;
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// The take-off needs no window: it runs on a core application.
int takeoffCommand(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The workbook library writes numbers through printf: keep its decimal point a point
    // whatever the user's locale (Qt set it from the environment).
    std::setlocale(LC_NUMERIC, "C");
    QTextStream out(stdout);
    QTextStream err(stderr);
    return takeoff::runTakeoffCommand(QCoreApplication::arguments().mid(2), out, err,
                                      stderrIsTerminal());
}

}  // namespace

int main(int argc, char** argv) {
    desktop::useParentConsole();
    if (argc > 1 && std::strcmp(argv[1], "takeoff") == 0) {
        return takeoffCommand(argc, argv);
    }
    // Scripts run without a display unless a platform is asked for (screenshots under Xvfb).
    if (runsScript(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as for the take-off above: the window runs one too
    desktop::useInterfaceFont();
    const Options options = parseOptions(QCoreApplication::arguments());
    if (!options.valid) {
        QTextStream(stderr) << "usage: elecaide [--script FILE [--trace] [--served [com]]]\n"
                               "       elecaide takeoff [OPTIONS] PATH... (--help: the options)"
                            << Qt::endl;
        return shell::script::kScriptError;
    }
    if (!options.script.isEmpty()) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return shell::script::runScript(options.script, options.run, out, err);
    }
    shell::MainWindow* shown = nullptr;  // attaching starts before the window is there
    shell::installCadLocator([&shown] {
        if (shown != nullptr) {
            shown->ui().showHint(QString::fromUtf16(shell::kCadBusyHint));
        }
    });
    shell::MainWindow window;
    shown = &window;
    window.show();
    return app.exec();
}
