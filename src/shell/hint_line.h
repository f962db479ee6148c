// HintLine: panel 1 of the status bar, where every outcome is reported.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

namespace shell {

// Keeps the last text written. A walk writes a progress hint per entity, far more often than
// anyone can read, so the label is repainted at once at most every 50 ms; a text written
// sooner is shown when control returns to the event loop or at flush(), so the final text of a
// handler is always the one on screen.
class HintLine : public QLabel {
public:
    explicit HintLine(QWidget* parent = nullptr);

    void write(const QString& text);
    // The hint line's text: the last one written, whether or not it has been painted yet.
    const QString& hint() const { return m_hint; }
    // Puts the last text on the label; called at the end of every handler.
    void flush();

private:
    void paintNow();

    static constexpr int kRepaintIntervalMs = 50;

    QString m_hint;
    QElapsedTimer m_sincePaint;
    QTimer m_pending;
};

}  // namespace shell
