// The take-off from the window: a folder of drawings, a scale and the workbook to write, run on
// workers while the dialog shows the progress.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QLabel;
class QProgressBar;
class QPushButton;

namespace takeoff {

class TakeoffDialog : public QDialog {
public:
    // outcome receives the one line the main window's hint line shows when a run ends.
    TakeoffDialog(QWidget* parent, std::function<void(const QString&)> outcome);

    bool running() const { return m_running; }

protected:
    void reject() override;  // not while a run goes on

private:
    void browse();
    void start();
    void finish(const QString& hint);

    std::function<void(const QString&)> m_outcome;
    QLineEdit* m_folder;
    QLineEdit* m_scale;
    QLineEdit* m_blocks;
    QLineEdit* m_layers;
    QLineEdit* m_output;
    QProgressBar* m_progress;
    QLabel* m_state;
    QPushButton* m_run;
    bool m_running = false;
};

}  // namespace takeoff
