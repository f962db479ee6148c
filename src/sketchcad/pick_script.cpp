// Parsing of the --picks file.
#include "sketchcad/pick_script.h"

#include <QFile>
#include <QRegularExpression>

namespace sketchcad {

std::variant<std::vector<PickAction>, QString> parsePickLine(const QString& line) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<PickAction> actions;
    for (const QString& part : line.split(u';')) {
        const QStringList words = part.trimmed().split(blanks, Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            continue;
        }
        const QString verb = words[0].toLower();
        std::vector<double> numbers;
        for (qsizetype i = 1; i < words.size(); ++i) {
            bool ok = false;
            numbers.push_back(words[i].toDouble(&ok));
            if (!ok) {
                return QStringLiteral("not a number: \"%1\" in \"%2\"")
                    .arg(words[i], part.trimmed());
            }
        }
        PickAction a;
        std::size_t wanted = 0;
        if (verb == u"point") {
            a.kind = PickAction::Kind::Point;
            wanted = 2;
        } else if (verb == u"click") {
            a.kind = PickAction::Kind::Click;
            wanted = 2;
        } else if (verb == u"window") {
            a.kind = PickAction::Kind::Window;
            wanted = 4;
        } else if (verb == u"crossing") {
            a.kind = PickAction::Kind::Crossing;
            wanted = 4;
        } else if (verb == u"cancel") {
            a.kind = PickAction::Kind::Cancel;
        } else {
            return QStringLiteral("unknown action \"%1\"").arg(words[0]);
        }
        if (numbers.size() != wanted) {
            return QStringLiteral("\"%1\" takes %2 numbers").arg(verb).arg(wanted);
        }
        if (wanted >= 2) {
            a.a = QPointF(numbers[0], numbers[1]);
        }
        if (wanted == 4) {
            a.b = QPointF(numbers[2], numbers[3]);
        }
        actions.push_back(a);
    }
    if (actions.empty()) {
        return QStringLiteral("no action");
    }
    return actions;
}

std::variant<PickScript, QString> PickScript::fromText(const QString& text, const QString& name) {
    PickScript script;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) {
            continue;
        }
        auto parsed = parsePickLine(lines[i]);
        if (auto* error = std::get_if<QString>(&parsed)) {
            return QStringLiteral("%1, line %2: %3").arg(name).arg(i + 1).arg(*error);
        }
        script.m_lines.push_back(std::get<std::vector<PickAction>>(std::move(parsed)));
    }
    return script;
}

std::variant<PickScript, QString> PickScript::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    }
    return fromText(QString::fromUtf8(file.readAll()), path);
}

std::optional<std::vector<PickAction>> PickScript::next() {
    if (m_lines.empty()) {
        return std::nullopt;
    }
    auto line = std::move(m_lines.front());
    m_lines.pop_front();
    return line;
}

}  // namespace sketchcad
