// Which texts a conversion of tab 7 accepts: only entries of the lists the search filled.
#pragma once

#include <QString>
#include <QStringList>

#include "properties/property_convert.h"

namespace properties {

// The property each conversion group changes.
enum class Property { TextStyle, Layer, Color, Linetype };

// The entries of a group's two lists.
struct ConversionLists {
    QStringList source;
    QStringList target;
};

// The hint that refuses a text of this property that no list holds, "提示：所选颜色不存在" for
// colours.
QString unlistedHint(Property property);

// The refusal of a conversion whose source or target text is no entry of its list; empty when
// both are. Entries match exactly, blanks and letter case included: a typed "1" is not the
// entry "  1(红)".
QString entryRefusal(Property property, const ConversionLists& lists, const ConversionInput& input);

}  // namespace properties
