// Tab 6, "统计块的个数": the page's controls in frame 6.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace statistics {

void buildBlockCountPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace statistics
