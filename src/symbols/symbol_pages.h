// The symbol browser's pages: which of the four pages of twenty thumbnails is shown, and where
// paging leads from it.
#pragma once

#include "symbols/symbol_table.h"

namespace symbols {

class SymbolPages {
public:
    static constexpr int kCount = 4;
    static constexpr int kPerPage = 20;

    // The page, 1 to 4, that holds the thumbnail of this symbol.
    static int pageOf(int symbolIndex) { return symbolIndex / kPerPage + 1; }

    int shown() const { return m_shown; }
    bool showsSymbol(int symbolIndex) const { return pageOf(symbolIndex) == m_shown; }
    bool hasPrevious() const { return m_shown > 1; }
    bool hasNext() const { return m_shown < kCount; }

    void show(int page) { m_shown = page; }
    // One page on or back; at either end the page stays and the answer is false.
    bool turnForward() {
        if (!hasNext()) {
            return false;
        }
        ++m_shown;
        return true;
    }
    bool turnBack() {
        if (!hasPrevious()) {
            return false;
        }
        --m_shown;
        return true;
    }

private:
    int m_shown = 1;
};

static_assert(SymbolPages::kCount * SymbolPages::kPerPage == kSymbolCount);

}  // namespace symbols
