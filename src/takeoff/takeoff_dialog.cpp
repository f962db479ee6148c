// The dialog's fields, the run on a thread of its own and the outcome in the hint line.
#include "takeoff/takeoff_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include "core/scale_notation.h"
#include "takeoff/drawing_set.h"
#include "takeoff/report.h"
#include "takeoff/takeoff_command.h"
#include "takeoff/workbook_file.h"

namespace takeoff {

namespace {

using namespace Qt::StringLiterals;

QLineEdit* field(QWidget* parent, const QString& name, const QString& text = QString()) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QStringList names(const QLineEdit* edit) {
    QStringList list;
    for (const QString& name : edit->text().split(u',', Qt::SkipEmptyParts)) {
        list << name.trimmed();
    }
    return list;
}

// What the run did, in one line.
QString outcomeHint(const std::vector<DrawingResult>& results, const QString& output,
                    const QString& writeFailure) {
    if (!writeFailure.isEmpty()) {
        return u"提示："_s + writeFailure;
    }
    qsizetype failed = 0;
    for (const DrawingResult& r : results) {
        failed += r.figures ? 0 : 1;
    }
    const QString where = QDir::toNativeSeparators(output);
    if (failed > 0) {
        return u"提示：材料统计有 %1 张图纸读取失败（见工作簿的汇总表），其余 %2 张已写入 %3"_s
            .arg(failed)
            .arg(qsizetype(results.size()) - failed)
            .arg(where);
    }
    return u"提示：材料统计完成，%1 张图纸已写入 %2"_s.arg(results.size()).arg(where);
}

}  // namespace

TakeoffDialog::TakeoffDialog(QWidget* parent, std::function<void(const QString&)> outcome)
    : QDialog(parent), m_outcome(std::move(outcome)) {
    setObjectName(u"frmTakeoff"_s);
    setWindowTitle(u"材料统计（多张 DXF 图纸）"_s);
    auto* form = new QFormLayout;
    m_folder = field(this, u"txtTakeoffFolder"_s);
    auto* browseButton = new QPushButton(u"浏览…"_s, this);
    browseButton->setObjectName(u"cmdTakeoffBrowse"_s);
    connect(browseButton, &QPushButton::clicked, this, [this] { browse(); });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    form->addRow(u"图纸文件夹（含子文件夹）："_s, folderRow);
    m_scale = field(this, u"txtTakeoffScale"_s, u"1:100"_s);
    form->addRow(u"作图比例："_s, m_scale);
    m_blocks = field(this, u"txtTakeoffBlocks"_s);
    m_blocks->setPlaceholderText(u"全部块；只统计某些块时以逗号分隔"_s);
    form->addRow(u"块名："_s, m_blocks);
    m_layers = field(this, u"txtTakeoffLayers"_s);
    m_layers->setPlaceholderText(u"全部图层；只统计某些图层时以逗号分隔"_s);
    form->addRow(u"图层："_s, m_layers);
    m_output = field(this, u"txtTakeoffOutput"_s);
    m_output->setPlaceholderText(u"图纸文件夹中的 takeoff.xlsx"_s);
    form->addRow(u"写入工作簿："_s, m_output);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"prgTakeoff"_s);
    m_progress->setValue(0);
    form->addRow(m_progress);
    m_state = new QLabel(this);
    m_state->setObjectName(u"labTakeoff"_s);
    m_state->setWordWrap(true);
    m_state->setMinimumHeight(m_state->fontMetrics().lineSpacing() * 3);  // a long outcome line
    form->addRow(m_state);

    auto* buttons = new QDialogButtonBox(this);
    m_run = buttons->addButton(u"统计"_s, QDialogButtonBox::AcceptRole);
    m_run->setObjectName(u"cmdTakeoffRun"_s);
    QPushButton* close = buttons->addButton(u"关闭"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"cmdTakeoffClose"_s);
    connect(m_run, &QPushButton::clicked, this, [this] { start(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
    resize(520, sizeHint().height());
}

void TakeoffDialog::reject() {
    if (!m_running) {
        QDialog::reject();
    }
}

void TakeoffDialog::browse() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, u"图纸文件夹"_s, m_folder->text());
    if (!folder.isEmpty()) {
        m_folder->setText(QDir::toNativeSeparators(folder));
    }
}

void TakeoffDialog::start() {
    const QString folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    const QString scale = m_scale->text().trimmed();
    if (!core::CheckScale(scale)) {
        finish(u"提示：比例数值无效！形式应为x:xxxx"_s);
        return;
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        finish(u"提示：请选择图纸所在的文件夹"_s);
        return;
    }
    DrawingSet set = findDrawings({folder}, scale);
    if (set.entries.empty()) {
        finish(u"提示：文件夹中没有 DXF 图纸"_s);
        return;
    }
    QString output = QDir::fromNativeSeparators(m_output->text().trimmed());
    // A bare name goes into the drawings' folder (the program's own is the current one).
    output = QDir(folder).filePath(output.isEmpty() ? u"takeoff.xlsx"_s : output);
    const Filters filters{{names(m_blocks)}, {names(m_layers)}};
    // The command that does the same from a terminal, for the workbook's header.
    QStringList arguments{u"--scale"_s, scale};
    if (!filters.blocks.names.isEmpty()) {
        arguments << u"--blocks"_s << filters.blocks.names.join(u',');
    }
    if (!filters.layers.names.isEmpty()) {
        arguments << u"--layers"_s << filters.layers.names.join(u',');
    }
    arguments << u"--output"_s << output << folder;
    const QString command = commandLine(arguments);

    m_running = true;
    m_run->setEnabled(false);
    m_progress->setRange(0, int(set.entries.size()));
    m_progress->setValue(0);
    m_state->setText(u"正在统计 %1 张图纸…"_s.arg(set.entries.size()));
    QPointer<TakeoffDialog> self(this);
    QThread* worker = QThread::create(
        [self, entries = std::move(set.entries), filters, output,
         header = ReportHeader{
             command, QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm"_s), scale}]() {
            const auto results =
                takeOffAll(entries, filters, QThread::idealThreadCount(), [self](int done, int) {
                    QMetaObject::invokeMethod(
                        self.data(), [self, done] { self->m_progress->setValue(done); },
                        Qt::QueuedConnection);
                });
            const QString failure = writeWorkbook(buildReport(results, header), output);
            const QString hint = outcomeHint(results, output, failure);
            QMetaObject::invokeMethod(
                self.data(), [self, hint] { self->finish(hint); }, Qt::QueuedConnection);
        });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

void TakeoffDialog::finish(const QString& hint) {
    m_running = false;
    m_run->setEnabled(true);
    m_state->setText(hint);
    m_outcome(hint);
}

}  // namespace takeoff
