// The runner: its set-up and clean-up, argument access, the window and its commands, and the
// hints reported after every command.
#include "shell/script/runner.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "cad/remote/client.h"
#ifdef _WIN32
#include "cad/com/locator.h"
#include "cad/com/server.h"
#endif
#include "cad/running.h"
#include "core/number_syntax.h"
#include "shell/hint_line.h"
#include "shell/tab_strip.h"

namespace shell::script {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

namespace {

// On a display, styles fade a clicked option or check box in (Windows' in about a fifth of a
// second); a screenshot waits that long so it shows the state reached.
constexpr int kFadeMs = 400;

}  // namespace

QString quoted(const QString& s) {
    return u'"' + s + u'"';
}

Runner::Runner(const ScriptOptions& options, QTextStream& out)
    : m_trace(options.trace),
      m_serving(options.served),
      m_out(out),
      m_startDirectory(QDir::current()) {
    if (m_serving == Served::OnSocket) {
        // A socket of the run's own: parallel runs and a sketchcad of the user never meet.
        m_runtime = std::make_unique<QTemporaryDir>();
        m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
        cad::remote::installRemoteLocator();
    }
#ifdef _WIN32
    if (m_serving == Served::OverCom) {
        // A class of the run's own: parallel runs and a CAD of the user never meet.
        CLSID clsid{};
        CoCreateGuid(&clsid);
        cad::com::installClassLocator(clsid);
        m_makeServer = [clsid](std::shared_ptr<memory::Application> app,
                               cad::remote::Picker& picker) {
            return std::make_unique<cad::com::Server>(std::move(app), clsid, picker);
        };
    }
#endif
}

Runner::~Runner() {
    // The window holds references into the drawing; it goes first.
    m_window.reset();
    withdraw();
    if (m_served || m_serving != Served::No) {
        // A script run leaves the program as it found it: no served drawings looked for.
        cad::setPlatformLocator({});
    }
    if (m_serving == Served::OnSocket) {
        qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
    }
}

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

void Runner::requireArguments(std::size_t low, std::size_t high) const {
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

void Runner::execute(int line, const std::vector<Argument>& args) {
    m_line = line;
    m_args = &args;
    const qsizetype hintsBefore = m_ui.hints.size();
    runCommand(word(0));
    QApplication::processEvents();
    reportHints(hintsBefore);
}

void Runner::runCommand(const QString& command) {
    if (command == u"cad") {
        cadCommand();
    } else if (command == u"start") {
        requireArguments(1, 1);
        window();
    } else if (command == u"tick") {
        requireArguments(1, 1);
        window().tick();
    } else if (command == u"tab") {
        tabCommand();
    } else if (command == u"click" || command == u"dblclick") {
        requireArguments(2, 2);
        click(control(word(1)), command == u"dblclick");
    } else if (command == u"set") {
        requireArguments(3, 3);
        setText(word(1), word(2));
    } else if (command == u"choose") {
        requireArguments(3, 3);
        choose(word(1), word(2));
    } else if (command == u"pick") {
        onDrawing([this] { pickCommand(); });
    } else if (command == u"answer") {
        answerCommand();
    } else if (command == u"input" || command == u"file") {
        queueTextAnswer(command);
    } else if (command == u"expect") {
        expectCommand();
    } else if (command == u"screenshot") {
        screenshotCommand();
    } else {
        throw ScriptError{u"unknown command "_s + command};
    }
}

void Runner::reportHints(qsizetype hintsBefore) {
    if (m_trace) {
        for (qsizetype i = hintsBefore; i < m_ui.hints.size(); ++i) {
            m_out << u"trace: "_s << m_ui.hints.at(i) << Qt::endl;
        }
    }
    const QString hint = m_window ? m_window->hintLine().text() : QString();
    m_out << u"hint: "_s << hint << Qt::endl;
}

void Runner::tabCommand() {
    requireArguments(2, 2);
    const int tab = integer(1);
    if (tab < 1 || tab > kTabCount) {
        throw ScriptError{u"no tab "_s + word(1)};
    }
    window().findChild<TabStrip*>(u"tabContainer"_s)->clickTab(tab - 1);
}

void Runner::answerCommand() {
    requireArguments(2, 2);
    static const QHash<QString, ui::Answer> kAnswers = {
        {u"yes"_s, ui::Answer::Yes}, {u"no"_s, ui::Answer::No}, {u"ok"_s, ui::Answer::Ok}};
    const auto it = kAnswers.constFind(word(1));
    if (it == kAnswers.constEnd()) {
        throw ScriptError{u"answer yes, no or ok"_s};
    }
    m_ui.messageAnswers.push_back(*it);
}

// `input TEXT` and `file PATH` answer the next input box or file dialog; a bare `cancel`
// cancels it.
void Runner::queueTextAnswer(const QString& command) {
    requireArguments(2, 2);
    const Argument& a = (*m_args)[1];
    std::optional<QString> answer;
    if (a.quoted || a.text != u"cancel") {
        answer = command == u"file" ? scriptPath(a.text) : a.text;
    }
    (command == u"input" ? m_ui.inputAnswers : m_ui.fileAnswers).push_back(answer);
}

void Runner::screenshotCommand() {
    requireArguments(2, 2);
    MainWindow& w = window();
    QApplication::processEvents();
    if (QGuiApplication::platformName() != u"offscreen") {
        QEventLoop fade;
        QTimer::singleShot(kFadeMs, &fade, &QEventLoop::quit);
        fade.exec();
    }
    const QFileInfo file(scriptPath(word(1)));
    QDir().mkpath(file.absolutePath());
    if (!w.grab().save(file.filePath())) {
        throw ScriptError{u"cannot write "_s + word(1)};
    }
}

}  // namespace shell::script
