// The script commands: the embedded CAD, the window's controls, answers and expectations.
#include "shell/script/script_runner.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "cad/memory/application.h"
#include "cad/remote/client.h"
#include "cad/remote/server_thread.h"
#include "cad/running.h"
#include "core/number_syntax.h"
#include "core/number_text.h"
#include "dxf/drawing.h"
#include "shell/hint_line.h"
#include "shell/main_window.h"
#include "shell/script/script_arguments.h"
#include "shell/tab_strip.h"
#include "ui/recording_ui.h"

namespace shell::script {

namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

struct ScriptError {
    QString message;
};

// Answers boxes and dialogs from the script's queues and remembers what was last asked.
class ScriptUi : public ui::RecordingUi {
public:
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, ui::Icon icon,
                          ui::Answer defaultAnswer) override {
        lastAsked = text;
        return RecordingUi::messageBox(text, buttons, icon, defaultAnswer);
    }
    QString inputBox(const QString& prompt, const QString& defaultText) override {
        lastAsked = prompt;
        return RecordingUi::inputBox(prompt, defaultText);
    }

    QString lastAsked;
};

QString quoted(const QString& s) {
    return u'"' + s + u'"';
}

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

// The embedded drawing saves through the interface as sketchcad does: to DXF.
std::optional<QString> saveAsDxf(memory::Document& drawing, const QString& path) {
    const auto saved = dxf::saveDrawing(drawing, path);
    return saved.ok() ? std::nullopt : std::optional<QString>(saved.error().toString());
}

// Answers the picks of a drawing the runner serves from the script's queue at once, where
// sketchcad would wait for the user.
class QueuePicker : public cad::remote::Picker {
public:
    void startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) override {
        interaction->finishPoint(script->getPoint(prompt, basePoint));
    }
    void startSelection(const QString& prompt) override {
        interaction->finishSelection(script->selectObjects(prompt));
    }
    void abandon() override {}

    cad::remote::WaitingInteraction* interaction = nullptr;
    memory::ScriptedInteraction* script = nullptr;
};

class Runner {
public:
    Runner(const ScriptOptions& options, QTextStream& out)
        : m_trace(options.trace),
          m_serving(options.served),
          m_out(out),
          m_startDirectory(QDir::current()) {
        if (m_serving) {
            // A socket of the run's own: parallel runs and a sketchcad of the user never meet.
            m_runtime = std::make_unique<QTemporaryDir>();
            m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
            cad::remote::installRemoteLocator();
        }
    }

    ~Runner() {
        // The window holds references into the drawing; it goes first.
        m_window.reset();
        withdraw();
        if (m_served || m_serving) {
            // A script run leaves the program as it found it: no served drawings looked for.
            cad::setPlatformLocator({});
        }
        if (m_serving) {
            qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
        }
    }

    void execute(int line, const std::vector<Argument>& args);
    int status() const { return m_status; }

private:
    // Argument access; a missing or malformed argument stops the script.
    const QString& word(std::size_t i) const;
    QString resolved(std::size_t i) const;
    double number(std::size_t i) const;
    int integer(std::size_t i) const;
    void expectCount(std::size_t low, std::size_t high) const;

    MainWindow& window();
    memory::Application& cad() const;
    std::shared_ptr<memory::Document> drawing() const;
    // The CAD application through the automation interface: the window's when it is attached,
    // else whatever runs (embedded or served).
    cad::Application automation();
    QWidget* control(const QString& name);

    // The script's drawing becomes the running CAD application: in this program's registry, or
    // behind the automation server when the run serves it.
    void publish(std::shared_ptr<memory::Application> application);
    void withdraw();
    // Runs f where the drawing lives: on the server's thread while it is served, since the
    // drawing belongs to whoever serves it.
    void onDrawing(const std::function<void()>& f);

    void cadCommand();
    void drawingCommand();
    void addEntity();
    void pickCommand();
    void expectCommand();
    void click(QWidget* w, bool twice);
    void setText(const QString& name, const QString& text);
    void choose(const QString& name, const QString& text);
    QString controlText(const QString& name);
    QString controlItems(const QString& name);
    QString entityMember(const QString& handle, const QString& member, const QString& expected,
                         QString* normalExpected);

    void check(const QString& what, const QString& expected, const QString& got);
    // The window makes the program's folder current at start, so a file named in the script is
    // taken relative to where the script was started.
    QString scriptPath(const QString& path) const {
        return m_startDirectory.absoluteFilePath(path);
    }

