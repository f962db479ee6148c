// The runner of a script's commands: the embedded or served drawing, the main window, the answer
// queues and the expectations' outcome. Its commands live in files by what they work on.
#pragma once

#include <QDir>
#include <QHash>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

#include "cad/automation.h"
#include "cad/memory/application.h"
#include "cad/remote/server_thread.h"
#include "shell/main_window.h"
#include "shell/script/script_arguments.h"
#include "shell/script/script_runner.h"
#include "shell/script/scripted_answers.h"

namespace shell::script {

// A script that cannot go on: the message is reported with the line.
struct ScriptError {
    QString message;
};

// The text in double quotes, as messages show what was expected and found.
QString quoted(const QString& s);

class Runner {
public:
    Runner(const ScriptOptions& options, QTextStream& out);
    ~Runner();

    void execute(int line, const std::vector<Argument>& args);
    int status() const { return m_status; }

private:
    // Argument access; a missing or malformed argument stops the script.
    const QString& word(std::size_t i) const;
    QString resolved(std::size_t i) const;
    double number(std::size_t i) const;
    int integer(std::size_t i) const;
    void requireArguments(std::size_t low, std::size_t high) const;

    MainWindow& window();
    cad::memory::Application& cad() const;
    std::shared_ptr<cad::memory::Document> drawing() const;
    // The CAD application through the automation interface: the window's when it is attached,
    // else whatever runs (embedded or served).
    cad::Application automation();
    QWidget* control(const QString& name);

    void runCommand(const QString& command);
    // Prints the hints written while the command ran (with trace) and the hint line now.
    void reportHints(qsizetype hintsBefore);
    void tabCommand();
    void answerCommand();
    void queueTextAnswer(const QString& command);
    void screenshotCommand();

    // `cad …`: the CAD application and its drawing.
    void cadCommand();
    // The script's drawing becomes the running CAD application: in this program's registry, or
    // behind the automation server when the run serves it.
    void publish(std::shared_ptr<cad::memory::Application> application);
    void withdraw();
    // Runs f where the drawing lives: on the server's thread while it is served, since the
    // drawing belongs to whoever serves it.
    void onDrawing(const std::function<void()>& f);
    void drawingCommand();
    void pickCommand();

    // `cad add …`: layers, text styles and entities added to the drawing.
    void addToDrawing();
    void addLayer(cad::memory::Document& doc);
    void addTextStyle(cad::memory::Document& doc);
    void addEntity(cad::memory::Document& doc, const QString& kind);
    // Sets the members the kind's operands give.
    void placeEntity(cad::memory::Document& doc, cad::memory::Entity& e, const QString& kind);
    // The option at argument i with its value at i + 1 (`layer NAME`, `color N` …).
    void setEntityOption(cad::memory::Document& doc, cad::memory::Entity& e, const QString& kind,
                         std::size_t i);

    // The window's controls.
    void click(QWidget* w, bool twice);
    void setText(const QString& name, const QString& text);
    void choose(const QString& name, const QString& text);
    QString controlText(const QString& name);
    QString controlItems(const QString& name);

    // `expect …`.
    void expectCommand();
    void expectEntityMember();
    void expectEntityCount();
    void expectPrompt();
    QString entityMember(const QString& handle, const QString& member, const QString& expected,
                         QString* normalExpected);
    void check(const QString& what, const QString& expected, const QString& got);

    // The window makes the program's folder current at start, so a file named in the script is
    // taken relative to where the script was started.
    QString scriptPath(const QString& path) const {
        return m_startDirectory.absoluteFilePath(path);
    }

    bool m_trace;
    Served m_serving;  // the run serves its own drawing, as sketchcad does
    QTextStream& m_out;
    int m_status = kAllHeld;
    int m_line = 0;
    const std::vector<Argument>* m_args = nullptr;

    ScriptUi m_ui;
    std::shared_ptr<cad::memory::Application> m_cad;
    bool m_served = false;  // `cad attach`: the drawing lives in another program
    std::unique_ptr<QTemporaryDir> m_runtime;
    QByteArray m_previousRuntime;
    QueuePicker m_picker;
    std::unique_ptr<cad::remote::ServerThread> m_server;
    cad::remote::ServerThread::MakeServer m_makeServer;  // the socket server when empty
    std::unique_ptr<MainWindow> m_window;
    QHash<QString, QString> m_names;  // `as NAME` bindings to handles
    QDir m_startDirectory;
};

}  // namespace shell::script
