// Open and save as of the text editor.
#include "mtext/editor_files.h"

#include <QFileInfo>

#include "mtext/busy_pointer.h"

namespace mtext {

namespace {

using namespace Qt::StringLiterals;

LoadedText LoadTextFile(ui::Ui& ui, const QString& path) {
    BusyPointer busy(ui);
    return readTextFile(path);
}

void SaveTextFile(ui::Ui& ui, const QString& path, const EditorText& editor) {
    if (QFileInfo::exists(path)) {
        const ui::Answer answer =
            ui.messageBox(path + u"文件已经存在，要替换它吗?"_s, ui::Buttons::YesNo,
                          ui::Icon::Question, ui::Answer::No);
        if (answer != ui::Answer::Yes) {
            return;
        }
    }
    if (writeTextFile(path, editor.text, editor.encoding) == SaveStatus::Failed) {
        ui.showHint(u"提示：关闭文件时出错, 重试"_s);
    }
}

}  // namespace

std::optional<EditorText> openTextFile(ui::Ui& ui) {
    const std::optional<QString> path = ui.openFileName(QString::fromUtf16(kTextFileFilter));
    if (!path) {
        return std::nullopt;
    }
    const LoadedText loaded = LoadTextFile(ui, *path);
    switch (loaded.status) {
        case LoadedText::Status::Loaded:
            return EditorText{loaded.text, loaded.encoding};
        case LoadedText::Status::TooLarge:
            ui.showHint(u"提示：文件不宜过大"_s);
            break;
        case LoadedText::Status::Unreadable:
            // Emptying the editor for a file that yields nothing would throw its text away.
            break;
    }
    return std::nullopt;
}

void saveTextFileAs(ui::Ui& ui, const EditorText& editor) {
    const std::optional<QString> path = ui.saveFileName(QString::fromUtf16(kTextFileFilter));
    if (!path || path->isEmpty()) {
        return;
    }
    SaveTextFile(ui, *path, editor);
}

}  // namespace mtext
