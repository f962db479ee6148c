// Tab 5, "统计线条长度": the page's controls in frame 5.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace statistics {

void buildLineLengthPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace statistics
