// What the utilities share: the on-screen pick that passes over failures, and the kind test.
#pragma once

#include <QStringView>
#include <vector>

#include "cad/cad_link.h"

namespace utilities {

// Guard passed: sets objDocument, makes "SelPart" and lets the user pick. The picked objects in
// selection order; a failing step ends the list early, leaving what was read.
std::vector<cad::Entity> pickPassingOverFailures(cad::CadLink& link);

// The entity's EntityName is `kind`, without regard to case.
bool isKind(const cad::Entity& entity, QStringView kind);

}  // namespace utilities
