// The settings the COM locator reads: the file shipped beside the program, and a user's edits.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cad/com/locator.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using cad::com::readLocatorSettings;

TEST(LocatorSettings, TheShippedFileSaysWhatTheProgramAssumesWithoutIt) {
    QFile shipped(QStringLiteral(SHIPPED_SETTINGS));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    // As the zip holds it and as Notepad may save it: CRLF ends, perhaps a byte order mark.
    const QByteArray crlf = shipped.readAll().replace("\n", "\r\n");
    QTemporaryDir dir;
    for (const QByteArray& content : {crlf, "\xef\xbb\xbf" + crlf}) {
        QFile copy(dir.filePath(u"elecaide.ini"_s));
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
        copy.write(content);
        copy.close();
        const cad::com::LocatorSettings read = readLocatorSettings(copy.fileName());
        EXPECT_EQ(read.progIds, cad::com::defaultProgIds());
        EXPECT_EQ(read.retry.limitMs, 30000u);
    }
    const cad::com::LocatorSettings none = readLocatorSettings(dir.filePath(u"none.ini"_s));
    EXPECT_EQ(none.progIds, cad::com::defaultProgIds());
    EXPECT_EQ(none.retry.limitMs, 30000u);
}

TEST(LocatorSettings, AUsersEditsAreTakenAndNonsenseKeepsTheDefault) {
    struct Case {
        QByteArray ini;
        QStringList progIds;
        DWORD limitMs;
    };
    const Case cases[] = {
        {"[cad]\nProgIDs=ZWCAD.Application\nBusyWaitSeconds=5\n", {u"ZWCAD.Application"_s}, 5000},
        {"[cad]\nProgIDs = AutoCAD.Application.24.1 ,Sketchcad.Application\nBusyWaitSeconds=0.5\n",
         {u"AutoCAD.Application.24.1"_s, u"Sketchcad.Application"_s},
         500},
        {"[cad]\nProgIDs=\nBusyWaitSeconds=很久\n", cad::com::defaultProgIds(), 30000},
        {"[cad]\nBusyWaitSeconds=-3\n", cad::com::defaultProgIds(), 30000},
        {"[other]\nProgIDs=ZWCAD.Application\n", cad::com::defaultProgIds(), 30000},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        QFile file(dir.filePath(u"elecaide.ini"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.ini);
        file.close();
        const cad::com::LocatorSettings read = readLocatorSettings(file.fileName());
        EXPECT_EQ(read.progIds, c.progIds) << c.ini.toStdString();
        EXPECT_EQ(read.retry.limitMs, c.limitMs) << c.ini.toStdString();
    }
}

}  // namespace
