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
// at a time: a request while another is open, or while an answered one has not yet returned
// from its loop, is answered as a cancel. Each request keeps its own answer.
class WaitingInteraction : public memory::Interaction {
public:
    explicit WaitingInteraction(Picker& picker) : m_picker(picker) {}

    std::optional<Point> getPoint(const QString& prompt,
                                  const std::optional<Point>& basePoint) override;
    std::optional<QStringList> selectObjects(const QString& prompt) override;

    bool isWaiting() const { return m_open != nullptr; }
    // Who asks for the picks started from now on (a client session; null for nobody in
    // particular), so that a client going away ends its own pick and no other.
    const void* requester() const { return m_requester; }
    void setRequester(const void* requester) { m_requester = requester; }

    // The user's answer; nullopt for a cancel. Ignored when no request is open; an answer of the
    // other kind ends the request as a cancel.
    void finishPoint(const std::optional<Point>& point);
    void finishSelection(const std::optional<QStringList>& handles);
    // Ends the waiting request as a cancel and tells the picker to stop.
    void abandon();
    // Likewise, only when the waiting request was started for that requester.
    void abandonFor(const void* requester);
    // The program is ending: the waiting request ends as a cancel and every later one at once.
    void close();

private:
    using Answer = std::variant<std::optional<Point>, std::optional<QStringList>>;
    struct Pending {
        const void* requester = nullptr;
        std::optional<Answer> answer;
        QEventLoop* loop = nullptr;
    };

    bool refuses() const { return m_closed || m_open != nullptr || m_unwinding > 0; }
    Answer wait(Pending& pending);
    void finish(Answer answer);

    Picker& m_picker;
    Pending* m_open = nullptr;  // the request started and not yet answered
    int m_unwinding = 0;        // requests answered whose loops have not yet returned
    const void* m_requester = nullptr;
    bool m_closed = false;
};

}  // namespace cad::remote
