// Tab 10, "电力弧垂曲线": the page's controls in frame 10.
#pragma once

#include <QWidget>

#include "shell/page/page_host.h"

namespace calculators {

void buildSagCurvePage(QWidget* frame, shell::PageHost& host);

}  // namespace calculators
