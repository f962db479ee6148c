// The per-entity tests of the filter panels.
#include "filters/filter_choice.h"

#include "core/text.h"
#include "filters/height_text.h"

namespace filters {

bool FilterChoice::boxIsBlank() const {
    return hasBox() && core::isBlank(boxText);
}

EntityFilter::EntityFilter(const FilterChoice& choice, core::ColorRule& colorRule)
    : m_kind(choice.kind), m_boxText(choice.boxText) {
    if (m_kind == FilterKind::Color) {
        m_colorTest = colorRule.prepare(m_boxText);
    }
}

bool EntityFilter::matches(const cad::Entity& entity) const {
    switch (m_kind) {
        case FilterKind::All:
        case FilterKind::Prefix:
            return true;
        case FilterKind::Height:
            return filters::heightMatches(entity.Height(), m_boxText);
        case FilterKind::Style:
            return entity.StyleName() == m_boxText;
        case FilterKind::Layer:
            return entity.Layer() == m_boxText;
        case FilterKind::Linetype:
            return entity.Linetype() == m_boxText;
        case FilterKind::Color:
            return m_colorTest->matches(entity.Color());
    }
    Q_UNREACHABLE();
    return false;
}

}  // namespace filters