    bool m_trace;
    bool m_serving;  // the run serves its own drawing on a socket, as sketchcad does
    QTextStream& m_out;
    int m_status = kAllHeld;
    int m_line = 0;
    const std::vector<Argument>* m_args = nullptr;

    ScriptUi m_ui;
    std::shared_ptr<memory::Application> m_cad;
    bool m_served = false;  // `cad attach`: the drawing lives in another program
    std::unique_ptr<QTemporaryDir> m_runtime;
    QByteArray m_previousRuntime;
    QueuePicker m_picker;
    std::unique_ptr<cad::remote::ServerThread> m_server;
    std::unique_ptr<MainWindow> m_window;
    QHash<QString, QString> m_names;  // `as NAME` bindings to handles
    QDir m_startDirectory;
};

const QString& Runner::word(std::size_t i) const {
    if (i >= m_args->size()) {
        throw ScriptError{u"missing argument"_s};
    }
    return (*m_args)[i].text;
}

QString Runner::resolved(std::size_t i) const {
    const QString& w = word(i);
    if (!w.startsWith(u'$')) {
        return w;
    }
    const auto it = m_names.constFind(w.mid(1));
    if (it == m_names.constEnd()) {
        throw ScriptError{u"unknown name "_s + w};
    }
    return *it;
}

double Runner::number(std::size_t i) const {
    const std::optional<double> v = core::decimalValue(word(i));
    if (!v) {
        throw ScriptError{u"not a number: "_s + word(i)};
    }
    return *v;
}

int Runner::integer(std::size_t i) const {
    bool ok = false;
    const int v = word(i).toInt(&ok);
    if (!ok) {
        throw ScriptError{u"not a whole number: "_s + word(i)};
    }
    return v;
}

void Runner::expectCount(std::size_t low, std::size_t high) const {
    if (m_args->size() < low || m_args->size() > high) {
        throw ScriptError{u"wrong number of arguments"_s};
    }
}

MainWindow& Runner::window() {
    if (!m_window) {
        m_window = std::make_unique<MainWindow>(&m_ui);
        // Ticks come from `tick` only, so a slow machine cannot slip one in.
        m_window->findChild<QTimer*>(u"tmrAutoCAD"_s)->stop();
        m_window->show();
    }
    return *m_window;
}

memory::Application& Runner::cad() const {
    if (!m_cad) {
        throw ScriptError{m_served ? u"the drawing is served by another program: no embedded "
                                     u"drawing to use"_s
                                   : u"no CAD application: use `cad new` first"_s};
    }
    return *m_cad;
}

std::shared_ptr<memory::Document> Runner::drawing() const {
    auto doc = cad().activeDocument();
    if (!doc) {
        throw ScriptError{u"the CAD application has no drawing open"_s};
    }
    return doc;
}

cad::Application Runner::automation() {
    if (m_window && m_window->cadLink().isAttached()) {
        return m_window->cadLink().objAcad;
    }
    return cad::GetRunningApplication(QString::fromUtf16(cad::kAutoCadProgId));
}

QWidget* Runner::control(const QString& name) {
    MainWindow& w = window();
    if (w.objectName() == name) {
        return &w;
    }
    auto* found = w.findChild<QWidget*>(name);
    if (found == nullptr) {
        throw ScriptError{u"unknown control "_s + name};
    }
    return found;
}

void Runner::check(const QString& what, const QString& expected, const QString& got) {
    if (expected != got) {
        m_out << u"FAIL line "_s << m_line << u": expected "_s << what << quoted(expected)
              << u", got "_s << quoted(got) << Qt::endl;
        m_status = kExpectationFailed;
    }
}

