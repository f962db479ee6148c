// The window's controls as the script works them: clicks, text set, entries chosen, and what a
// control shows.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "shell/script/runner.h"

namespace shell::script {

using namespace Qt::StringLiterals;

void Runner::click(QWidget* w, bool twice) {
    if (auto* button = qobject_cast<QAbstractButton*>(w); button != nullptr && !twice) {
        button->click();
        return;
    }
    QWidget* target = w;
    QPoint at = w->rect().center();
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        target = view->viewport();
        const QRect item = view->visualRect(view->currentIndex());
        at = item.isValid() ? item.center() : target->rect().center();
    }
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    if (twice) {
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
    }
}

void Runner::setText(const QString& name, const QString& text) {
    QWidget* w = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(w); box != nullptr && box->isEditable()) {
        box->setEditText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        rich->setPlainText(text);
    } else {
        throw ScriptError{name + u" has no text to set"_s};
    }
}

void Runner::choose(const QString& name, const QString& text) {
    QWidget* w = control(name);
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        const int i = box->findText(text);
        if (i < 0) {
            throw ScriptError{name + u" has no entry "_s + quoted(text) + u"; it holds "_s +
                              quoted(controlItems(name))};
        }
        box->setCurrentIndex(i);
        Q_EMIT box->activated(i);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        if (items.isEmpty()) {
            throw ScriptError{name + u" has no entry "_s + quoted(text) + u"; it holds "_s +
                              quoted(controlItems(name))};
        }
        list->setCurrentItem(items.first());
        Q_EMIT list->itemClicked(items.first());
    } else {
        throw ScriptError{name + u" has no entries to choose from"_s};
    }
}

QString Runner::controlText(const QString& name) {
    QWidget* w = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        return box->currentText();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        return plain->toPlainText();
    }
    if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        return rich->toPlainText();
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        return group->title();
    }
    if (w->isWindow()) {
        return w->windowTitle();
    }
    throw ScriptError{name + u" shows no text"_s};
}

QString Runner::controlItems(const QString& name) {
    QWidget* w = control(name);
    QStringList items;
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < box->count(); ++i) {
            items.append(box->itemText(i));
        }
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i) {
            items.append(list->item(i)->text());
        }
    } else {
        throw ScriptError{name + u" has no entries"_s};
    }
    return items.join(u'|');
}

}  // namespace shell::script
