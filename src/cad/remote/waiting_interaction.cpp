// WaitingInteraction: a pick as a nested event loop that the picker's answer ends.
#include "cad/remote/waiting_interaction.h"

namespace cad::remote {

std::optional<Point> WaitingInteraction::getPoint(const QString& prompt,
                                                  const std::optional<Point>& basePoint) {
    if (m_open) {
        return std::nullopt;
    }
    m_open = true;
    m_picker.startPoint(prompt, basePoint);
    Answer answer = wait();
    auto* point = std::get_if<std::optional<Point>>(&answer);
    return point ? *point : std::nullopt;
}

std::optional<QStringList> WaitingInteraction::selectObjects(const QString& prompt) {
    if (m_open) {
        return std::nullopt;
    }
    m_open = true;
    m_picker.startSelection(prompt);
    Answer answer = wait();
    auto* handles = std::get_if<std::optional<QStringList>>(&answer);
    return handles ? *handles : std::nullopt;
}

WaitingInteraction::Answer WaitingInteraction::wait() {
    // A picker may answer inside start*() already (a scripted one does).
    if (m_open) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    return m_answer;
}

void WaitingInteraction::finish(Answer answer) {
    if (!m_open) {
        return;
    }
    m_open = false;
    m_answer = std::move(answer);
    if (m_loop) {
        m_loop->quit();
    }
}

void WaitingInteraction::finishPoint(const std::optional<Point>& point) {
    finish(point);
}

void WaitingInteraction::finishSelection(const std::optional<QStringList>& handles) {
    finish(handles);
}

void WaitingInteraction::abandon() {
    if (!m_open) {
        return;
    }
    m_picker.abandon();
    finish(std::optional<Point>());
}

}  // namespace cad::remote
