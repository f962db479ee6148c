// The argument syntax of script lines.
#include "shell/script/script_arguments.h"

namespace shell::script {

std::optional<std::vector<Argument>> splitArguments(QStringView line) {
    std::vector<Argument> arguments;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        Argument argument;
        if (line[i] == u'"') {
            argument.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = line[i++];
                if (c == u'"') {
                    closed = true;
                    break;
                }
                if (c == u'\\' && i < n && (line[i] == u'"' || line[i] == u'\\')) {
                    argument.text.append(line[i++]);
                } else {
                    argument.text.append(c);
                }
            }
            if (!closed) {
                return std::nullopt;
            }
        } else {
            while (i < n && !line[i].isSpace()) {
                argument.text.append(line[i++]);
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

}  // namespace shell::script
