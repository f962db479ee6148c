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

constexpr int kPages = 4;
constexpr int kPerPage = 20;
constexpr int kPerColumn = 5;

// Slots fill a page column by column, top to bottom, left to right.
QRect slotPlace(int slot) {
    return twipsRect(2040 + 1200 * (slot / kPerColumn), 240 + 960 * (slot % kPerColumn), 1095, 735);
}

}  // namespace

SymbolBrowser::SymbolBrowser(QWidget* frame, pagekit::PageHost& host)
    : QObject(frame), m_frame(frame), m_host(host) {
    m_LstBlock = pagekit::control<QListWidget>(frame, QStringLiteral("LstBlock"),
                                               twipsRect(120, 240, 1815, 4545));
    m_LstBlock->addItems(symbolNames());
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
                [this, i] { m_host.handle([this, i] { PicBlock_Click(i); }); });
        // PicBlock_DblClick: the picture plays no part beyond the click that came first.
        connect(picture, &SymbolThumbnail::doubleClicked, this,
                [this] { m_host.handle([this] { LstBlock_DblClick(); }); });
        m_PicBlock[i] = picture;
    }
    m_CmdPre = captioned<QPushButton>(frame, u"CmdPre", u"上一页", twipsRect(360, 4920, 1095, 375));
    m_CmdNext =
        captioned<QPushButton>(frame, u"CmdNext", u"下一页", twipsRect(1920, 4920, 1095, 375));
    m_cmdBlock =
        captioned<QPushButton>(frame, u"cmdBlock", u"插入", twipsRect(3840, 4920, 1095, 375));
    m_cmdBlock->setEnabled(false);

    m_host.onClick(m_CmdNext, [this] { CmdNext_Click(); });
    m_host.onClick(m_CmdPre, [this] { CmdPre_Click(); });
    m_host.onClick(m_cmdBlock, [this] { LstBlock_DblClick(); });
    // Mouse and keyboard alike select an entry; focus alone only moves the list's cursor.
    connect(m_LstBlock, &QListWidget::itemSelectionChanged, this,
            [this] { m_host.handle([this] { LstBlock_Click(); }); });
    connect(m_LstBlock, &QListWidget::itemDoubleClicked, this,
            [this] { m_host.handle([this] { LstBlock_DblClick(); }); });
}

void SymbolBrowser::setUp() {
    for (int slot = 0; slot < kPerPage; ++slot) {
        for (int k = kPerPage; k < kSymbolCount; k += kPerPage) {
            m_PicBlock[slot + k]->move(m_PicBlock[slot]->pos());
        }
    }
    m_CmdPre->setEnabled(false);
    m_CurSymbolName.clear();
    for (int i = 0; i < kSymbolCount; ++i) {
        m_PicBlock[i]->setVisible(i < kPerPage);
    }
}

void SymbolBrowser::showPage(int page) {
    const int first = kPerPage * (page - 1);
    for (int i = 0; i < kSymbolCount; ++i) {
        m_PicBlock[i]->setVisible(i >= first && i < first + kPerPage);
    }
    m_CmdPre->setEnabled(page > 1);
    m_CmdNext->setEnabled(page < kPages);
}

bool SymbolBrowser::pageShown(int page) const {
    return m_PicBlock[kPerPage * (page - 1)]->isVisibleTo(m_frame);
}

void SymbolBrowser::CmdNext_Click() {
    for (int page = 1; page < kPages; ++page) {
        if (pageShown(page)) {
            showPage(page + 1);
            return;
        }
    }
}

void SymbolBrowser::CmdPre_Click() {
    for (int page = 2; page <= kPages; ++page) {
        if (pageShown(page)) {
            showPage(page - 1);
            return;
        }
    }
}

void SymbolBrowser::LstBlock_Click() {
    const QList<QListWidgetItem*> selected = m_LstBlock->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const int i = m_LstBlock->row(selected.first());
    m_cmdBlock->setEnabled(true);
    showPage(i / kPerPage + 1);
    m_PicBlock[i]->setLook(SymbolThumbnail::Look::Selected);
    if (m_LastSymbolIndex != i) {
        m_PicBlock[m_LastSymbolIndex]->setLook(SymbolThumbnail::Look::Normal);
    }
    m_LastSymbolIndex = static_cast<qint16>(i);
    m_CurSymbolName = m_LstBlock->item(i)->text();
    m_host.ui().ShowHint(QStringLiteral("提示：") + m_CurSymbolName);
}

// Choosing a picture is choosing its list entry, so list and pictures can never disagree.
void SymbolBrowser::PicBlock_Click(int index) {
    if (m_LstBlock->item(index)->isSelected()) {
        LstBlock_Click();
    } else {
        m_LstBlock->setCurrentRow(index);
    }
}

void SymbolBrowser::LstBlock_DblClick() {
    insertChosenSymbol(m_host.cadLink(), m_CurSymbolName);
}

}  // namespace symbols
