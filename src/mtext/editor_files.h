// The editor's file buttons, open and save as, through the Ui's dialogs and boxes.
#pragma once

#include <QString>
#include <optional>

#include "mtext/text_file.h"
#include "ui/ui.h"

namespace mtext {

// The filter list of both file dialogs.
inline constexpr char16_t kTextFileFilter[] =
    u"All Files (*.*);;Text Files (*.txt);;Batch Files (*.bat)";

// What the editor holds: its text with CR LF line breaks, and the encoding it is saved in (that of
// the file it came from, UTF-8 for new text).
struct EditorText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Open (cmdFileItem 1): the chosen file's text, or nullopt when the editor keeps what it has (the
// dialog cancelled, a file too large or one that cannot be read).
std::optional<EditorText> openTextFile(ui::Ui& ui);

// Save as (cmdFileItem 2): asks before replacing a file and says so when the write fails.
void saveTextFileAs(ui::Ui& ui, const EditorText& editor);

}  // namespace mtext
