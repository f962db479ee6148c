// Tab 5, "统计线条长度": the page's controls in frame 5.
#pragma once

#include <QWidget>

#include "shell/page/page_host.h"

namespace statistics {

void buildLineLengthPage(QWidget* frame, shell::PageHost& host);

}  // namespace statistics
