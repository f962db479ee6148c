// RecordingUi: answers from the queues.
#include "ui/recording_ui.h"

namespace ui {

Answer RecordingUi::messageBox(const QString& text, Buttons buttons, Icon icon,
                               Answer defaultAnswer) {
    messageBoxes.push_back({text, buttons, icon, defaultAnswer});
    if (messageAnswers.empty()) {
        return defaultAnswer;
    }
    Answer a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
}

QString RecordingUi::inputBox(const QString& prompt, const QString& defaultText) {
    inputPrompts.append(prompt);
    if (inputAnswers.empty()) {
        return defaultText;
    }
    const QString answer = inputAnswers.front() ? *inputAnswers.front() : QString();
    inputAnswers.pop_front();
    return answer;
}

std::optional<QString> RecordingUi::openFileName(const QString& filter) {
    fileFilters.append(filter);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    const bool chosen = fileAnswers.front().has_value();
    const QString name = chosen ? *fileAnswers.front() : QString();
    fileAnswers.pop_front();
    if (!chosen) {
        return std::nullopt;
    }
    return name;
}

std::optional<QString> RecordingUi::saveFileName(const QString& filter) {
    return openFileName(filter);
}

}  // namespace ui
