// The controls of frame 11 and their handlers.
#include "mtext/text_editor_page.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <array>

#include "mtext/editor_files.h"
#include "mtext/mtext_exchange.h"
#include "pagekit/controls.h"

namespace mtext {

namespace {

using namespace Qt::StringLiterals;
using pagekit::captioned;
using pagekit::control;
using pagekit::indexedName;
using pagekit::twipsRect;

const char16_t* const kFileCaptions[] = {u"新建", u"打开", u"另存"};
const char16_t* const kEditCaptions[] = {u"剪切(&t)", u"拷贝(&o)", u"粘贴(&P)"};
enum FileItem { kNew, kOpen, kSaveAs };
enum EditItem { kCut, kCopy, kPaste };

// The editor's line breaks are CR LF; the text box keeps its lines as paragraphs.
QString withCrLf(QString boxText) {
    return boxText.replace(QChar::ParagraphSeparator, u"\r\n"_s);
}

class TextEditorPage : public QObject {
public:
    TextEditorPage(QWidget* frame, pagekit::PageHost& host);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runFileItem(int index);
    void runEditItem(int index);
    void updateCutAndCopy();
    void placeText();
    void importMTexts();
    void joinTexts();

    // The raw text, so that no character of an opened file is changed on its way to a save.
    QString editorText() const { return withCrLf(m_txtEdit->document()->toRawText()); }
    QString selectedText() const { return withCrLf(m_txtEdit->textCursor().selectedText()); }

    pagekit::PageHost& m_host;
    QPlainTextEdit* m_txtEdit;
    QLineEdit* m_txtWidth;
    std::array<QPushButton*, 3> m_cmdEditItem{};
    TextEncoding m_encoding = TextEncoding::Utf8;
};

TextEditorPage::TextEditorPage(QWidget* frame, pagekit::PageHost& host)
    : QObject(frame), m_host(host) {
    m_txtEdit = control<QPlainTextEdit>(frame, u"txtEdit"_s, twipsRect(120, 120, 5340, 4200));
    m_txtEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtEdit->viewport()->setMouseTracking(true);
    m_txtEdit->viewport()->installEventFilter(this);
    // Checking on mouse moves alone would leave the buttons stale after a selection made or
    // dropped from the keyboard.
    connect(m_txtEdit, &QPlainTextEdit::selectionChanged, this, [this] { updateCutAndCopy(); });

    for (int i = 0; i < 3; ++i) {
        auto* file = control<QPushButton>(frame, indexedName(u"cmdFileItem", i),
                                          twipsRect(5580, 120 + i * 450, 1200, 375));
        file->setText(QString::fromUtf16(kFileCaptions[i]));
        m_host.onClick(file, [this, i] { runFileItem(i); });

        auto* edit = control<QPushButton>(frame, indexedName(u"cmdEditItem", i),
                                          twipsRect(5580, 1620 + i * 450, 1200, 375));
        edit->setText(QString::fromUtf16(kEditCaptions[i]));
        m_host.onClick(edit, [this, i] { runEditItem(i); });
        m_cmdEditItem[i] = edit;
    }
    m_cmdEditItem[kCut]->setEnabled(false);
    m_cmdEditItem[kCopy]->setEnabled(false);

    captioned<QLabel>(frame, u"labWidth", u"多行文字宽度", twipsRect(120, 4470, 1230, 300));
    m_txtWidth = captioned<QLineEdit>(frame, u"txtWidth", u"170", twipsRect(1380, 4440, 900, 345));
    auto* cmdConvert = captioned<QPushButton>(frame, u"cmdConvert", u"单行字转多行字(&T)",
                                              twipsRect(3000, 4425, 2460, 375));
    auto* cmdTo = captioned<QPushButton>(frame, u"cmdTo", u"导向AutoCAD图中",
                                         twipsRect(120, 4920, 2100, 375));
    auto* cmdFrom = captioned<QPushButton>(frame, u"cmdFrom", u"由AutoCAD图中导来",
                                           twipsRect(2340, 4920, 2250, 375));
    m_host.onClick(cmdTo, [this] { placeText(); });
    m_host.onClick(cmdFrom, [this] { importMTexts(); });
    m_host.onClick(cmdConvert, [this] { joinTexts(); });
}

bool TextEditorPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        updateCutAndCopy();
    }
    return QObject::eventFilter(watched, event);
}

void TextEditorPage::updateCutAndCopy() {
    const bool selected = m_txtEdit->textCursor().hasSelection();
    m_cmdEditItem[kCut]->setEnabled(selected);
    m_cmdEditItem[kCopy]->setEnabled(selected);
}

void TextEditorPage::runFileItem(int index) {
    ui::Ui& ui = m_host.ui();
    switch (index) {
        case kNew:
            m_txtEdit->clear();
            m_encoding = TextEncoding::Utf8;
            break;
        case kOpen:
            if (const std::optional<EditorText> opened = openTextFile(ui)) {
                m_txtEdit->setPlainText(opened->text);
                m_encoding = opened->encoding;
            }
            break;
        case kSaveAs:
            saveTextFileAs(ui, {editorText(), m_encoding});
            break;
    }
}

void TextEditorPage::runEditItem(int index) {
    ui::Ui& ui = m_host.ui();
    switch (index) {
        case kCut: {
            ui.setClipboardText(selectedText());
            QTextCursor cursor = m_txtEdit->textCursor();
            cursor.removeSelectedText();
            m_txtEdit->setTextCursor(cursor);
            break;
        }
        case kCopy:
            ui.setClipboardText(selectedText());
            break;
        case kPaste:
            m_txtEdit->insertPlainText(ui.clipboardText());
            break;
    }
}

void TextEditorPage::placeText() {
    MTextToDrawing(m_host.cadLink(), {m_txtWidth->text(), editorText()});
}

void TextEditorPage::importMTexts() {
    if (const std::optional<QString> imported = MTextFromDrawing(m_host.cadLink(), editorText())) {
        m_txtEdit->setPlainText(*imported);
    }
}

void TextEditorPage::joinTexts() {
    TextsToMText(m_host.cadLink(), m_txtWidth->text());
}

}  // namespace

void buildTextEditorPage(QWidget* frame, pagekit::PageHost& host) {
    new TextEditorPage(frame, host);
}

}  // namespace mtext
