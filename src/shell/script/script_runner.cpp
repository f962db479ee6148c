// Running a script: its lines split into arguments and handed to the runner one by one; the
// first that cannot run ends the script with its line.
#include "shell/script/script_runner.h"

#include <QFile>

#include "shell/script/runner.h"

namespace shell::script {

using namespace Qt::StringLiterals;

int runScript(const QString& path, const ScriptOptions& options, QTextStream& out,
              QTextStream& err) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << u"error: cannot read the script "_s << path << Qt::endl;
        return kScriptError;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    Runner runner(options, out);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const std::optional<std::vector<Argument>> args = splitArguments(line);
        try {
            if (!args) {
                throw ScriptError{u"a quote is not closed"_s};
            }
            runner.execute(lineNumber, *args);
        } catch (const ScriptError& e) {
            err << u"error line "_s << lineNumber << u": "_s << e.message << Qt::endl;
            return kScriptError;
        } catch (const cad::Error& e) {
            err << u"error line "_s << lineNumber << u": CAD call failed: "_s << e.message()
                << Qt::endl;
            return kScriptError;
        }
    }
    return runner.status();
}

}  // namespace shell::script
