// The search that fills the eight lists of tab 7 from the active drawing.
#pragma once

#include <QStringList>
#include <optional>

#include "cad/cad_link.h"

namespace properties {

// Each search applies the CAD guard on its own and returns nullopt when it refused (the lists
// then keep their entries). The names of a table go into both lists of their conversion, in
// table order, used or not.
std::optional<QStringList> SearchTextStyles(cad::CadLink& link);
std::optional<QStringList> SearchLayers(cad::CadLink& link);
std::optional<QStringList> SearchLinetypes(cad::CadLink& link);

struct ColorLists {
    // The colours model space uses, each once, in order of first appearance; colours 0 to 9 and
    // 256 as their colour entries, others in plain digits.
    QStringList source;
    // The eleven colour entries.
    QStringList target;
};

// Asks first when model space holds more than 300 entities; the answer No gives the eleven
// entries in both lists without reading any entity.
std::optional<ColorLists> SearchColors(cad::CadLink& link);

}  // namespace properties
