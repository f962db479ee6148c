// The --picks file: one line of actions per pick request, answered with synthetic input.
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

namespace sketchcad {

struct PickAction {
    enum class Kind { Point, Window, Crossing, Click, Cancel };
    Kind kind = Kind::Point;
    QPointF a;  // the point, or the rectangle's first corner
    QPointF b;  // the rectangle's second corner
    friend bool operator==(const PickAction&, const PickAction&) = default;
};

// "point X Y; window X1 Y1 X2 Y2; crossing X1 Y1 X2 Y2; click X Y; cancel", actions separated by
// ';', words by blanks, case ignored. The error says which action is wrong.
std::variant<std::vector<PickAction>, QString> parsePickLine(const QString& line);

// The lines of a picks file, taken one per request; blank lines are skipped.
class PickScript {
public:
    // Reads and checks every line; the error names the file and line.
    static std::variant<PickScript, QString> load(const QString& path);
    static std::variant<PickScript, QString> fromText(const QString& text,
                                                      const QString& name = QString());

    bool isEmpty() const { return m_lines.empty(); }
    std::optional<std::vector<PickAction>> next();

private:
    std::deque<std::vector<PickAction>> m_lines;
};

}  // namespace sketchcad
