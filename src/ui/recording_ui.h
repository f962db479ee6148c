// RecordingUi: a Ui that records what an operation shows and answers from queues (tests, scripts).
#pragma once

#include <QStringList>
#include <deque>

#include "ui/ui.h"

namespace ui {

class RecordingUi : public Ui {
public:
    struct MessageBoxCall {
        QString text;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
    };

    void showHint(const QString& text) override { hints.append(text); }
    Answer messageBox(const QString& text, Buttons buttons, Icon icon,
                      Answer defaultAnswer) override;
    QString inputBox(const QString& prompt, const QString& defaultText) override;
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& filter) override;
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void setPointer(Pointer p) override { pointers.push_back(p); }
    void bringMainWindowToFront() override { ++broughtToFront; }
    void processEvents() override { ++eventsProcessed; }
    void beep() override { ++beeps; }
    void sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void endProgram() override { ended = true; }

    // The hint line as the user sees it now.
    QString lastHint() const { return hints.isEmpty() ? QString() : hints.last(); }

    // Every hint written, progress included.
    QStringList hints;

    // Queued answers; an empty queue answers a message box with its default, an input box with
    // its default text (as pressing Enter does) and a file dialog with cancel.
    std::deque<Answer> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;  // nullopt: the user cancels
    std::deque<std::optional<QString>> fileAnswers;

    std::vector<MessageBoxCall> messageBoxes;
    QStringList inputPrompts;
    QStringList fileFilters;
    QString clipboard;
    std::vector<Pointer> pointers;
    std::vector<int> sleeps;
    int broughtToFront = 0;
    int eventsProcessed = 0;
    int beeps = 0;
    bool ended = false;
};

}  // namespace ui
