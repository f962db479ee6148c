// The window's own desktop services: boxes carry the title, the hint reaches the hint line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "shell/hint_line.h"
#include "shell/main_window.h"
#include "shell/tab_strip.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;

// Acts on the modal dialog as soon as it is shown.
void whenModalShows(const std::function<void(QWidget*)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start(10);
}

class QtUiTest : public ::testing::Test {
protected:
    shell::MainWindow window;  // its own Qt services
};

TEST_F(QtUiTest, InputBoxCarriesTheTitleAndAnswersWhatWasTyped) {
    QString title, label, preset;
    whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        label = dialog->labelText();
        preset = dialog->textValue();
        dialog->setTextValue(u"x"_s);
        dialog->accept();
    });
    EXPECT_EQ(window.ui().inputBox(u"以 A 打头?"_s, u"A or B or X or Y"_s), u"x"_s);
    EXPECT_EQ(title, u"电气绘图助手"_s);
    EXPECT_EQ(label, u"以 A 打头?"_s);
    EXPECT_EQ(preset, u"A or B or X or Y"_s);
}

TEST_F(QtUiTest, CancellingTheInputBoxAnswersNothing) {
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(window.ui().inputBox(u"?"_s, u"A"_s), QString());
}

TEST_F(QtUiTest, QuestionBoxAnswersTheButtonPressed) {
    QString title;
    whenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(window.ui().messageBox(u"替换文件?"_s, ui::Buttons::YesNo, ui::Icon::Question,
                                     ui::Answer::No),
              ui::Answer::Yes);
    EXPECT_EQ(title, u"电气绘图助手"_s);
}

// Folders and files named in Chinese, as drafters name them, through the file dialogs of the
// text editor's 打开 and 另存: the file read, the copy written where the dialog said.
TEST_F(QtUiTest, FileDialogsOpenAndSaveInFoldersNamedInChinese) {
    QTemporaryDir tmp;
    const QString drawings = tmp.path() + u"/工程图纸/一层 照明"_s;
    const QString copies = tmp.path() + u"/另存 文件夹"_s;
    ASSERT_TRUE(QDir().mkpath(drawings) && QDir().mkpath(copies));
    const QByteArray gb18030 = "\xd2\xbb\xb2\xe3\xd5\xd5\xc3\xf7\r\n";  // 一层照明
    QFile original(drawings + u"/说明.txt"_s);
    ASSERT_TRUE(original.open(QIODevice::WriteOnly) && original.write(gb18030) == gb18030.size());
    original.close();
    auto chooseIn = [](const QString& folder, const QString& name) {
        whenModalShows([folder, name](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(folder);
            dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(name);  // typed in
            static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
        });
    };
    window.findChild<shell::TabStrip*>(u"tabContainer"_s)->clickTab(10);

    chooseIn(drawings, u"说明.txt"_s);
    window.findChild<QPushButton*>(u"cmdFileItem(1)"_s)->click();
    EXPECT_EQ(window.findChild<QPlainTextEdit*>(u"txtEdit"_s)->toPlainText(), u"一层照明\n"_s);

    chooseIn(copies, u"副本.txt"_s);
    window.findChild<QPushButton*>(u"cmdFileItem(2)"_s)->click();
    QFile copy(copies + u"/副本.txt"_s);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), gb18030);
}

TEST_F(QtUiTest, HintsGoToTheHintLine) {
    window.ui().showHint(u"提示：修改数值2个"_s);
    window.hintLine().flush();
    EXPECT_EQ(window.hintLine().text(), u"提示：修改数值2个"_s);
}

}  // namespace
