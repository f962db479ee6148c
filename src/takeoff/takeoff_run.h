// Taking off a set of drawings: each loaded on a worker of its own, a few at a time.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "takeoff/drawing_figures.h"

namespace takeoff {

// One drawing of the set: its file, the name it goes by in the report (its path below the folder
// it was found in), and the drawing scale its lengths are taken at.
struct DrawingEntry {
    QString path;
    QString name;
    QString scale;  // passed CheckScale
};

// Its figures, or why it could not be read.
struct DrawingResult {
    DrawingEntry entry;
    std::optional<DrawingFigures> figures;
    QString error;
};

// Called from the workers after each drawing, with the number done; never twice at once.
using Progress = std::function<void(int done, int total)>;

// Loads and takes off every drawing, at most `jobs` at once (so at most that many drawings are
// held in memory), and returns the results in the order of the entries. A drawing that fails to
// load is reported with the loader's message; the others go on.
std::vector<DrawingResult> takeOffAll(const std::vector<DrawingEntry>& entries,
                                      const Filters& filters, int jobs,
                                      const Progress& progress = {});

}  // namespace takeoff
