// MainWindow's file commands: New, Open, Save, Save As, Close over the DXF layer, the question
// about unsaved changes, the saver behind the interface's Save and SaveAs, undo and redo.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "dxf/drawing.h"
#include "dxf/r12_equivalents.h"
#include "sketchcad/main_window.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

const QString kDxfFilter = QStringLiteral("DXF 图形 (*.dxf);;所有文件 (*)");

}  // namespace

void MainWindow::installFileHandling() {
    m_application->setSaver([this](memory::Document& document, const QString& path) {
        return saveFile(document, path);
    });
    m_chooseFile = [this](bool forSaving, const QString& suggested) {
        return forSaving ? QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), suggested,
                                                        kDxfFilter)
                         : QFileDialog::getOpenFileName(this, QStringLiteral("打开"), suggested,
                                                        kDxfFilter);
    };
    m_askUnsaved = [this](const QString& name) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("sketchcad"),
                        QStringLiteral("是否将改动保存到 %1？").arg(name), QMessageBox::NoButton,
                        this);
        box.setObjectName(QStringLiteral("unsavedChangesBox"));
        QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        save->setObjectName(QStringLiteral("saveButton"));
        discard->setObjectName(QStringLiteral("discardButton"));
        cancel->setObjectName(QStringLiteral("cancelButton"));
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save) {
            return Unsaved::Save;
        }
        return box.clickedButton() == discard ? Unsaved::Discard : Unsaved::Cancel;
    };
}

bool MainWindow::settleUnsaved() {
    const auto doc = document();
    if (!doc || !isModified()) {
        return true;
    }
    switch (m_askUnsaved(doc->name())) {
        case Unsaved::Save:
            return saveDrawing();
        case Unsaved::Discard:
            return true;
        case Unsaved::Cancel:
            break;
    }
    return false;
}

bool MainWindow::openFile(const QString& path) {
    const auto previous = document();
    auto loaded = dxf::loadDrawing(*m_application, path);
    if (!loaded) {
        const QString why = QStringLiteral("无法打开 %1").arg(loaded.error().toString());
        message(why);
        if (hasDisplay()) {
            QMessageBox::warning(this, QStringLiteral("sketchcad"), why);
        } else {
            fprintf(stderr, "sketchcad: %s\n", qUtf8Printable(why));
        }
        return false;
    }
    if (previous) {
        m_application->closeDocument(*previous);
    }
    m_application->setActiveDocument(loaded.value());
    loaded.value()->setPath(QFileInfo(path).absoluteFilePath());
    m_fitNext = true;
    message(QStringLiteral("已打开 %1").arg(QDir::toNativeSeparators(path)));
    refreshNow();
    return true;
}

void MainWindow::newDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    if (const auto previous = document()) {
        m_application->closeDocument(*previous);
    }
    m_application->newDocument(QStringLiteral("Drawing%1.dwg").arg(++m_untitled));
    m_fitNext = true;
    refreshNow();
}

void MainWindow::openDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    const QString path = m_chooseFile(false, QFileInfo(documentPath()).absolutePath());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool MainWindow::saveDrawing() {
    if (refuseWhileBusy() || !document()) {
        return false;
    }
    if (documentPath().isEmpty()) {
        return saveDrawingAs();
    }
    return saveTo(documentPath());
}

bool MainWindow::saveDrawingAs() {
    if (refuseWhileBusy()) {
        return false;
    }
    const auto doc = document();
    if (!doc) {
        return false;
    }
    QString suggested = documentPath();
    if (suggested.isEmpty()) {
        suggested = QFileInfo(doc->name()).completeBaseName() + QStringLiteral(".dxf");
    }
    QString path = m_chooseFile(true, suggested);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".dxf");
    }
    if (!saveTo(path)) {
        return false;
    }
    doc->setName(QFileInfo(path).fileName());
    doc->setPath(QFileInfo(path).absoluteFilePath());
    updateTitle();
    return true;
}

std::optional<QString> MainWindow::saveFile(memory::Document& drawing, const QString& path) {
    const auto saved = dxf::saveDrawing(drawing, path);
    if (!saved) {
        return saved.error().toString();
    }
    const dxf::VersionNotes& notes = saved->notes;
    QStringList& told = m_versionNotesTold[QFileInfo(path).absoluteFilePath()];
    const QStringList kinds = notes.converted + notes.leftOut;
    if (std::all_of(kinds.begin(), kinds.end(),
                    [&](const QString& k) { return told.contains(k); })) {
        return std::nullopt;
    }
    told = kinds;
    QStringList parts;
    for (const QString& kind : notes.converted) {
        parts << QStringLiteral("%1 已写为 %2").arg(kind, dxf::r12EquivalentName(kind));
    }
    if (!notes.leftOut.isEmpty()) {
        parts << QStringLiteral("%1 在 R12 中没有对应对象，未写入文件")
                     .arg(notes.leftOut.join(QStringLiteral("、")));
    }
    const QString text = QStringLiteral("%1 是 R12 格式的 DXF 文件：%2")
                             .arg(QFileInfo(path).fileName(), parts.join(QStringLiteral("，")));
    message(text + QStringLiteral("。图形中的对象不变，用“另存为”存为较新版本的 DXF 可保留它们。"));
    return std::nullopt;
}

bool MainWindow::saveTo(const QString& path) {
    const auto doc = document();
    if (const std::optional<QString> error = saveFile(*doc, path)) {
        message(QStringLiteral("保存失败: %1").arg(*error));
        return false;
    }
    doc->markSaved();
    message(QStringLiteral("已保存 %1").arg(QDir::toNativeSeparators(path)));
    updateTitle();
    return true;
}

void MainWindow::closeDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    if (const auto doc = document()) {
        m_application->closeDocument(*doc);
    }
    refreshNow();
}

void MainWindow::undo() {
    if (refuseWhileBusy()) {
        return;
    }
    const auto doc = document();
    message(doc && doc->undo() ? QStringLiteral("放弃: 一步操作已撤销")
                               : QStringLiteral("没有可放弃的操作"));
    refreshNow();
}

void MainWindow::redo() {
    if (refuseWhileBusy()) {
        return;
    }
    const auto doc = document();
    message(doc && doc->redo() ? QStringLiteral("重做: 一步操作已恢复")
                               : QStringLiteral("没有可重做的操作"));
    refreshNow();
}

}  // namespace sketchcad
