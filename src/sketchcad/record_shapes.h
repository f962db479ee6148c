// The shapes of the DXF records a drawing keeps no members for, and what a record says of its
// look: true colour, coordinate system, oblique angle.
#pragma once

#include <QTransform>
#include <cstddef>
#include <optional>

#include "dxf/document.h"
#include "sketchcad/file_shapes.h"

namespace sketchcad {

// The true colour of a record's own data: 0x00RRGGBB.
std::optional<quint32> trueColor(const dxf::RecordView& r);

// The plan view of the coordinate system the extrusion direction sets up by the arbitrary axis
// rule; none for straight up.
std::optional<QTransform> ocsTransform(const dxf::RecordView& r);

// The oblique angle of a text or a style (at code) in radians; kept within the ±85° CAD
// programs allow.
double oblique(const dxf::RecordView& r, int code);

// The pattern hatches after the drawing's first few hundred thousand dashes show their boundary
// alone: each dash costs a stroke.
constexpr std::size_t kPatternDashBudget = 500000;

// The shape of an entity whose record the file drew more of than the drawing keeps (its
// polyline, hatch, attributes …), if any; a pattern hatch takes its dashes from the budget.
std::optional<FileShape> entityShape(const dxf::Document& file, const dxf::RecordView& view,
                                     const cad::memory::Entity& e, std::size_t& dashBudget);

}  // namespace sketchcad
