// Interaction: where the embedded drawing's picks come from (a script in tests, the window in
// the stand-in CAD).
#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <variant>

#include "cad/value.h"

namespace cad::memory {

class Interaction {
public:
    virtual ~Interaction() = default;

    // The picked point; nullopt when the user cancels.
    virtual std::optional<Point> getPoint(const QString& prompt,
                                          const std::optional<Point>& basePoint) = 0;
    // Handles of the picked entities; nullopt when the user cancels.
    virtual std::optional<QStringList> selectObjects(const QString& prompt) = 0;
};

// Answers picks from a queue and records every prompt. A request whose queued answer is of the
// other kind, or that finds the queue empty, is answered as a cancel.
class ScriptedInteraction : public Interaction {
public:
    struct Cancel {};
    using Pick = std::variant<Point, QStringList, Cancel>;

    void queuePoint(const Point& p) { m_picks.push_back(p); }
    void queueObjects(const QStringList& handles) { m_picks.push_back(handles); }
    void queueCancel() { m_picks.push_back(Cancel{}); }
    bool exhausted() const { return m_picks.empty(); }

    std::optional<Point> getPoint(const QString& prompt,
                                  const std::optional<Point>& basePoint) override;
    std::optional<QStringList> selectObjects(const QString& prompt) override;

    QStringList prompts;
    std::vector<std::optional<Point>> basePoints;  // one per point request

private:
    std::optional<Pick> next();

    std::deque<Pick> m_picks;
};

}  // namespace cad::memory
