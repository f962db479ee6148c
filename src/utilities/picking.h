// What the utilities share: the on-screen pick that passes over failures, and the kind test.
#pragma once

#include <QStringView>
#include <vector>

#include "cad/cad_link.h"

namespace utilities {

// The active document and what the user picked in it, in selection order.
struct PickedObjects {
    cad::Document document;
    std::vector<cad::Entity> entities;
};

// Guard passed: takes the active document, makes "SelPart" and lets the user pick. A failing
// step ends the list early, leaving what was read (and no document when that step failed).
PickedObjects pickPassingOverFailures(cad::CadLink& link);

// The entity's EntityName is `kind`, without regard to case.
bool isKind(const cad::Entity& entity, QStringView kind);

}  // namespace utilities