void Runner::execute(int line, const std::vector<Argument>& args) {
    m_line = line;
    m_args = &args;
    const qsizetype hintsBefore = m_ui.hints.size();
    const QString& command = word(0);

    if (command == u"cad") {
        cadCommand();
    } else if (command == u"start") {
        expectCount(1, 1);
        window();
    } else if (command == u"tick") {
        expectCount(1, 1);
        window().tmrAutoCAD_Timer();
    } else if (command == u"tab") {
        expectCount(2, 2);
        const int tab = integer(1);
        if (tab < 1 || tab > kTabCount) {
            throw ScriptError{u"no tab "_s + word(1)};
        }
        window().findChild<TabStrip*>(u"tabContainer"_s)->clickTab(tab - 1);
    } else if (command == u"click" || command == u"dblclick") {
        expectCount(2, 2);
        click(control(word(1)), command == u"dblclick");
    } else if (command == u"set") {
        expectCount(3, 3);
        setText(word(1), word(2));
    } else if (command == u"choose") {
        expectCount(3, 3);
        choose(word(1), word(2));
    } else if (command == u"pick") {
        onDrawing([this] { pickCommand(); });
    } else if (command == u"answer") {
        expectCount(2, 2);
        static const QHash<QString, ui::Answer> kAnswers = {
            {u"yes"_s, ui::Answer::Yes}, {u"no"_s, ui::Answer::No}, {u"ok"_s, ui::Answer::Ok}};
        const auto it = kAnswers.constFind(word(1));
        if (it == kAnswers.constEnd()) {
            throw ScriptError{u"answer yes, no or ok"_s};
        }
        m_ui.messageAnswers.push_back(*it);
    } else if (command == u"input" || command == u"file") {
        expectCount(2, 2);
        const Argument& a = args[1];
        std::optional<QString> answer;
        if (a.quoted || a.text != u"cancel") {
            answer = command == u"file" ? scriptPath(a.text) : a.text;
        }
        (command == u"input" ? m_ui.inputAnswers : m_ui.fileAnswers).push_back(answer);
    } else if (command == u"expect") {
        expectCommand();
    } else if (command == u"screenshot") {
        expectCount(2, 2);
        MainWindow& w = window();
        QApplication::processEvents();
        const QFileInfo file(scriptPath(word(1)));
        QDir().mkpath(file.absolutePath());
        if (!w.grab().save(file.filePath())) {
            throw ScriptError{u"cannot write "_s + word(1)};
        }
    } else {
        throw ScriptError{u"unknown command "_s + command};
    }

    QApplication::processEvents();
    if (m_trace) {
        for (qsizetype i = hintsBefore; i < m_ui.hints.size(); ++i) {
            m_out << u"trace: "_s << m_ui.hints.at(i) << Qt::endl;
        }
    }
    const QString hint = m_window ? m_window->hintLine().text() : QString();
    m_out << u"hint: "_s << hint << Qt::endl;
}

void Runner::cadCommand() {
    const QString& what = word(1);
    if (what == u"new") {
        expectCount(2, 2);
        auto application = memory::Application::create();
        application->newDocument(u"Drawing1.dwg"_s);
        publish(std::move(application));
    } else if (what == u"open") {
        expectCount(3, 3);
        auto application = memory::Application::create();
        auto loaded = dxf::loadDrawing(*application, scriptPath(word(2)));
        if (!loaded.ok()) {
            throw ScriptError{loaded.error().toString()};
        }
        publish(std::move(application));
    } else if (what == u"exit") {
        expectCount(2, 2);
        onDrawing([this] { cad().quit(); });
        if (m_serving) {
            withdraw();  // sketchcad ends with its application
        }
    } else if (what == u"attach") {
        expectCount(2, 2);
        if (m_serving) {
            throw ScriptError{u"a run that serves its own drawing attaches to no other"_s};
        }
        withdraw();
        m_cad.reset();
        m_served = true;
        cad::remote::installRemoteLocator();
    } else if (what == u"saveas") {
        expectCount(3, 3);
        const cad::Document document = automation().ActiveDocument();
        if (document.isEmpty()) {
            throw ScriptError{u"the CAD application has no drawing open"_s};
        }
        document.SaveAs(scriptPath(word(2)));
    } else if (what == u"quit") {
        expectCount(2, 2);
        automation().object()->Call(cad::Member::Quit, {});
    } else {
        onDrawing([this] { drawingCommand(); });
    }
}

void Runner::publish(std::shared_ptr<memory::Application> application) {
    withdraw();
    m_cad = std::move(application);
    m_cad->setSaver(&saveAsDxf);
    if (!m_serving) {
        cad::registerRunningObject(QString::fromUtf16(cad::kAutoCadProgId), m_cad);
        return;
    }
    m_server = std::make_unique<cad::remote::ServerThread>(m_cad, m_picker);
    if (const auto& why = m_server->listenResult()) {
        throw ScriptError{u"cannot serve the drawing: "_s + *why};
    }
    m_server->run([this] {
        m_picker.interaction = &m_server->server().interaction();
        m_picker.script = &m_cad->script();
    });
}

void Runner::withdraw() {
    if (m_server) {
        m_server.reset();
    } else if (m_cad) {
        cad::revokeRunningObject(m_cad.get());
    }
}

void Runner::onDrawing(const std::function<void()>& f) {
    if (m_server) {
        m_server->run(f);
    } else {
        f();
    }
}

