// Tab 9, "电气图形符号": the symbol browser in frame 9 - list, paged thumbnails and insertion.
#include "symbols/symbol_browser_page.h"

#include <QListWidget>
#include <QPushButton>

#include "pagekit/controls.h"
#include "symbols/symbol_insertion.h"
#include "symbols/symbol_preview.h"
#include "symbols/symbol_thumbnail.h"

namespace symbols {

namespace {

using pagekit::captioned;
using pagekit::twipsRect;

constexpr int kPerPage = SymbolPages::kPerPage;
constexpr int kPerColumn = 5;

// Slots fill a page column by column, top to bottom, left to right.
QRect slotPlace(int slot) {
    return twipsRect(2040 + 1200 * (slot / kPerColumn), 240 + 960 * (slot % kPerColumn), 1095, 735);
}

}  // namespace

SymbolBrowser::SymbolBrowser(QWidget* frame, pagekit::PageHost& host)
    : QObject(frame), m_host(host) {
    m_lstBlock = pagekit::control<QListWidget>(frame, QStringLiteral("LstBlock"),
                                               twipsRect(120, 240, 1815, 4545));
    m_lstBlock->addItems(symbolNames());
    // Every name fits beside the vertical bar; Windows' style would still add a horizontal one.
    m_lstBlock->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const Symbol& symbol : symbolTable()) {
        const int i = symbol.index;
        auto* picture = new SymbolThumbnail(previewPrimitives(symbol), frame);
        picture->setObjectName(pagekit::indexedName(u"PicBlock", i));
        picture->setToolTip(symbol.name);
        // Only the first page is placed here; the set-up puts the others on the same slots.
        picture->resize(slotPlace(0).size());
        if (i < kPerPage) {
            picture->move(slotPlace(i).topLeft());
        }
        connect(picture, &SymbolThumbnail::clicked, this,
                [this, i] { m_host.handle([this, i] { choosePicture(i); }); });
        // The click that comes first has chosen the picture; the double click inserts it.
        connect(picture, &SymbolThumbnail::doubleClicked, this,
                [this] { m_host.handle([this] { insertChosen(); }); });
        m_picBlock[i] = picture;
    }
    m_cmdPre = captioned<QPushButton>(frame, u"CmdPre", u"上一页", twipsRect(360, 4920, 1095, 375));
    m_cmdNext =
        captioned<QPushButton>(frame, u"CmdNext", u"下一页", twipsRect(1920, 4920, 1095, 375));
    m_cmdBlock =
        captioned<QPushButton>(frame, u"cmdBlock", u"插入", twipsRect(3840, 4920, 1095, 375));
    m_cmdBlock->setEnabled(false);

    m_host.onClick(m_cmdNext, [this] { turnPageForward(); });
    m_host.onClick(m_cmdPre, [this] { turnPageBack(); });
    m_host.onClick(m_cmdBlock, [this] { insertChosen(); });
    // Mouse and keyboard alike select an entry; focus alone only moves the list's cursor.
    connect(m_lstBlock, &QListWidget::itemSelectionChanged, this,
            [this] { m_host.handle([this] { chooseSelectedEntry(); }); });
    connect(m_lstBlock, &QListWidget::itemDoubleClicked, this,
            [this] { m_host.handle([this] { insertChosen(); }); });
}

void SymbolBrowser::setUp() {
    for (int slot = 0; slot < kPerPage; ++slot) {
        for (int k = kPerPage; k < kSymbolCount; k += kPerPage) {
            m_picBlock[slot + k]->move(m_picBlock[slot]->pos());
        }
    }
    m_cmdPre->setEnabled(false);
    m_curSymbolName.clear();
    m_pages.show(1);
    showPictures();
}

void SymbolBrowser::showPictures() {
    for (int i = 0; i < kSymbolCount; ++i) {
        m_picBlock[i]->setVisible(m_pages.showsSymbol(i));
    }
}

void SymbolBrowser::showPage() {
    showPictures();
    m_cmdPre->setEnabled(m_pages.hasPrevious());
    m_cmdNext->setEnabled(m_pages.hasNext());
}

// At either end nothing changes, the paging buttons included.
void SymbolBrowser::turnPageForward() {
    if (m_pages.turnForward()) {
        showPage();
    }
}

void SymbolBrowser::turnPageBack() {
    if (m_pages.turnBack()) {
        showPage();
    }
}

void SymbolBrowser::chooseSelectedEntry() {
    const QList<QListWidgetItem*> selected = m_lstBlock->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const int i = m_lstBlock->row(selected.first());
    m_cmdBlock->setEnabled(true);
    m_pages.show(SymbolPages::pageOf(i));
    showPage();
    m_picBlock[i]->setLook(SymbolThumbnail::Look::Selected);
    if (m_lastSymbolIndex != i) {
        m_picBlock[m_lastSymbolIndex]->setLook(SymbolThumbnail::Look::Normal);
    }
    m_lastSymbolIndex = i;
    m_curSymbolName = m_lstBlock->item(i)->text();
    m_host.ui().showHint(QStringLiteral("提示：") + m_curSymbolName);
}

// Choosing a picture is choosing its list entry, so list and pictures can never disagree.
void SymbolBrowser::choosePicture(int index) {
    if (m_lstBlock->item(index)->isSelected()) {
        chooseSelectedEntry();
    } else {
        m_lstBlock->setCurrentRow(index);
    }
}

void SymbolBrowser::insertChosen() {
    insertChosenSymbol(m_host.cadLink(), m_curSymbolName);
}

}  // namespace symbols
