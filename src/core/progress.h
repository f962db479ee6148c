// The "0.0%" progress format written to the hint line during walks.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace core {

// done / total as a percentage with one decimal and "%" ("37.5%", "100.0%"). The tenths are
// rounded half away from zero on the exact fraction, so 1/2000 gives "0.1%" and 1/16 "6.3%".
// A total of 0 (an empty walk) gives "0.0%"; a result that rounds to zero never shows a minus.
QString progressPercent(qint64 done, qint64 total);

// prefix followed by progressPercent(done, total), e.g. "提示：修改完成37.5%".
QString progressHint(QStringView prefix, qint64 done, qint64 total);

}  // namespace core
