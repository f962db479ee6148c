// The `expect …` commands: what the window shows, what the drawing holds, what was asked; each
// that does not hold is reported and fails the run.
#include <algorithm>

#include "core/number_syntax.h"
#include "core/number_text.h"
#include "shell/hint_line.h"
#include "shell/script/runner.h"

namespace shell::script {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

namespace {

// Numbers in expectations compare in number text, so "2.50" expects 2.5.
QString normalNumber(const QString& s) {
    const std::optional<double> v = core::decimalValue(s);
    return v ? core::numberText(*v) : s;
}

QString pointText(const cad::Point& p) {
    return core::numberText(p.x) + u',' + core::numberText(p.y) + u',' + core::numberText(p.z);
}

QString normalPoint(const QString& s) {
    QStringList parts = s.split(u',');
    for (QString& part : parts) {
        part = normalNumber(part.trimmed());
    }
    return parts.join(u',');
}

QString valueText(const cad::Value& v) {
    if (v.holds<double>()) {
        return core::numberText(v.toDouble());
    }
    if (v.holds<int>()) {
        return QString::number(v.toInt());
    }
    if (v.holds<cad::Point>()) {
        return pointText(v.toPoint());
    }
    if (v.holds<bool>()) {
        return v.toBool() ? u"true"_s : u"false"_s;
    }
    if (v.holds<QString>()) {
        return v.toText();
    }
    return QString();
}

}  // namespace

void Runner::check(const QString& what, const QString& expected, const QString& got) {
    if (expected != got) {
        m_out << u"FAIL line "_s << m_line << u": expected "_s << what << quoted(expected)
              << u", got "_s << quoted(got) << Qt::endl;
        m_status = kExpectationFailed;
    }
}

void Runner::expectCommand() {
    const QString& what = word(1);
    if (what == u"hint") {
        requireArguments(3, 3);
        check(u"hint "_s, word(2), window().hintLine().text());
    } else if (what == u"text") {
        requireArguments(4, 4);
        check(u"text of "_s + word(2) + u' ', word(3), controlText(word(2)));
    } else if (what == u"items") {
        requireArguments(4, 4);
        check(u"items of "_s + word(2) + u' ', word(3), controlItems(word(2)));
    } else if (what == u"enabled" || what == u"disabled") {
        requireArguments(3, 3);
        const bool enabled = control(word(2))->isEnabled();
        check(word(2) + u' ', what, enabled ? u"enabled"_s : u"disabled"_s);
    } else if (what == u"visible" || what == u"hidden") {
        requireArguments(3, 3);
        QWidget* w = control(word(2));
        const bool visible = w == m_window.get() ? w->isVisible() : w->isVisibleTo(m_window.get());
        check(word(2) + u' ', what, visible ? u"visible"_s : u"hidden"_s);
    } else if (what == u"entity") {
        expectEntityMember();
    } else if (what == u"count") {
        expectEntityCount();
    } else if (what == u"prompt") {
        expectPrompt();
    } else if (what == u"asked") {
        requireArguments(3, 3);
        check(u"asked "_s, word(2), m_ui.lastAsked);
    } else if (what == u"ended") {
        requireArguments(2, 2);
        check(QString(), u"ended"_s, m_ui.ended ? u"ended"_s : u"running"_s);
    } else {
        throw ScriptError{u"unknown command expect "_s + what};
    }
}

// `expect entity HANDLE MEMBER VALUE`
void Runner::expectEntityMember() {
    requireArguments(5, 5);
    QString expected;
    QString got;
    onDrawing([&] { got = entityMember(resolved(2), word(3), word(4), &expected); });
    check(u"entity "_s + resolved(2) + u' ' + word(3) + u' ', expected, got);
}

// `expect count CLASS N`: entities of that class in model space.
void Runner::expectEntityCount() {
    requireArguments(4, 4);
    const int expected = integer(3);
    qsizetype n = 0;
    onDrawing([&] {
        const auto& entities = drawing()->modelSpace().entities;
        n = std::count_if(entities.begin(), entities.end(),
                          [&](const auto& e) { return e->kind().className == word(2); });
    });
    check(u"count of "_s + word(2) + u' ', QString::number(expected), QString::number(n));
}

// `expect prompt TEXT`: the last prompt the drawing's picks showed.
void Runner::expectPrompt() {
    requireArguments(3, 3);
    QString last;
    onDrawing([&] {
        const QStringList& prompts = cad().script().prompts;
        last = prompts.isEmpty() ? QString() : prompts.last();
    });
    check(u"prompt "_s, word(2), last);
}

QString Runner::entityMember(const QString& handle, const QString& member, const QString& expected,
                             QString* normalExpected) {
    *normalExpected = expected;
    const std::optional<cad::Member> m = cad::memberByName(member);
    if (!m) {
        throw ScriptError{u"unknown member "_s + member};
    }
    std::shared_ptr<memory::Entity> e;
    for (const auto& doc : cad().documents()) {
        if ((e = doc->findEntity(handle))) {
            break;
        }
    }
    if (!e) {
        return u"no entity"_s;
    }
    if (e->kind().slot(*m) < 0) {
        return u"no member "_s + member;
    }
    const cad::Value& v = e->value(*m);
    if (v.holds<cad::Point>()) {
        *normalExpected = normalPoint(expected);
    } else if (v.holds<double>() || v.holds<int>()) {
        *normalExpected = normalNumber(expected);
    }
    return valueText(v);
}

}  // namespace shell::script
