// The 256 AutoCAD Color Index entries as RGB, and how an entity's colour number resolves.
#pragma once

#include <QtGlobal>

namespace sketchcad {

inline constexpr int kByBlock = 0;
inline constexpr int kByLayer = 256;

// 0xRRGGBB of an index 1..255; index 7 is white (drawn on a dark background). Indices out of
// range give white.
quint32 aciRgb(int index);

// The colour index an entity is drawn in: its own, its layer's for by-layer, the enclosing
// block reference's for by-block (white at the top level, where nothing encloses it).
int resolveColor(int entityColor, int layerColor, int blockColor);

}  // namespace sketchcad
