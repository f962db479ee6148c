// Blank trimming.
#include "core/text.h"

namespace core {

QStringView trimmedBlanksView(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ') {
        ++begin;
    }
    while (end > begin && s[end - 1] == u' ') {
        --end;
    }
    return s.sliced(begin, end - begin);
}

QString trimBlanks(QStringView s) {
    return trimmedBlanksView(s).toString();
}

bool isBlank(QStringView s) {
    return trimmedBlanksView(s).isEmpty();
}

}  // namespace core
