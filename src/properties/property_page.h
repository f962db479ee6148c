// Tab 7's page: the search button and the four conversion groups.
#pragma once

#include <QWidget>

#include "shell/page/page_host.h"

namespace properties {

void buildPropertyPage(QWidget* frame, shell::PageHost& host);

}  // namespace properties