// The commands that work on the embedded drawing itself.
void Runner::drawingCommand() {
    const QString& what = word(1);
    if (what == u"save") {
        expectCount(3, 3);
        const auto saved = dxf::saveDrawing(*drawing(), scriptPath(word(2)));
        if (!saved.ok()) {
            throw ScriptError{saved.error().toString()};
        }
    } else if (what == u"close-all") {
        expectCount(2, 2);
        const auto documents = cad().documents();
        for (const auto& doc : documents) {
            m_cad->closeDocument(*doc);
        }
    } else if (what == u"add") {
        addEntity();
    } else {
        throw ScriptError{u"unknown command cad "_s + what};
    }
}

void Runner::addEntity() {
    const QString& kind = word(2);
    auto doc = drawing();
    if (kind == u"layer") {
        expectCount(4, 7);
        if (doc->findLayer(word(3)) != nullptr) {
            throw ScriptError{u"layer exists: "_s + word(3)};
        }
        memory::LayerRecord& layer = doc->addLayer(word(3));
        for (std::size_t i = 4; i < m_args->size(); ++i) {
            if (word(i) == u"color") {
                layer.color = integer(++i);
            } else if (word(i) == u"locked") {
                layer.locked = true;
            } else {
                throw ScriptError{u"unknown layer option "_s + word(i)};
            }
        }
        return;
    }
    if (kind == u"style") {
        expectCount(5, 6);
        if (doc->findTextStyle(word(3)) != nullptr) {
            throw ScriptError{u"text style exists: "_s + word(3)};
        }
        doc->addTextStyle(word(3), word(4), m_args->size() > 5 ? word(5) : QString());
        return;
    }

    using cad::Member;
    struct Shape {
        const memory::KindSpec* kind;
        std::size_t operands;
    };
    static const QHash<QString, Shape> kShapes = {
        {u"line"_s, {&memory::kinds::line(), 4}},   {u"circle"_s, {&memory::kinds::circle(), 3}},
        {u"arc"_s, {&memory::kinds::arc(), 5}},     {u"text"_s, {&memory::kinds::text(), 4}},
        {u"mtext"_s, {&memory::kinds::mtext(), 4}}, {u"insert"_s, {&memory::kinds::insert(), 3}},
    };
    const auto shape = kShapes.constFind(kind);
    if (shape == kShapes.constEnd()) {
        throw ScriptError{u"unknown command cad add "_s + kind};
    }
    const std::size_t first = 3;
    expectCount(first + shape->operands, 100);
    std::shared_ptr<memory::Entity> e = doc->makeEntity(*shape->kind);
    auto at = [&](std::size_t i) { return cad::Point{number(i), number(i + 1), 0}; };
    if (kind == u"line") {
        e->setValue(Member::StartPoint, at(first));
        e->setValue(Member::EndPoint, at(first + 2));
    } else if (kind == u"circle" || kind == u"arc") {
        e->setValue(Member::Center, at(first));
        e->setValue(Member::Radius, number(first + 2));
        if (kind == u"arc") {
            e->setValue(Member::StartAngle, number(first + 3));
            e->setValue(Member::EndAngle, number(first + 4));
        }
    } else if (kind == u"text") {
        e->setValue(Member::TextString, word(first));
        e->setValue(Member::InsertionPoint, at(first + 1));
        e->setValue(Member::Height, number(first + 3));
    } else if (kind == u"mtext") {
        e->setValue(Member::TextString, word(first));
        e->setValue(Member::InsertionPoint, at(first + 1));
        e->setValue(Member::Width, number(first + 3));
    } else {
        if (doc->findBlock(word(first)) == nullptr) {
            doc->addBlock(word(first));
        }
        e->setValue(Member::Name, word(first));
        e->setValue(Member::InsertionPoint, at(first + 1));
    }

    QString bindAs;
    for (std::size_t i = first + shape->operands; i < m_args->size(); i += 2) {
        const QString& option = word(i);
        const QString& value = word(i + 1);
        if (option == u"as") {
            bindAs = value;
        } else if (option == u"layer") {
            if (doc->findLayer(value) == nullptr) {
                doc->addLayer(value);
            }
            e->setValue(Member::Layer, value);
        } else if (option == u"color") {
            e->setValue(Member::Color, integer(i + 1));
        } else if (option == u"linetype") {
            if (doc->findLinetype(value) == nullptr) {
                doc->addLinetype(value);
            }
            e->setValue(Member::Linetype, value);
        } else if (option == u"style" && shape->kind->slot(Member::StyleName) >= 0) {
            if (doc->findTextStyle(value) == nullptr) {
                doc->addTextStyle(value, u"txt.shx"_s, QString());
            }
            e->setValue(Member::StyleName, value);
        } else {
            throw ScriptError{u"option "_s + option + u" does not apply to "_s + kind};
        }
    }
    const QString handle = e->handleText();
    doc->modelSpace().append(std::move(e));
    if (!bindAs.isEmpty()) {
        m_names.insert(bindAs, handle);
    }
    m_out << u"handle: "_s << handle << Qt::endl;
}

