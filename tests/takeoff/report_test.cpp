// The report's files: sheet names Excel takes whatever the drawings are called, one CSV file per
// sheet, and a drawing set that names each file once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "support/qstring_printer.h"
#include "takeoff/drawing_set.h"
#include "takeoff/report.h"
#include "takeoff/workbook_file.h"

namespace {

using namespace Qt::StringLiterals;

TEST(TakeoffReport, AwkwardDrawingNamesStillGiveAWorkbookAndACsvFilePerSheet) {
    const QString names[] = {u"x'.dxf"_s,   u"'引号'.dxf"_s, QString(30, u'a') + u"😀b.dxf"_s,
                             u"q<r.dxf"_s,  u"q_r.dxf"_s,    u"History.dxf"_s,
                             u"汇总.dxf"_s, u"A[1]:2.dxf"_s, u"a[1]_2.dxf"_s};
    std::vector<takeoff::DrawingResult> results;
    for (const QString& name : names) {
        results.push_back({{name, name, u"1:100"_s}, takeoff::DrawingFigures{}, QString()});
    }
    const takeoff::Report report = takeoff::buildReport(results, {});
    ASSERT_EQ(report.sheets.size(), std::size(names) + 1);
    QSet<QString> folded;
    for (const takeoff::Sheet& sheet : report.sheets) {
        EXPECT_LE(sheet.name.toUcs4().size(), 31) << sheet.name.toStdString();
        EXPECT_FALSE(sheet.name.startsWith(u'\'') || sheet.name.endsWith(u'\''));
        EXPECT_NE(sheet.name.toLower(), u"history"_s);
        folded.insert(sheet.name.toLower());
    }
    EXPECT_EQ(folded.size(), qsizetype(report.sheets.size()));

    QTemporaryDir dir;
    EXPECT_EQ(takeoff::writeWorkbook(report, dir.filePath(u"材料.xlsx"_s)), QString());
    EXPECT_TRUE(QFile::exists(dir.filePath(u"材料.xlsx"_s)));
    EXPECT_EQ(takeoff::writeCsvFiles(report, dir.filePath(u"表"_s)), QString());
    EXPECT_EQ(QDir(dir.filePath(u"表"_s)).entryList(QDir::Files).size(),
              qsizetype(report.sheets.size()));
}

TEST(TakeoffReport, AFileReachedTwiceIsTakenOffOnce) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"二层"_s);
    for (const QString& name : {u"一层.dxf"_s, u"二层/动力.DXF"_s, u"说明.txt"_s}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const takeoff::DrawingSet set = takeoff::findDrawings(
        {dir.path(), dir.filePath(u"一层.dxf"_s), dir.path(), dir.filePath(u"无.dxf"_s)},
        u"1:100"_s);
    QStringList found;
    for (const takeoff::DrawingEntry& entry : set.entries) {
        found << entry.name;
    }
    found.sort();  // the order is the platform collator's
    EXPECT_EQ(found, (QStringList{u"一层.dxf"_s, u"二层/动力.DXF"_s}));
    EXPECT_EQ(set.errors.size(), 1);
}

// Excel's "Unicode text" is UTF-16; a name holding the separator comes in quotes.
TEST(TakeoffReport, ScalesFileInUtf16WithQuotedNames) {
    QTemporaryDir dir;
    QFile file(dir.filePath(u"比例.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString text = QChar(0xFEFF) + u"图纸\t比例\r\n\"图,纸\"\t1:50\r\n一层\t1:200\r\n"_s;
    file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);  // little-endian
    file.close();
    std::vector<takeoff::DrawingEntry> entries{{u"a/图,纸.dxf"_s, u"图,纸.dxf"_s, u"1:100"_s},
                                               {u"a/一层.dxf"_s, u"一层.dxf"_s, u"1:100"_s},
                                               {u"a/二层.dxf"_s, u"二层.dxf"_s, u"1:100"_s}};
    QStringList notes;
    EXPECT_EQ(takeoff::applyScales(file.fileName(), entries, notes), QStringList());
    EXPECT_EQ(notes, QStringList());
    EXPECT_EQ(entries[0].scale, u"1:50"_s);
    EXPECT_EQ(entries[1].scale, u"1:200"_s);
    EXPECT_EQ(entries[2].scale, u"1:100"_s);
}

}  // namespace
