// The failure-tolerant pick of align left and the sum of values.
#include "utilities/picking.h"

namespace utilities {

PickedObjects pickPassingOverFailures(cad::CadLink& link) {
    PickedObjects picked;
    try {
        picked.document = link.objAcad.ActiveDocument();
        const cad::SelectionSet set = link.PickSelection();
        const int count = set.Count();
        for (int i = 0; i < count; ++i) {
            picked.entities.push_back(set.Item(i));
        }
    } catch (const cad::Error&) {
        // Whatever was read is worked on; an empty pick changes nothing.
    }
    return picked;
}

bool isKind(const cad::Entity& entity, QStringView kind) {
    return entity.EntityName().compare(kind, Qt::CaseInsensitive) == 0;
}

}  // namespace utilities
