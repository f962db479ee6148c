// sketchcad's main window: the drawing view, the command line, the status line, the file and
// edit commands, the picks the automation server asks for, and what the drawing reports.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "cad/memory/application.h"
#include "cad/memory/observer.h"
#include "cad/remote/waiting_interaction.h"
#include "sketchcad/pick_script.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QVBoxLayout;

namespace sketchcad {

class DrawingView;

// False on the offscreen and minimal platforms, where a message box would wait for no one.
bool hasDisplay();

class MainWindow : public QMainWindow, public cad::remote::Picker, public cad::memory::Observer {
    Q_OBJECT
public:
    explicit MainWindow(std::shared_ptr<cad::memory::Application> application,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The server's interaction, answered by the picks made in the view.
    void setInteraction(cad::remote::WaitingInteraction* interaction);
    // Each pick request takes the next line and answers it with synthetic input.
    void setPickScript(PickScript script) { m_script = std::move(script); }
    void setScreenshotOnExit(const QString& path) { m_screenshotPath = path; }
    // Where Save As and Open ask for a file; tests answer without a dialog.
    void setFileChooser(std::function<QString(bool forSaving, const QString& suggested)> chooser) {
        m_chooseFile = std::move(chooser);
    }
    // Where the question about unsaved changes is asked; tests answer it without a dialog.
    enum class Unsaved { Save, Discard, Cancel };
    void setUnsavedQuestion(std::function<Unsaved(const QString& name)> ask) {
        m_askUnsaved = std::move(ask);
    }

    // Opens a DXF file as the drawing, replacing the one open; false (and the user told why)
    // when it cannot be read.
    bool openFile(const QString& path);
    // The file commands; each asks first when the drawing has unsaved changes. They refuse to
    // run while an operation of the assistant is under way.
    void newDrawing();
    void openDrawing();
    bool saveDrawing();
    bool saveDrawingAs();
    // Saves the drawing to the path and tells, once per file, what its version made the save
    // write differently from the drawing. Returns the error, or nothing.
    std::optional<QString> saveFile(cad::memory::Document& drawing, const QString& path);
    void closeDrawing();
    void undo();
    void redo();

    std::shared_ptr<cad::memory::Document> document() const;
    bool isModified() const;
    DrawingView* view() const { return m_view; }
    // Appends a line to the command line's history.
    void message(const QString& text);
    // Brings the view up to date with the drawing now, instead of at the next turn.
    void refreshNow();

    // cad::remote::Picker
    void startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) override;
    void startSelection(const QString& prompt) override;
    void abandon() override;

    // cad::memory::Observer
    void drawingChanged(cad::memory::Document& document) override;
    void applicationQuit() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc in the command line cancels the pick, as it does in the view.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class PickKind { None, Point, Selection };

    void buildCommandLine(QWidget* central, QVBoxLayout* layout);
    void buildStatusLine();
    void buildMenus();
    void startTimers();
    void connectPicks();
    // A point typed on the command line answers the point pick under way.
    void commandEntered();
    void answerPoint(QPointF p);
    // The file dialogs, the question about unsaved changes, and the DXF saver behind the
    // interface's Save and SaveAs.
    void installFileHandling();
    static QString idlePrompt();
    void setPrompt(const QString& prompt);
    // An operation of the assistant runs: an undo group is open or a pick waits.
    bool busy() const;
    bool refuseWhileBusy();
    // True when the drawing may be set aside: unchanged, saved, or the user said so.
    bool settleUnsaved();
    bool saveTo(const QString& path);
    QString documentPath() const;
    // Rebuilds the view soon: once per turn of the event loop at most, and during long runs
    // of changes no more often than leaves most of the time to them.
    void scheduleRebuild();
    // The view shows another drawing, or an older state of this one.
    bool stale() const;
    // Before a pick: what the user picks from must be what the drawing holds now.
    void catchUp();
    void rebuild();
    void updateTitle();
    void updateStatus();
    void poll();
    void runScriptLine();
    void postActions(const std::vector<PickAction>& actions);
    void writeScreenshot();
    void quitProgram();

    std::shared_ptr<cad::memory::Application> m_application;
    cad::remote::WaitingInteraction* m_interaction = nullptr;
    DrawingView* m_view = nullptr;
    QPlainTextEdit* m_history = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_input = nullptr;
    QLabel* m_modeMacro = nullptr;
    QLabel* m_coordinates = nullptr;

    PickScript m_script;
    QString m_screenshotPath;
    std::function<QString(bool, const QString&)> m_chooseFile;
    std::function<Unsaved(const QString&)> m_askUnsaved;
    QHash<QString, QStringList> m_versionNotesTold;  // by file path: the kinds already named
    PickKind m_pick = PickKind::None;

    // What the view last showed, to see changes.
    const cad::memory::Document* m_shown = nullptr;
    qint64 m_shownChanges = -1;
    bool m_changed = false;            // the drawing reported a change since the view was built
    bool m_awaitingOperation = false;  // the pending rebuild waits for an operation to end
    int m_untitled = 0;
    bool m_fitNext = true;
    bool m_quitting = false;

    QTimer* m_rebuildTimer = nullptr;
    QTimer* m_pollTimer = nullptr;
    QElapsedTimer m_sinceRebuild;
    qint64 m_rebuildCostMs = 0;
};

}  // namespace sketchcad
