// The script runner: argument syntax, output and exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cad/running.h"
#include "shell/script/script_arguments.h"
#include "shell/script/script_runner.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using shell::script::Argument;

TEST(ScriptArgumentsTest, BlanksSeparateAndQuotesHoldBlanksAndEscapes) {
    struct Case {
        QString line;
        std::vector<Argument> arguments;
    };
    const Case cases[] = {
        {u"tab 3"_s, {{u"tab"_s}, {u"3"_s}}},
        {u"  set  txtValueAdd   \"6 6\" "_s, {{u"set"_s}, {u"txtValueAdd"_s}, {u"6 6"_s, true}}},
        {u"input \"say \\\"hi\\\" \\\\ \\n\""_s, {{u"input"_s}, {u"say \"hi\" \\ \\n"_s, true}}},
        {u"input \"\""_s, {{u"input"_s}, {QString(), true}}},
        {u"expect hint \"提示：  0(BYBLOCK)\""_s,
         {{u"expect"_s}, {u"hint"_s}, {u"提示：  0(BYBLOCK)"_s, true}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shell::script::splitArguments(c.line), c.arguments) << c.line.toStdString();
    }
    EXPECT_EQ(shell::script::splitArguments(u"input \"open"_s), std::nullopt);
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    ~ScriptRunnerTest() override { cad::revokeRunningObject(u"AutoCAD.Application"_s); }

    int run(const QString& script, bool trace = false) {
        const QString path = dir.filePath(u"test.script"_s);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        return runFile(path, {.trace = trace});
    }
    int runFile(const QString& path, const shell::script::ScriptOptions& options) {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return shell::script::runScript(path, options, o, e);
    }

    QTemporaryDir dir;
    QString out, err;
};

TEST_F(ScriptRunnerTest, PrintsTheHintLineAfterEveryCommandAndTheTraceOnRequest) {
    EXPECT_EQ(run(u"# a comment\n\ncad new\nstart\ntab 2\n"_s, true), 0);
    EXPECT_EQ(out,
              u"hint: \n"
              "trace: 提示：数值大小加增\n"
              "hint: 提示：数值大小加增\n"
              "trace: 提示：数值大小倍增\n"
              "hint: 提示：数值大小倍增\n"_s);
}

TEST_F(ScriptRunnerTest, ExitStatusSaysWhatHappened) {
    struct Case {
        const char* name;
        QString script;
        int status;
        QString inOutput;
    };
    const Case cases[] = {
        {"every expectation held",
         u"cad new\ncad add text \"12\" 0 0 2.5 layer 电气 as t\nexpect entity $t Height \"2.50\"\n"
         "expect entity $t Layer \"电气\"\nexpect count AcDbText 1\n"_s,
         0, u"handle: "_s},
        {"a failed expectation goes on to the end",
         u"start\nexpect hint \"提示：别的\"\ntab 12\nexpect hint \"提示：实用功能集粹\"\n"_s, 1,
         u"FAIL line 2: expected hint \"提示：别的\", got \"提示：服务器AutoCAD没有打开\"\n"_s},
        {"an unknown command", u"start\nfrobnicate\n"_s, 2, u"error line 2"_s},
        {"an unknown control", u"\nclick cmdNothing\n"_s, 2, u"error line 2"_s},
        {"an entry the box does not hold", u"start\nchoose comValueColor \"999(无此色)\"\n"_s, 2,
         u"error line 2: comValueColor has no entry \"999(无此色)\""_s},
        {"an unclosed quote", u"input \"abc\n"_s, 2, u"error line 1"_s},
        {"an unknown name", u"cad new\nexpect entity $nobody Height \"1\"\n"_s, 2,
         u"error line 2"_s},
        {"a drawing file that cannot be read", u"cad open missing.dxf\n"_s, 2,
         u"cannot open the file"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.script), c.status) << c.name;
        EXPECT_TRUE((out + err).contains(c.inOutput)) << c.name << "\n"
                                                      << (out + err).toStdString();
        cad::revokeRunningObject(u"AutoCAD.Application"_s);
    }
}

TEST_F(ScriptRunnerTest, AnUnreadableScriptIsAnError) {
    QTextStream o(&out), e(&err);
    EXPECT_EQ(shell::script::runScript(dir.filePath(u"missing.script"_s), {}, o, e), 2);
    EXPECT_TRUE(err.contains(u"missing.script"_s));
}

