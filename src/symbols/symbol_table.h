// The library of 80 legend symbols, in list order: what the browser lists and the drawing reads.
#pragma once

#include <QStringList>
#include <vector>

#include "symbols/symbol.h"

namespace symbols {

inline constexpr int kSymbolCount = 80;

// Row i is the symbol of list entry i.
const std::vector<Symbol>& symbolTable();
// The 80 names in list order.
const QStringList& symbolNames();
// The symbol of exactly this name (no trimming, no case folding); null when there is none.
const Symbol* findSymbol(const QString& name);

}  // namespace symbols
