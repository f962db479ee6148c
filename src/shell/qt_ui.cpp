// The desktop services of the window, by Qt.
#include "shell/qt_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace shell {

namespace {

QString title() {
    return QString::fromUtf16(ui::kAppTitle);
}

QMessageBox::StandardButton buttonOf(ui::Answer answer) {
    switch (answer) {
        case ui::Answer::Ok:
            return QMessageBox::Ok;
        case ui::Answer::Yes:
            return QMessageBox::Yes;
        case ui::Answer::No:
            return QMessageBox::No;
    }
    Q_UNREACHABLE();
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Information:
            return QMessageBox::Information;
        case ui::Icon::Question:
            return QMessageBox::Question;
        case ui::Icon::Warning:
            return QMessageBox::Warning;
    }
    Q_UNREACHABLE();
    return QMessageBox::Information;
}

std::optional<QString> chosen(const QString& fileName) {
    return fileName.isEmpty() ? std::nullopt : std::optional<QString>(fileName);
}

}  // namespace

QtUi::QtUi(QWidget& window, HintLine& hintLine) : m_window(window), m_hintLine(hintLine) {}

ui::Answer QtUi::messageBox(const QString& text, ui::Buttons buttons, ui::Icon icon,
                            ui::Answer defaultAnswer) {
    const QMessageBox::StandardButtons standard =
        buttons == ui::Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(iconOf(icon), title(), text, standard, &m_window);
    box.setDefaultButton(buttonOf(defaultAnswer));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return ui::Answer::Yes;
        case QMessageBox::No:
            return ui::Answer::No;
        default:
            return ui::Answer::Ok;
    }
}

QString QtUi::inputBox(const QString& prompt, const QString& defaultText) {
    QInputDialog dialog(&m_window);
    dialog.setWindowTitle(title());
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

std::optional<QString> QtUi::openFileName(const QString& filter) {
    return chosen(QFileDialog::getOpenFileName(&m_window, title(), QString(), filter));
}

std::optional<QString> QtUi::saveFileName(const QString& filter) {
    // Replacing a file is asked by the operation itself, in its own words.
    return chosen(QFileDialog::getSaveFileName(&m_window, title(), QString(), filter, nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

QString QtUi::clipboardText() {
    return QGuiApplication::clipboard()->text();
}

void QtUi::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtUi::setPointer(ui::Pointer pointer) {
    const bool busy = pointer == ui::Pointer::Busy;
    if (busy == m_busyPointer) {
        return;
    }
    m_busyPointer = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtUi::bringMainWindowToFront() {
    if (m_window.isMinimized()) {
        m_window.showNormal();
    }
    m_window.raise();
    m_window.activateWindow();
}

void QtUi::processEvents() {
    QCoreApplication::processEvents();
}

void QtUi::beep() {
    QApplication::beep();
}

void QtUi::sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtUi::endProgram() {
    // At once, also from inside a handler that is still running (the style consolidation's
    // stop click): leaving through the event loop would let that handler finish first. The CAD
    // holds nothing of ours that needs a goodbye; its references go with the process.
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace shell
