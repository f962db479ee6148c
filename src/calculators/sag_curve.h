// The sag curve of an overhead conductor: checking the page, then drawing the parabola of the
// sag law f = K·l² between two picked suspension points.
#pragma once

#include <QString>
#include <optional>

#include "cad/cad_link.h"

namespace calculators {

// The page as the operation reads it: the four boxes' texts as typed and the warning switch.
struct SagCurveInput {
    QString scaleX;       // along the span
    QString scaleY;       // heights
    QString coefficient;  // K, per metre
    QString rigor;        // metres between fit points
    bool warnInverted = false;
};

// The outcome of checking the page. The spacing is set as soon as it passed, even when a later
// check refuses the click.
struct SagCheck {
    std::optional<qint64> CurveRigor;  // whole metres between fit points
    QString refusal;  // the hint of the first failing check; empty when every check passed
};

// The more fit points than this no spline is built through.
inline constexpr qint64 kMaxFitPoints = 100000;

// The checks of the OK click in their order; touches nothing.
SagCheck checkSagInput(const SagCurveInput& input);

// Asks for the two suspension points and draws the curve through fit points `CurveRigor` metres
// apart, and its vertex. Expects an input that passed checkSagInput.
void FitBSpline(const SagCurveInput& input, qint64 CurveRigor, cad::CadLink& link);

// What the OK button does: checks the page, draws, and brings the main window back to the front.
void drawSagCurve(const SagCurveInput& input, cad::CadLink& link);

}  // namespace calculators
