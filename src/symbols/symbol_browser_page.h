// Tab 9, "电气图形符号": the symbol browser in frame 9 - list, paged thumbnails and insertion.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "pagekit/page_host.h"
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

    const QString& curSymbolName() const { return m_CurSymbolName; }
    int lastSymbolIndex() const { return m_LastSymbolIndex; }

private:
    // Page p (1-4) visible, the others hidden, and the paging buttons following it.
    void showPage(int page);
    // The page whose pictures are visible, read from the pictures themselves.
    bool pageShown(int page) const;

    void CmdNext_Click();
    void CmdPre_Click();
    void LstBlock_Click();
    void PicBlock_Click(int index);
    void LstBlock_DblClick();

    QWidget* m_frame;
    pagekit::PageHost& m_host;
    QListWidget* m_LstBlock;
    std::array<SymbolThumbnail*, kSymbolCount> m_PicBlock{};
    QPushButton* m_CmdPre;
    QPushButton* m_CmdNext;
    QPushButton* m_cmdBlock;

    QString m_CurSymbolName;
    qint16 m_LastSymbolIndex = 0;
};

}  // namespace symbols
