// The refusal of texts that are no entries of their lists.
#include "properties/conversion_entries.h"

using namespace Qt::StringLiterals;

namespace properties {

QString unlistedHint(Property property) {
    switch (property) {
        case Property::TextStyle:
            return u"提示：所选字型不存在"_s;
        case Property::Layer:
            return u"提示：所选层不存在"_s;
        case Property::Color:
            return u"提示：所选颜色不存在"_s;
        case Property::Linetype:
            return u"提示：所选线型不存在"_s;
    }
    return {};
}

QString entryRefusal(Property property, const ConversionLists& lists,
                     const ConversionInput& input) {
    if (lists.source.contains(input.source) && lists.target.contains(input.target)) {
        return {};
    }
    return unlistedHint(property);
}

}  // namespace properties
