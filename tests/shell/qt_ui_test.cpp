// The window's own desktop services: boxes carry the title, the hint reaches the hint line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "shell/hint_line.h"
#include "shell/main_window.h"
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

TEST_F(QtUiTest, HintsGoToTheHintLine) {
    window.ui().showHint(u"提示：修改数值2个"_s);
    window.hintLine().flush();
    EXPECT_EQ(window.hintLine().text(), u"提示：修改数值2个"_s);
}

}  // namespace
