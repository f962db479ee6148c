// The cable type query: the design current of a three-phase load and the cable its size needs.
#pragma once

#include <QString>

#include "ui/ui.h"

namespace calculators {

enum class InputMode { Power, Current };
enum class CoreMaterial { Copper, Aluminium };

// The page as a query reads it: the two boxes' texts as typed and the two option groups.
struct CableQueryInput {
    QString load;  // kW in power mode, A in current mode
    QString powerFactor;
    InputMode mode = InputMode::Power;
    CoreMaterial material = CoreMaterial::Copper;
};

// The design current in amperes of a load of loadText kW at powerFactorText on 380 V, by the
// leading numbers of the trimmed texts, rounded to single precision.
float CurrentOfLoad(const QString& loadText, const QString& powerFactorText);

// The designation of the smallest cable whose threshold the current stays below, or the notice
// that one cable is not enough.
QString cableDesignation(float current, CoreMaterial material);

// Shows "提示：" and the designation for the current the input gives.
void QueryCableType(const CableQueryInput& input, ui::Ui& ui);

// Checks both boxes, each refusal with its hint, and queries only when both pass.
void proposeCableType(const CableQueryInput& input, ui::Ui& ui);

}  // namespace calculators
