// The text form of errors.
#include "dxf/result.h"

namespace dxf {

using namespace Qt::StringLiterals;

QString Error::toString() const {
    if (line > 0)
        return u"%1, line %2: %3"_s.arg(fileName).arg(line).arg(message);
    return u"%1: %2"_s.arg(fileName, message);
}

}  // namespace dxf
