// Tab 12, "实用功能集粹": the six utility buttons in frame 12, beside the help box.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace utilities {

void buildUtilitiesPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace utilities
