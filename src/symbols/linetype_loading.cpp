// Loading a symbol's linetype, failures ignored.
#include "symbols/linetype_loading.h"

using namespace Qt::StringLiterals;

namespace symbols {

void loadLinetype(cad::CadLink& link, const QString& name) {
    try {
        link.objLinetypes.Load(name, u"acad.lin"_s);
    } catch (const cad::Error&) {
        // Already loaded, or not in the file: the symbol is drawn either way.
    }
}

}  // namespace symbols
