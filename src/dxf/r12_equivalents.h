// What an R12 file holds for the entity kinds that version lacks: a multiline text as
// single-line texts, one per line, and a spline as a polyline through its curve.
#pragma once

#include "cad/memory/entity.h"
#include "dxf/entity_records.h"

#include <QStringView>

#include <functional>
#include <vector>

namespace dxf {

namespace memory = cad::memory;

// Whether R12 has the entity kind, by its DXF name.
bool isR12Kind(QStringView dxfName);
// Whether R12 has an equivalent for a kind it lacks, and its name ("MTEXT": "TEXT").
bool hasR12Equivalent(const memory::KindSpec& kind);
QString r12EquivalentName(QStringView dxfName);

// The single-line texts standing for a multiline text, each as member values of the TEXT kind
// in slot order: one per line of its contents (blank lines leave their space), aligned as its
// attachment says, in its layer, linetype, colour, style and rotation.
std::vector<std::vector<cad::Value>> textsForMtext(const memory::Entity& mtext);

// The vertices (x, y, z, ...) of a polyline standing for a spline: it strays from the spline's
// curve by less than 1/1000 of the extent of its fit points.
std::vector<double> polylineForSpline(const memory::Entity& spline);

// The R12 records standing for an entity of a kind R12 lacks (one with an equivalent): the
// first takes the entity's handle, the others take theirs from nextHandle. Empty when the entity
// comes to nothing (a text of blank lines).
Tags r12EquivalentRecords(const memory::Entity& entity, const RecordPlace& place,
                          const std::function<quint64()>& nextHandle);

}  // namespace dxf
