// Tab 7's page: the search button and the four conversion groups.
#pragma once

#include <QWidget>

#include "pagekit/page_host.h"

namespace properties {

void buildPropertyPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace properties
