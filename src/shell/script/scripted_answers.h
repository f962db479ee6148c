// Answers from the script's queues: to the window's boxes and dialogs, and to the picks of a
// drawing the run serves.
#pragma once

#include "cad/memory/interaction.h"
#include "cad/remote/waiting_interaction.h"
#include "ui/recording_ui.h"

namespace shell::script {

// Answers boxes and dialogs from the script's queues and remembers what was last asked.
class ScriptUi : public ui::RecordingUi {
public:
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, ui::Icon icon,
                          ui::Answer defaultAnswer) override {
        lastAsked = text;
        return RecordingUi::messageBox(text, buttons, icon, defaultAnswer);
    }
    QString inputBox(const QString& prompt, const QString& defaultText) override {
        lastAsked = prompt;
        return RecordingUi::inputBox(prompt, defaultText);
    }

    QString lastAsked;
};

// Answers the picks of a drawing the runner serves from the script's queue at once, where
// sketchcad would wait for the user.
class QueuePicker : public cad::remote::Picker {
public:
    void startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) override {
        interaction->finishPoint(script->getPoint(prompt, basePoint));
    }
    void startSelection(const QString& prompt) override {
        interaction->finishSelection(script->selectObjects(prompt));
    }
    void abandon() override {}

    cad::remote::WaitingInteraction* interaction = nullptr;
    cad::memory::ScriptedInteraction* script = nullptr;
};

}  // namespace shell::script
