// Tab 12, "实用功能集粹": the six utility buttons in frame 12, beside the help box.
#pragma once

#include <QWidget>

#include "shell/page/page_host.h"

namespace utilities {

void buildUtilitiesPage(QWidget* frame, shell::PageHost& host);

}  // namespace utilities
