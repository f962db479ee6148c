// What the totals and counts take from an entity: the kind rules, the lengths and the running
// total in single precision, shared by the pages and the take-off over many drawings.
#pragma once

#include <QString>

#include <optional>

#include "cad/automation.h"

namespace statistics {

// The segments a length total takes, told by the entity's EntityName, exactly as written.
enum class Segment { None, Line, Arc };
Segment segmentOf(const QString& entityName);

// The drawn length of a line (its plan distance) or of an arc (counterclockwise, start to end).
double segmentLength(const cad::Entity& entity, Segment segment);

// A block reference, told by its EntityName without regard to letter case.
bool isBlockReference(const QString& entityName);

// The running total of lengths as the totals show it: each length, computed in double
// precision, is added to a single-precision total, and the result in metres is divided in
// single precision too, so it carries about seven significant digits.
class SingleTotal {
public:
    void add(double length);
    // The total at the drawing ratio (drawing length per real length) in metres, or nothing when
    // it overflows.
    std::optional<float> metres(double ratio) const;

private:
    float m_total = 0;
};

}  // namespace statistics
