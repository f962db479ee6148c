// The server's picks: started in the drawing window, answered when the user has finished there.
#pragma once

#include <QEventLoop>
#include <variant>

#include "cad/memory/interaction.h"

namespace cad::remote {

// The drawing window's side of a pick (a test's in the tests). start*() shows the request and
// returns at once; the answer comes later through WaitingInteraction::finish*().
class Picker {
public:
    virtual ~Picker() = default;
    virtual void startPoint(const QString& prompt, const std::optional<Point>& basePoint) = 0;
    virtual void startSelection(const QString& prompt) = 0;
    // The request went away (its client vanished): stop picking; no answer is expected.
    virtual void abandon() = 0;
};

// Serves the embedded drawing's synchronous pick requests without blocking the server's thread:
// it starts the pick and runs a nested event loop until the answer comes, so the window keeps
// painting, panning and zooming and the server keeps serving other clients meanwhile. One pick
// at a time: a request while another waits is answered as a cancel.
class WaitingInteraction : public memory::Interaction {
public:
    explicit WaitingInteraction(Picker& picker) : m_picker(picker) {}

    std::optional<Point> getPoint(const QString& prompt,
                                  const std::optional<Point>& basePoint) override;
    std::optional<QStringList> selectObjects(const QString& prompt) override;

    bool isWaiting() const { return m_open; }
    // The user's answer; nullopt for a cancel. Ignored when no request is open; an answer of the
    // other kind ends the request as a cancel.
    void finishPoint(const std::optional<Point>& point);
    void finishSelection(const std::optional<QStringList>& handles);
    // Ends the waiting request as a cancel and tells the picker to stop.
    void abandon();

private:
    using Answer = std::variant<std::optional<Point>, std::optional<QStringList>>;

    void finish(Answer answer);
    Answer wait();

    Picker& m_picker;
    bool m_open = false;  // a request was started and not yet answered
    QEventLoop* m_loop = nullptr;
    Answer m_answer;
};

}  // namespace cad::remote
