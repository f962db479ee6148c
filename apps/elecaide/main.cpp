// elecaide: the main window, or with --script FILE [--trace] [--served] the script runner.
#include <QApplication>
#include <QTextStream>

#include "cad/remote/client.h"
#include "shell/main_window.h"
#include "shell/script/script_runner.h"

namespace {

struct Options {
    QString script;
    shell::script::ScriptOptions run;
    bool valid = true;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--script" && i + 1 < argc) {
            options.script = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == u"--trace") {
            options.run.trace = true;
        } else if (arg == u"--served") {
            options.run.served = true;
        } else {
            options.valid = false;
        }
    }
    if ((options.run.trace || options.run.served) && options.script.isEmpty()) {
        options.valid = false;
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (!options.valid) {
        QTextStream(stderr) << "usage: elecaide [--script FILE [--trace] [--served]]" << Qt::endl;
        return shell::script::kScriptError;
    }
    // Scripts run without a display unless a platform is asked for (screenshots under Xvfb).
    if (!options.script.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (!options.script.isEmpty()) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return shell::script::runScript(options.script, options.run, out, err);
    }
    cad::remote::installRemoteLocator();
    shell::MainWindow window;
    window.show();
    return app.exec();
}
