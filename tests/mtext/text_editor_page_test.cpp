// Frame 11 offscreen: captions, the clipboard buttons following the selection, files and import.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "mtext/text_editor_page.h"
#include "pagekit/page_host.h"
#include "support/qstring_printer.h"
#include "support/test_page_host.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;

using TestHost = support::TestPageHost;

class TextEditorPageTest : public ::testing::Test {
protected:
    TextEditorPageTest() { mtext::buildTextEditorPage(&frame, host); }

    template <typename W = QWidget>
    W* find(const QString& name) const {
        W* w = frame.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPlainTextEdit* editor() const { return find<QPlainTextEdit>(u"txtEdit"_s); }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    void click(const QString& name) const { find<QPushButton>(name)->click(); }

    QWidget frame;
    TestHost host;
    ui::RecordingUi& ui = host.recording;
};

TEST_F(TextEditorPageTest, ControlsCarryTheirCaptions) {
    const std::pair<const char16_t*, const char16_t*> captions[] = {
        {u"cmdFileItem(0)", u"新建"},           {u"cmdFileItem(1)", u"打开"},
        {u"cmdFileItem(2)", u"另存"},           {u"cmdEditItem(0)", u"剪切(&t)"},
        {u"cmdEditItem(1)", u"拷贝(&o)"},       {u"cmdEditItem(2)", u"粘贴(&P)"},
        {u"cmdTo", u"导向AutoCAD图中"},         {u"cmdFrom", u"由AutoCAD图中导来"},
        {u"cmdConvert", u"单行字转多行字(&T)"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(find<QPushButton>(QString::fromUtf16(name))->text(), QString::fromUtf16(caption));
    }
    EXPECT_EQ(find<QLabel>(u"labWidth"_s)->text(), u"多行文字宽度"_s);
    EXPECT_EQ(find<QLineEdit>(u"txtWidth"_s)->text(), u"170"_s);
    EXPECT_EQ(editor()->toPlainText(), QString());
}

TEST_F(TextEditorPageTest, CutAndCopyFollowTheSelectionFromMouseAndKeyboard) {
    const QString cut = u"cmdEditItem(0)"_s, copy = u"cmdEditItem(1)"_s;
    EXPECT_FALSE(enabled(cut));
    EXPECT_FALSE(enabled(copy));
    EXPECT_TRUE(enabled(u"cmdEditItem(2)"_s));

    editor()->setPlainText(u"abc"_s);
    QTest::keyClick(editor(), Qt::Key_Home);
    QTest::keyClick(editor(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(enabled(cut));
    EXPECT_TRUE(enabled(copy));
    QTest::keyClick(editor(), Qt::Key_Right);
    EXPECT_FALSE(enabled(cut));
    EXPECT_FALSE(enabled(copy));

    editor()->selectAll();
    QTest::mouseMove(editor()->viewport());
    EXPECT_TRUE(enabled(cut));
    QTest::mouseClick(editor()->viewport(), Qt::LeftButton);
    QTest::mouseMove(editor()->viewport(), {3, 3});
    EXPECT_FALSE(enabled(cut));
    EXPECT_TRUE(enabled(u"cmdEditItem(2)"_s));
}

TEST_F(TextEditorPageTest, CutCopyAndPasteGoThroughTheClipboardWithCrLfLines) {
    editor()->setPlainText(u"ab\r\ncd"_s);
    editor()->selectAll();
    click(u"cmdEditItem(1)"_s);
    EXPECT_EQ(ui.clipboard, u"ab\r\ncd"_s);
    EXPECT_EQ(editor()->toPlainText(), u"ab\ncd"_s);

    click(u"cmdEditItem(0)"_s);
    EXPECT_EQ(editor()->toPlainText(), QString());
    EXPECT_FALSE(enabled(u"cmdEditItem(0)"_s));

    ui.clipboard = u"x\r\ny"_s;
    click(u"cmdEditItem(2)"_s);
    click(u"cmdEditItem(2)"_s);
    EXPECT_EQ(editor()->toPlainText(), u"x\nyx\ny"_s);
}

TEST_F(TextEditorPageTest, SavingAnOpenedFileKeepsItsEncodingAndNewTextIsUtf8) {
    QTemporaryDir dir;
    const QByteArray gb18030 =
        QByteArrayLiteral("\xD6\xD0\xCE\xC4\r\n\xA0\xA0");  // 中文, CR LF, 牋
    QFile in(dir.filePath(u"in.txt"_s));
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write(gb18030);
    in.close();
    const auto saved = [&](const QString& name) {
        QFile out(dir.filePath(name));
        return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    };

    ui.fileAnswers = {in.fileName(), dir.filePath(u"out.txt"_s)};
    click(u"cmdFileItem(1)"_s);
    EXPECT_EQ(editor()->toPlainText(), u"中文\n牋"_s);
    click(u"cmdFileItem(2)"_s);
    EXPECT_EQ(saved(u"out.txt"_s), gb18030);

    click(u"cmdFileItem(0)"_s);
    EXPECT_EQ(editor()->toPlainText(), QString());
    editor()->setPlainText(u"中文\u00A0"_s);
    ui.fileAnswers = {dir.filePath(u"new.txt"_s)};
    click(u"cmdFileItem(2)"_s);
    EXPECT_EQ(saved(u"new.txt"_s), u"中文\u00A0"_s.toUtf8());
}

TEST_F(TextEditorPageTest, ImportAppendsTheDrawingsMultilineTextsToTheEditor) {
    auto app = cad::memory::Application::create();
    app->newDocument(u"Drawing1.dwg"_s);
    cad::registerRunningObject(kProgId, app);
    host.link.AttachCad();
    cad::Application(app).ActiveDocument().ModelSpace().AddMtext({}, 50, u"一\\P二"_s);

    editor()->setPlainText(u"旧"_s);
    click(u"cmdFrom"_s);
    EXPECT_EQ(editor()->toPlainText(), u"旧\n一\n二\n"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：导入图中 1处多行文字"_s);
    cad::revokeRunningObject(kProgId);
}

}  // namespace
