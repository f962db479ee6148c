// Tab 8, "电缆型号查询": the page's controls in frame 8.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace calculators {

void buildCableQueryPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace calculators
