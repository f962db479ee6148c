// The take-off as tables: a summary sheet over the drawings and one sheet per drawing, the same
// for the workbook and for the CSV files.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "takeoff/takeoff_run.h"

namespace takeoff {

struct Cell {
    enum class Kind { Empty, Text, Heading, Count, Metres };
    Kind kind = Kind::Empty;
    QString text;
    double number = 0;

    static Cell of(QString text) { return {Kind::Text, std::move(text), 0}; }
    static Cell heading(QString text) { return {Kind::Heading, std::move(text), 0}; }
    static Cell count(qint64 n) { return {Kind::Count, QString(), double(n)}; }
    static Cell metres(double m) { return {Kind::Metres, QString(), m}; }
};

// A title over rows; the first row holds the column headings.
struct Table {
    QString title;
    std::vector<std::vector<Cell>> rows;
};

struct Sheet {
    QString name;  // a valid, unique sheet name of at most 31 characters
    std::vector<Table> tables;
};

// What every sheet opens with: the program, the command line, the date, the default scale.
struct ReportHeader {
    QString commandLine;
    QString date;
    QString defaultScale;
};

struct Report {
    QStringList header;  // lines above the tables of every sheet
    std::vector<Sheet> sheets;
};

Report buildReport(const std::vector<DrawingResult>& results, const ReportHeader& header);

// A metre figure of the line length page's single-precision total, as the page shows it: seven
// significant digits.
double pageMetres(float metres);

}  // namespace takeoff
