// A linetype's dash pattern as a pen's dash pattern on screen.
#pragma once

#include <QVector>
#include <optional>
#include <vector>

namespace sketchcad {

struct PenDashes {
    QVector<qreal> pattern;  // pixels: dash, gap, dash, gap, ...
    qreal offset = 0;        // where in the pattern a line starts
};

// pattern: the linetype's elements in drawing units (> 0 dash, < 0 gap, 0 dot). A dot becomes
// a one-pixel dash; neighbouring elements of one kind join; a pattern that begins with a gap or
// ends with a dash is turned round so the pen's begins with a dash and ends with a gap, the
// offset keeping the line's start where the linetype puts it. None for a pattern without gaps.
std::optional<PenDashes> penDashes(const std::vector<double>& pattern, double pixelsPerUnit);

}  // namespace sketchcad
