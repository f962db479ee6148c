// Tab 10, "电力弧垂曲线": the page's controls in frame 10.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace calculators {

void buildSagCurvePage(QWidget* frame, pagekit::PageHost& host);

}  // namespace calculators
