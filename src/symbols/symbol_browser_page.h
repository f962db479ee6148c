// Tab 9, "电气图形符号": the symbol browser in frame 9 - list, paged thumbnails and insertion.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "pagekit/page_host.h"
#include "symbols/symbol_pages.h"
#include "symbols/symbol_table.h"

class QListWidget;
class QPushButton;

namespace symbols {

class SymbolThumbnail;

// Builds its controls in the frame it is given and lives as long as that frame.
class SymbolBrowser : public QObject {
public:
    SymbolBrowser(QWidget* frame, pagekit::PageHost& host);

    // The load-time set-up, run once by the window's start-up: every thumbnail on its page's
    // slot, page 1 shown, "上一页" disabled and no symbol chosen.
    void setUp();

    const QString& curSymbolName() const { return m_curSymbolName; }
    int lastSymbolIndex() const { return m_lastSymbolIndex; }

private:
    // The pictures of the page m_pages holds visible, the others hidden.
    void showPictures();
    // Those pictures, and the paging buttons following the page.
    void showPage();

    void turnPageForward();
    void turnPageBack();
    void chooseSelectedEntry();
    void choosePicture(int index);
    void insertChosen();

    pagekit::PageHost& m_host;
    QListWidget* m_lstBlock;
    std::array<SymbolThumbnail*, kSymbolCount> m_picBlock{};
    QPushButton* m_cmdPre;
    QPushButton* m_cmdNext;
    QPushButton* m_cmdBlock;

    SymbolPages m_pages;
    QString m_curSymbolName;
    int m_lastSymbolIndex = 0;
};

}  // namespace symbols
