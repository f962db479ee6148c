// FilterChoice and the per-entity tests the operations apply to what they walk.
#pragma once

#include <QString>
#include <optional>

#include "cad/automation.h"
#include "core/colors.h"

namespace filters {

// Which entities an operation touches; one option of a tab's option group.
enum class FilterKind { All, Height, Style, Layer, Color, Linetype, Prefix };

// The selected option and the text of the box that belongs to it, read from the controls each
// time an operation runs.
struct FilterChoice {
    FilterKind kind = FilterKind::All;
    QString boxText;

    // Every kind except the all-entities option and the coordinate prefix has a box.
    bool hasBox() const { return kind != FilterKind::All && kind != FilterKind::Prefix; }
    // An operation refuses to run on this choice: its box holds nothing but blanks.
    bool boxIsBlank() const;
};

// The per-entity test of one walk. Each test reads only the one member it compares, so a walk
// over a large drawing costs one call per entity for the filter. The coordinate prefix passes
// every entity here: whether a text carries the prefix is part of the change the operation
// makes.
class EntityFilter {
public:
    // A colour choice looks its box text up in the colour rule once here, which may change the
    // shared colour number; other kinds leave the rule alone.
    EntityFilter(const FilterChoice& choice, core::ColorRule& colorRule);

    // Throws cad::Error when the member cannot be read.
    bool matches(const cad::Entity& entity) const;

private:
    FilterKind m_kind;
    QString m_boxText;
    std::optional<core::ColorTest> m_colorTest;
};

}  // namespace filters
