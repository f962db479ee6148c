// The Ui services of the window on the desktop, and the Ui that puts another's hints on the
// window's hint line.
#pragma once

#include <QWidget>

#include "shell/hint_line.h"
#include "ui/ui.h"

namespace shell {

// Dialogs are modal to the window and carry the application's title as caption.
class QtUi : public ui::Ui {
public:
    QtUi(QWidget& window, HintLine& hintLine);

    void showHint(const QString& text) override { m_hintLine.write(text); }
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, ui::Icon icon,
                          ui::Answer defaultAnswer) override;
    QString inputBox(const QString& prompt, const QString& defaultText) override;
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& filter) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void setPointer(ui::Pointer pointer) override;
    void bringMainWindowToFront() override;
    void processEvents() override;
    void beep() override;
    void sleep(int milliseconds) override;
    void endProgram() override;

private:
    QWidget& m_window;
    HintLine& m_hintLine;
    bool m_busyPointer = false;
};

// Used when the window is given its services (tests, the script runner): hints go to the hint
// line and to the services, everything else to the services alone.
class HintLineUi : public ui::Ui {
public:
    HintLineUi(HintLine& hintLine, ui::Ui& services) : m_hintLine(hintLine), m_services(services) {}

    void showHint(const QString& text) override {
        m_hintLine.write(text);
        m_services.showHint(text);
    }
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, ui::Icon icon,
                          ui::Answer defaultAnswer) override {
        return m_services.messageBox(text, buttons, icon, defaultAnswer);
    }
    QString inputBox(const QString& prompt, const QString& defaultText) override {
        return m_services.inputBox(prompt, defaultText);
    }
    std::optional<QString> openFileName(const QString& filter) override {
        return m_services.openFileName(filter);
    }
    std::optional<QString> saveFileName(const QString& filter) override {
        return m_services.saveFileName(filter);
    }
    QString clipboardText() override { return m_services.clipboardText(); }
    void setClipboardText(const QString& text) override { m_services.setClipboardText(text); }
    void setPointer(ui::Pointer pointer) override { m_services.setPointer(pointer); }
    void bringMainWindowToFront() override { m_services.bringMainWindowToFront(); }
    void processEvents() override { m_services.processEvents(); }
    void beep() override { m_services.beep(); }
    void sleep(int milliseconds) override { m_services.sleep(milliseconds); }
    void endProgram() override { m_services.endProgram(); }

private:
    HintLine& m_hintLine;
    ui::Ui& m_services;
};

}  // namespace shell
