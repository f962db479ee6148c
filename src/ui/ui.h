// Ui: everything an operation needs from the desktop, behind one interface.
#pragma once

#include <QString>
#include <optional>

namespace ui {

inline constexpr char16_t kAppTitle[] = u"电气绘图助手";

enum class Icon { Information, Question, Warning };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };
enum class Pointer { Default, Busy };

// Message boxes and input boxes carry the application's title as caption; implementations add
// it, callers never pass it.
class Ui {
public:
    virtual ~Ui() = default;

    // Replaces the text of the hint line.
    virtual void showHint(const QString& text) = 0;

    virtual Answer messageBox(const QString& text, Buttons buttons, Icon icon,
                              Answer defaultAnswer) = 0;
    // The answer typed; the empty text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& defaultText) = 0;
    // A file name chosen in the dialog; nullopt when the user cancels. `filter` is a Qt filter
    // list ("文本文件 (*.txt);;所有文件 (*)").
    virtual std::optional<QString> openFileName(const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;

    virtual void setPointer(Pointer pointer) = 0;
    virtual void bringMainWindowToFront() = 0;
    virtual void processEvents() = 0;
    virtual void beep() = 0;
    virtual void sleep(int milliseconds) = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
};

}  // namespace ui
