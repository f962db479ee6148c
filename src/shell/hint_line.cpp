// The hint line and its throttled repaint.
#include "shell/hint_line.h"

namespace shell {

HintLine::HintLine(QWidget* parent) : QLabel(parent) {
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &HintLine::flush);
}

void HintLine::write(const QString& text) {
    m_hint = text;
    if (!m_sincePaint.isValid() || m_sincePaint.elapsed() >= kRepaintIntervalMs) {
        paintNow();
    } else if (!m_pending.isActive()) {
        m_pending.start();
    }
}

void HintLine::flush() {
    m_pending.stop();
    if (text() != m_hint) {
        setText(m_hint);
    }
}

void HintLine::paintNow() {
    m_pending.stop();
    setText(m_hint);
    // A walk does not return to the event loop until it ends, so the label is painted here.
    repaint();
    m_sincePaint.start();
}

}  // namespace shell
