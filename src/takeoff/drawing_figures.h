// The figures of one drawing: its block references by name and layer, and the drawn lengths of
// its lines, arcs, polylines and splines by layer and by linetype.
#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

#include "cad/memory/document.h"
#include "statistics/counting_rules.h"

namespace takeoff {

// The order of names in the report, a comparator for sorting: as Chinese users' file windows
// sort (pinyin), digits as numbers ("照明 2" before "照明 10"), letters without regard to case,
// the exact spelling breaking ties. One per sort: a collator serves one thread.
class NameOrder {
public:
    NameOrder();
    bool operator()(const QString& a, const QString& b) const;

private:
    QCollator m_collator;
};

// Names to keep, compared without regard to letter case; an empty list keeps all.
struct NameFilter {
    QStringList names;
    bool keeps(const QString& name) const;
};

struct Filters {
    NameFilter blocks;
    NameFilter layers;
};

// The references of one block on one layer. Block and layer are told apart without regard to
// letter case, as the block count does; each keeps the spelling met first.
struct BlockFigure {
    QString block;
    QString layer;
    qint64 count = 0;
};

// The drawn lengths (drawing units) of one layer, one linetype or the whole model space. Lines,
// arcs and both together are totalled as the line length page totals them, in single precision
// and in the drawing's order, so each is the figure that page shows; polylines and splines,
// which the page leaves out, in double precision.
struct LengthFigure {
    statistics::SingleTotal lines;
    statistics::SingleTotal arcs;
    statistics::SingleTotal linesAndArcs;
    double polylines = 0;
    double splines = 0;
};

struct DrawingFigures {
    std::vector<BlockFigure> blocks;          // by block, then layer, in name order
    std::map<QString, LengthFigure> byLayer;  // exact names, as the page compares them
    std::map<QString, LengthFigure> byLinetype;
    LengthFigure whole;
    qint64 entities = 0;  // model space entities visited
};

// Walks the model space of a drawing loaded from DXF through the automation interface, as the
// pages walk the CAD's. Only entities directly in model space count; references nested in
// blocks and everything in paper space do not. Throws cad::Error when a member fails.
DrawingFigures takeOff(const std::shared_ptr<cad::memory::Document>& drawing,
                       const Filters& filters);

}  // namespace takeoff
