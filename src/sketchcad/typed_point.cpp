// parseTypedPoint: coordinates as a drafter types them.
#include "sketchcad/typed_point.h"

#include <QStringList>

namespace sketchcad {

std::optional<QPointF> parseTypedPoint(const QString& text, std::optional<QPointF> base) {
    QString t = text.trimmed();
    t.replace(QChar(0xFF0C), u',');
    const bool relative = t.startsWith(u'@');
    if (relative) {
        t.remove(0, 1);
    }
    const QStringList parts = t.split(u',');
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    double v[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    QPointF p(v[0], v[1]);
    if (relative) {
        p += base.value_or(QPointF());
    }
    return p;
}

}  // namespace sketchcad
