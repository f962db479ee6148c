// Writing the take-off's tables as an .xlsx workbook (libxlsxwriter) and as UTF-8 CSV files.
#pragma once

#include <QString>

#include "takeoff/report.h"

namespace takeoff {

// Writes the workbook: one worksheet per sheet, the header lines above the tables and in the
// printed page's header, numbers as numbers (counts whole, metres to the millimetre). The file
// appears complete or not at all: it is written beside the target and renamed over it. The empty
// text on success, else why not, in the user's words.
QString writeWorkbook(const Report& report, const QString& path);

// Writes one CSV file per sheet into the folder (made when missing), named after the sheet:
// UTF-8 with a byte order mark, so that spreadsheet programs read the Chinese right, and CRLF
// line ends. Empty on success, else why not.
QString writeCsvFiles(const Report& report, const QString& folder);

}  // namespace takeoff