void Runner::pickCommand() {
    const QString& what = word(1);
    memory::ScriptedInteraction& script = cad().script();
    if (what == u"objects") {
        QStringList handles;
        for (std::size_t i = 2; i < m_args->size(); ++i) {
            handles.append(resolved(i));
        }
        script.queueObjects(handles);
    } else if (what == u"point") {
        expectCount(4, 5);
        script.queuePoint({number(2), number(3), m_args->size() > 4 ? number(4) : 0.0});
    } else if (what == u"cancel") {
        expectCount(2, 2);
        script.queueCancel();
    } else {
        throw ScriptError{u"unknown command pick "_s + what};
    }
}

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

void Runner::expectCommand() {
    const QString& what = word(1);
    if (what == u"hint") {
        expectCount(3, 3);
        check(u"hint "_s, word(2), window().hintLine().text());
    } else if (what == u"text") {
        expectCount(4, 4);
        check(u"text of "_s + word(2) + u' ', word(3), controlText(word(2)));
    } else if (what == u"items") {
        expectCount(4, 4);
        check(u"items of "_s + word(2) + u' ', word(3), controlItems(word(2)));
    } else if (what == u"enabled" || what == u"disabled") {
        expectCount(3, 3);
        const bool enabled = control(word(2))->isEnabled();
        check(word(2) + u' ', what, enabled ? u"enabled"_s : u"disabled"_s);
    } else if (what == u"visible" || what == u"hidden") {
        expectCount(3, 3);
        QWidget* w = control(word(2));
        const bool visible = w == m_window.get() ? w->isVisible() : w->isVisibleTo(m_window.get());
        check(word(2) + u' ', what, visible ? u"visible"_s : u"hidden"_s);
    } else if (what == u"entity") {
        expectCount(5, 5);
        QString expected;
        QString got;
        onDrawing([&] { got = entityMember(resolved(2), word(3), word(4), &expected); });
        check(u"entity "_s + resolved(2) + u' ' + word(3) + u' ', expected, got);
    } else if (what == u"count") {
        expectCount(4, 4);
        const int expected = integer(3);
        qsizetype n = 0;
        onDrawing([&] {
            const auto& entities = drawing()->modelSpace().entities;
            n = std::count_if(entities.begin(), entities.end(),
                              [&](const auto& e) { return e->kind().className == word(2); });
        });
        check(u"count of "_s + word(2) + u' ', QString::number(expected), QString::number(n));
    } else if (what == u"prompt") {
        expectCount(3, 3);
        QString last;
        onDrawing([&] {
            const QStringList& prompts = cad().script().prompts;
            last = prompts.isEmpty() ? QString() : prompts.last();
        });
        check(u"prompt "_s, word(2), last);
    } else if (what == u"asked") {
        expectCount(3, 3);
        check(u"asked "_s, word(2), m_ui.lastAsked);
    } else if (what == u"ended") {
        expectCount(2, 2);
        check(QString(), u"ended"_s, m_ui.ended ? u"ended"_s : u"running"_s);
    } else {
        throw ScriptError{u"unknown command expect "_s + what};
    }
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

}  // namespace

int runScript(const QString& path, const ScriptOptions& options, QTextStream& out,
              QTextStream& err) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << u"error: cannot read the script "_s << path << Qt::endl;
        return kScriptError;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    Runner runner(options, out);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const std::optional<std::vector<Argument>> args = splitArguments(line);
        try {
            if (!args) {
                throw ScriptError{u"a quote is not closed"_s};
            }
            runner.execute(lineNumber, *args);
        } catch (const ScriptError& e) {
            err << u"error line "_s << lineNumber << u": "_s << e.message << Qt::endl;
            return kScriptError;
        } catch (const cad::Error& e) {
            err << u"error line "_s << lineNumber << u": CAD call failed: "_s << e.message()
                << Qt::endl;
            return kScriptError;
        }
    }
    return runner.status();
}

}  // namespace shell::script
