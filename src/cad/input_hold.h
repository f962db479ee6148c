// Holds the user's input to this program back while it waits for a pick in another one.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace cad {

// While one lives, keyboard, mouse, wheel and touch events of the program's thread are not
// delivered: the window system keeps its own queued (QEventLoop::ExcludeUserInputEvents), and
// any that come posted are kept here and posted again, in order, when it goes. Everything else
// (paint, timers, sockets) goes on, so the window stays painted.
class InputHold : public QObject {
public:
    InputHold();
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    static bool isUserInput(QEvent::Type type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Held> m_held;
};

}  // namespace cad