TEST_F(ScriptRunnerTest, AnswersReachTheWindowInOrder) {
    EXPECT_EQ(run(u"start\ninput \"b\"\nclick optValueAB\nexpect asked \"以 A 打头?  以 B 打头?  "
                  u"以 X 打头?  还是以 Y 打头?\"\n"
                  "expect visible fraContainer(1)\nexpect hidden fraContainer(2)\n"
                  "input cancel\nclick optValueAB\nexpect hint \"提示：坐标值前缀选择无效\"\n"
                  "click CmdExit(5)\nexpect ended\n"_s),
              0)
        << out.toStdString();
}

TEST_F(ScriptRunnerTest, AttachLooksForAServedDrawingAndFindsNoneInAnEmptyRuntimeDirectory) {
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(run(u"cad new\ncad attach\nstart\nexpect hint \"提示：服务器AutoCAD没有打开\"\n"
                  u"tick\nexpect hint \"提示：服务器AutoCAD没有打开\"\n"_s),
              0)
        << out.toStdString() << err.toStdString();
    // The embedded drawing is gone with the attach: commands that need it say so.
    EXPECT_EQ(run(u"cad attach\npick point 0 0\n"_s), 2);
    EXPECT_TRUE(err.contains(u"served by another program"_s)) << err.toStdString();
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST_F(ScriptRunnerTest, QuitThroughTheInterfaceEndsTheApplicationTheWindowIsAttachedTo) {
    EXPECT_EQ(run(u"cad new\nstart\ncad quit\n"
                  u"tick\nexpect hint \"提示：服务器AutoCAD已经退出\"\n"_s),
              0)
        << out.toStdString() << err.toStdString();
}

TEST_F(ScriptRunnerTest, SaveAsThroughTheInterfaceWritesTheActiveDrawingWhereTheScriptSays) {
    const QString saved = dir.filePath(u"changed.dxf"_s);
    EXPECT_EQ(run(u"cad new\ncad add text \"3600\" 0 0 350 as t\nstart\nset txtValueAdd \"100\"\n"
                  u"click cmdValueAll\ncad saveas \"%1\"\ncad open \"%1\"\n"
                  u"expect entity $t TextString \"3700\"\n"_s.arg(saved)),
              0)
        << out.toStdString() << err.toStdString();
    // A folder that is not there: the CAD call fails and the script stops at it.
    EXPECT_EQ(run(u"cad new\ncad saveas \"%1\"\n"_s.arg(dir.filePath(u"missing/y.dxf"_s))), 2);
    EXPECT_TRUE(err.contains(u"error line 2: CAD call failed"_s)) << err.toStdString();
}

// Every script of the project, run on the embedded drawing and on the same drawing served through
// the socket and, on Windows, through COM: every hint written on the way, every handle and every
// expectation come out the same, so the pages cannot tell a served drawing from an embedded one.
// A script with a check beside it needs the drawings its check makes; the check runs it both ways.
TEST_F(ScriptRunnerTest, AServedDrawingGivesTheSameRunAsTheEmbeddedOne) {
    using shell::script::Served;
    const QDir scripts(QStringLiteral(SCRIPTS_DIR));
    const QStringList names = scripts.entryList({u"*.script"_s}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 10);
    const QString started = QDir::currentPath();
    QDir::setCurrent(dir.path());  // for the files the scripts write
#ifdef _WIN32
    const Served ways[] = {Served::OnSocket, Served::OverCom};
#else
    const Served ways[] = {Served::OnSocket};
#endif
    for (const QString& name : names) {
        const QString path = scripts.filePath(name);
        if (QFile::exists(path.chopped(6) + u"py"_s))
            continue;
        const int embeddedStatus = runFile(path, {.trace = true});
        const QString embedded = out + err;
        EXPECT_EQ(embeddedStatus, 0) << name.toStdString();
        for (Served way : ways) {
            const int servedStatus = runFile(path, {.trace = true, .served = way});
            EXPECT_EQ(servedStatus, 0) << name.toStdString() << " served " << int(way);
            EXPECT_EQ(out + err, embedded) << name.toStdString() << " served " << int(way);
        }
        cad::revokeRunningObject(u"AutoCAD.Application"_s);
    }
    QDir::setCurrent(started);
}

TEST_F(ScriptRunnerTest, AServedRunRefusesToAttachToAnotherProgram) {
    const QString path = dir.filePath(u"attach.script"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("cad new\ncad attach\n");
    file.close();
    EXPECT_EQ(runFile(path, {.served = shell::script::Served::OnSocket}), 2);
    EXPECT_TRUE(err.contains(u"error line 2"_s)) << err.toStdString();
}

}  // namespace
