// Inserting the chosen library symbol: the guard, the switch hint and the dispatch on its name.
#include "symbols/symbol_insertion.h"

#include "symbols/symbol_drawing.h"
#include "symbols/symbol_table.h"

namespace symbols {

void InsertSymbol(cad::CadLink& link, const QString& name) {
    const cad::Document active = link.objAcad.ActiveDocument();
    link.objUtility = active.Utility();
    link.objLinetypes = active.Linetypes();
    const Symbol* symbol = findSymbol(name);
    if (symbol == nullptr) {
        link.ui().showHint(QStringLiteral("提示：库内无图"));
    } else if (symbol->pick == Pick::Nothing) {
        link.ui().showHint(QStringLiteral("提示：签字项只能作者使用"));
    } else {
        drawSymbol(link, *symbol);
    }
}

void insertChosenSymbol(cad::CadLink& link, const QString& name) {
    if (!link.CheckCadReady()) {
        return;
    }
    link.ui().showHint(QStringLiteral("提示：切换至AutoCAD界面，按命令行提示执行"));
    try {
        InsertSymbol(link, name);
    } catch (const cad::Error&) {
        // The user pressed Esc at the prompt or a call failed: the insertion just stops.
    }
}

}  // namespace symbols
