// ScriptedInteraction: picks from the queue.
#include "cad/memory/interaction.h"

namespace cad::memory {

std::optional<ScriptedInteraction::Pick> ScriptedInteraction::next() {
    if (m_picks.empty()) {
        return std::nullopt;
    }
    Pick p = std::move(m_picks.front());
    m_picks.pop_front();
    return p;
}

std::optional<Point> ScriptedInteraction::getPoint(const QString& prompt,
                                                   const std::optional<Point>& basePoint) {
    prompts.append(prompt);
    basePoints.push_back(basePoint);
    auto pick = next();
    if (pick && std::holds_alternative<Point>(*pick)) {
        return std::get<Point>(*pick);
    }
    return std::nullopt;
}

std::optional<QStringList> ScriptedInteraction::selectObjects(const QString& prompt) {
    prompts.append(prompt);
    auto pick = next();
    if (pick && std::holds_alternative<QStringList>(*pick)) {
        return std::get<QStringList>(*pick);
    }
    return std::nullopt;
}

}  // namespace cad::memory
