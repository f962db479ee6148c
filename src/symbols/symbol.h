// One legend symbol as data: what it asks for, what it loads and the primitives it draws.
#pragma once

#include <QPointF>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace symbols {

// Primitives are in symbol-local coordinates: offsets from the picked point P, drawing units.
struct Line {
    QPointF start;
    QPointF end;
    std::optional<int> color;  // a colour index set after creation; none keeps the current one
    QString linetype;          // set with linetype scale 1 after creation; empty keeps the current
};

struct Circle {
    QPointF centre;
    double radius = 0;
};

// Runs counter-clockwise from startAngle to endAngle (radians).
struct Arc {
    QPointF centre;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;
};

// A single-line text at its insertion point (left end of the base line).
struct Text {
    QString text;
    QPointF at;
    double height = 0;
    double widthFactor = 1;
    std::optional<double> rotation;  // radians; none leaves the text horizontal
};

using Primitive = std::variant<Line, Circle, Arc, Text>;
using Primitives = std::vector<Primitive>;

// What the symbol asks of the user before drawing. Each single-point kind names the point of the
// symbol that lands on the pick; the last two are the two special entries of the library.
enum class Pick {
    CircleCentre,
    LowerEnd,
    BottomEdgeCentre,
    BottomCentre,
    CircleLeftEnd,
    TopEdgeCentre,
    LeftEnd,
    BelowMiddleElectrode,
    LargeCircleCentre,
    RedLineTopEnd,
    LineRightEnd,
    Centre,
    CableEnds,  // two points: the buried cable between them
    Nothing,    // the signature entry: no pick, no drawing
};

// The command-line prompt of a single-point pick; empty for the two special kinds.
QString promptText(Pick pick);

// The plane the primitives lie in: that of the picked point, or z = 0 whatever was picked.
enum class Plane { Picked, Ground };

struct Symbol {
    int index = 0;  // position in the library's list, and of its thumbnail
    QString name;
    Pick pick = Pick::CircleCentre;
    QString linetype;  // loaded from the CAD's own linetype file before the pick; empty for none
    Plane plane = Plane::Picked;
    Primitives primitives;
};

}  // namespace symbols
