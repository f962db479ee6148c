// "判断图框大小": the sheet size of a drawing frame from the lengths of two picked edge lines.
#pragma once

#include <array>

#include "cad/cad_link.h"

namespace utilities {

// One sheet: its two sides in millimetres and its size counted in A1 sheets.
struct FrameSize {
    float side1;
    float side2;
    float a1Sheets;
};

// The ISO 216 sheets A0 to A5 and their lengthened forms, in the order they are tried.
inline constexpr std::array<FrameSize, 20> FrameSizes{{
    {841, 1189, 2},      {841, 1337, 2.25f}, {841, 1486, 2.5f},  {594, 841, 1},
    {594, 1050, 1.25f},  {594, 1261, 1.5f},  {594, 1471, 1.75f}, {594, 1682, 2},
    {420, 594, 0.5f},    {420, 743, 0.625f}, {420, 891, 0.75f},  {420, 1041, 0.875f},
    {420, 1188, 1},      {297, 420, 0.25f},  {297, 630, 0.375f}, {297, 840, 0.5f},
    {297, 1050, 0.625f}, {297, 1260, 0.75f}, {297, 210, 0.125f}, {148, 210, 0.0625f},
}};

// The first sheet whose sides the two lengths match within one unit, in either order; nullptr
// when none does. A length near side 1 decides the order: the other must then match side 2.
const FrameSize* matchFrameSize(double d0, double d1);

// Reports the A1 count or why there is none; a CAD failure reaches the caller as cad::Error,
// with the selection set deleted and nothing changed.
void CheckFrameSize(cad::CadLink& link);

}  // namespace utilities
