// WaitingInteraction: a pick as a nested event loop that the picker's answer ends.
#include "cad/remote/waiting_interaction.h"

namespace cad::remote {

std::optional<Point> WaitingInteraction::getPoint(const QString& prompt,
                                                  const std::optional<Point>& basePoint) {
    if (refuses()) {
        return std::nullopt;
    }
    Pending pending{m_requester, {}, nullptr};
    m_open = &pending;
    m_picker.startPoint(prompt, basePoint);
    const Answer answer = wait(pending);
    const auto* point = std::get_if<std::optional<Point>>(&answer);
    return point ? *point : std::nullopt;
}

std::optional<QStringList> WaitingInteraction::selectObjects(const QString& prompt) {
    if (refuses()) {
        return std::nullopt;
    }
    Pending pending{m_requester, {}, nullptr};
    m_open = &pending;
    m_picker.startSelection(prompt);
    const Answer answer = wait(pending);
    const auto* handles = std::get_if<std::optional<QStringList>>(&answer);
    return handles ? *handles : std::nullopt;
}

WaitingInteraction::Answer WaitingInteraction::wait(Pending& pending) {
    // A picker may answer inside start*() already (a scripted one does).
    if (!pending.answer) {
        ++m_unwinding;
        QEventLoop loop;
        pending.loop = &loop;
        loop.exec();
        pending.loop = nullptr;
        --m_unwinding;
    }
    if (m_open == &pending) {
        // The loop was ended from outside (the program or its thread is ending): a cancel.
        m_open = nullptr;
        m_picker.abandon();
    }
    return pending.answer.value_or(Answer(std::optional<Point>()));
}

void WaitingInteraction::finish(Answer answer) {
    Pending* pending = m_open;
    if (pending == nullptr) {
        return;
    }
    m_open = nullptr;
    pending->answer = std::move(answer);
    if (pending->loop) {
        pending->loop->quit();
    }
}

void WaitingInteraction::finishPoint(const std::optional<Point>& point) {
    finish(point);
}

void WaitingInteraction::finishSelection(const std::optional<QStringList>& handles) {
    finish(handles);
}

void WaitingInteraction::abandon() {
    if (m_open == nullptr) {
        return;
    }
    m_picker.abandon();
    finish(std::optional<Point>());
}

void WaitingInteraction::abandonFor(const void* requester) {
    if (m_open != nullptr && m_open->requester == requester) {
        abandon();
    }
}

void WaitingInteraction::close() {
    m_closed = true;
    abandon();
}

}  // namespace cad::remote
