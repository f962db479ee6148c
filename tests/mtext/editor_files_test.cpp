// Opening and saving the editor's text files: the size limit, line ends, encodings, overwriting.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "mtext/editor_files.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;
using mtext::EditorText;
using mtext::TextEncoding;

const QString kFilter = u"All Files (*.*);;Text Files (*.txt);;Batch Files (*.bat)"_s;

// "中文行" CR LF "第二行" in GB18030 and in UTF-8.
const QByteArray kGb18030Bytes =
    QByteArrayLiteral("\xD6\xD0\xCE\xC4\xD0\xD0\r\n\xB5\xDA\xB6\xFE\xD0\xD0");
const QString kChineseText = u"中文行\r\n第二行"_s;

class EditorFilesTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // The name, for open() to choose.
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return name;
    }

    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::optional<EditorText> open(const QString& name) {
        ui.fileAnswers.push_back(path(name));
        return mtext::openTextFile(ui);
    }

    void saveAs(const QString& name, const EditorText& editor) {
        ui.fileAnswers.push_back(path(name));
        mtext::saveTextFileAs(ui, editor);
    }

    QTemporaryDir dir;
    ui::RecordingUi ui;
};

TEST_F(EditorFilesTest, OpensUpToTheSizeLimitAndRefusesOneByteMore) {
    const std::optional<EditorText> atLimit = open(write(u"6400.txt"_s, QByteArray(6400, 'a')));
    ASSERT_TRUE(atLimit);
    EXPECT_EQ(atLimit->text, QString(6400, u'a'));
    EXPECT_TRUE(ui.hints.isEmpty());

    EXPECT_FALSE(open(write(u"6401.txt"_s, QByteArray(6401, 'a'))));
    EXPECT_EQ(ui.hints, QStringList{u"提示：文件不宜过大"_s});
    EXPECT_EQ(ui.fileFilters, (QStringList{kFilter, kFilter}));
    const std::vector<ui::Pointer> busyThenDefault = {ui::Pointer::Busy, ui::Pointer::Default};
    EXPECT_EQ(ui.pointers.size(), 4u);
    EXPECT_TRUE(std::equal(busyThenDefault.begin(), busyThenDefault.end(), ui.pointers.end() - 2));
}

TEST_F(EditorFilesTest, EveryLineFeedBecomesCrLfAndCarriageReturnsVanish) {
    struct Case {
        QByteArray file;
        QString editor;
    };
    const Case cases[] = {
        {"one\ntwo\n", u"one\r\ntwo\r\n"_s},
        {"one\r\ntwo", u"one\r\ntwo"_s},
        {"a\rb\r\r\nc", u"ab\r\nc"_s},
        {"\n\n", u"\r\n\r\n"_s},
        {"", QString()},
    };
    for (const Case& c : cases) {
        const std::optional<EditorText> opened = open(write(u"lines.txt"_s, c.file));
        ASSERT_TRUE(opened) << c.file.toStdString();
        EXPECT_EQ(opened->text, c.editor) << c.file.toStdString();
    }
}

TEST_F(EditorFilesTest, ABareLfFileIsSavedWithCrLfLineEnds) {
    const std::optional<EditorText> opened = open(write(u"unix.txt"_s, "first\nsecond\n"));
    ASSERT_TRUE(opened);
    saveAs(u"saved.txt"_s, *opened);
    EXPECT_EQ(read(u"saved.txt"_s), QByteArray("first\r\nsecond\r\n"));
}

TEST_F(EditorFilesTest, ChineseFilesOpenInTheirEncodingAndSaveBackByteIdentical) {
    struct Case {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"GB18030", kGb18030Bytes, TextEncoding::Gb18030},
        {"UTF-8", kChineseText.toUtf8(), TextEncoding::Utf8},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + kChineseText.toUtf8(),
         TextEncoding::Utf8WithBom},
    };
    for (const Case& c : cases) {
        const QString in = QString::fromLatin1(c.name) + u".in"_s;
        const QString out = QString::fromLatin1(c.name) + u".out"_s;
        const std::optional<EditorText> opened = open(write(in, c.bytes));
        ASSERT_TRUE(opened) << c.name;
        EXPECT_EQ(opened->text, kChineseText) << c.name;
        EXPECT_EQ(opened->encoding, c.encoding) << c.name;
        saveAs(out, *opened);
        EXPECT_EQ(read(out), c.bytes) << c.name;
    }
}

TEST_F(EditorFilesTest, NewTextIsSavedAsUtf8WithoutALineBreakAdded) {
    saveAs(u"new.txt"_s, EditorText{kChineseText});
    EXPECT_EQ(read(u"new.txt"_s), kChineseText.toUtf8());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(EditorFilesTest, ReplacingAFileIsAskedWithNoAsTheDefault) {
    struct Case {
        const char* name;
        std::optional<ui::Answer> answer;  // nullopt: the user presses Enter
        QByteArray after;
    };
    const Case cases[] = {
        {"no", ui::Answer::No, "old"},
        {"enter", std::nullopt, "old"},
        {"yes", ui::Answer::Yes, "new"},
    };
    for (const Case& c : cases) {
        write(u"old.txt"_s, "old");
        ui.messageBoxes.clear();
        if (c.answer) {
            ui.messageAnswers.push_back(*c.answer);
        }
        saveAs(u"old.txt"_s, EditorText{u"new"_s});
        EXPECT_EQ(read(u"old.txt"_s), c.after) << c.name;
        ASSERT_EQ(ui.messageBoxes.size(), 1u) << c.name;
        const ui::RecordingUi::MessageBoxCall& box = ui.messageBoxes.front();
        EXPECT_EQ(box.text, path(u"old.txt"_s) + u"文件已经存在，要替换它吗?"_s);
        EXPECT_EQ(box.buttons, ui::Buttons::YesNo);
        EXPECT_EQ(box.icon, ui::Icon::Question);
        EXPECT_EQ(box.defaultAnswer, ui::Answer::No);
    }
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(EditorFilesTest, AFailedWriteSaysSo) {
    saveAs(u"no such folder/out.txt"_s, EditorText{u"text"_s});
    EXPECT_EQ(ui.lastHint(), u"提示：关闭文件时出错, 重试"_s);
    EXPECT_FALSE(QFile::exists(path(u"no such folder/out.txt"_s)));
}

TEST_F(EditorFilesTest, CancelledDialogsAndAnEmptyNameDoNothing) {
    ui.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(mtext::openTextFile(ui));
    ui.fileAnswers.push_back(std::nullopt);
    mtext::saveTextFileAs(ui, EditorText{u"text"_s});
    ui.fileAnswers.push_back(QString());
    mtext::saveTextFileAs(ui, EditorText{u"text"_s});
    EXPECT_TRUE(ui.hints.isEmpty());
    EXPECT_TRUE(ui.pointers.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(EditorFilesTest, AFileThatCannotBeReadLeavesTheEditorAlone) {
    EXPECT_FALSE(open(u"missing.txt"_s));
    EXPECT_TRUE(ui.hints.isEmpty());
    ASSERT_FALSE(ui.pointers.empty());
    EXPECT_EQ(ui.pointers.back(), ui::Pointer::Default);
}

}  // namespace
