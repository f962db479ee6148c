// Frame 11, "处理多行文字": the text editor and its exchange with the drawing's multiline texts.
#pragma once

class QWidget;

namespace pagekit {
class PageHost;
}

namespace mtext {

void buildTextEditorPage(QWidget* frame, pagekit::PageHost& host);

}  // namespace mtext
