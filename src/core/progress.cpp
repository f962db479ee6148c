// Progress percentages, in integer arithmetic so that exact halves (0.05%, 6.25%) round the way
// they read in decimal rather than the way their binary approximation happens to fall.
#include "core/progress.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace core {
namespace {

quint64 magnitude(qint64 v) {
    return v < 0 ? quint64(0) - static_cast<quint64>(v) : static_cast<quint64>(v);
}

// Tenths of a percent of n / d, rounded half up; d > 0.
quint64 roundedTenths(quint64 n, quint64 d) {
    constexpr quint64 kMax = std::numeric_limits<quint64>::max();
    const quint64 whole = n / d;
    const quint64 rest = n % d;
    // Beyond any real count the products below would overflow; long double is then close enough.
    if (d > (kMax - d) / 2000 || whole > kMax / 1000 - 1) {
        return static_cast<quint64>(
            std::floor(static_cast<long double>(n) * 1000.0L / static_cast<long double>(d) + 0.5L));
    }
    return whole * 1000 + (rest * 2000 + d) / (2 * d);
}

}  // namespace

QString progressPercent(qint64 done, qint64 total) {
    if (total == 0) {
        return u"0.0%"_s;
    }
    const quint64 tenths = roundedTenths(magnitude(done), magnitude(total));
    const bool negative = tenths != 0 && ((done < 0) != (total < 0));
    QString out;
    if (negative) {
        out += u'-';
    }
    out += QString::number(tenths / 10);
    out += u'.';
    out += QChar(u'0' + static_cast<char16_t>(tenths % 10));
    out += u'%';
    return out;
}

QString progressHint(QStringView prefix, qint64 done, qint64 total) {
    return prefix.toString() + progressPercent(done, total);
}

}  // namespace core
