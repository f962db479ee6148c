// One walk over model space collects every figure of the drawing.
#include "takeoff/drawing_figures.h"

#include <QHash>

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "cad/automation.h"
#include "dxf/drawing_origin.h"
#include "takeoff/curve_length.h"

namespace takeoff {

namespace {

using statistics::Segment;

// The records of the file's model space entities, for the curves the drawing does not model
// member by member.
class CurveRecords {
public:
    explicit CurveRecords(const cad::memory::Document& drawing)
        : m_origin(dynamic_cast<const dxf::FileOrigin*>(drawing.origin())) {}

    std::optional<double> length(const cad::Object* entity) {
        if (m_origin == nullptr) {
            return std::nullopt;
        }
        if (m_index.empty()) {
            index();
        }
        const auto it = m_index.find(entity);
        if (it == m_index.end()) {
            return std::nullopt;
        }
        return curveLength(m_origin->file.view(it->second));
    }

private:
    void index() {
        const dxf::Section* section = m_origin->file.section(dxf::SectionKind::Entities);
        if (section == nullptr) {
            return;
        }
        const size_t n = std::min(section->members.size(), m_origin->entities.size());
        for (size_t i = 0; i < n; ++i) {
            if (m_origin->entities[i]) {
                m_index.emplace(m_origin->entities[i].get(), section->members[i]);
            }
        }
    }

    const dxf::FileOrigin* m_origin;
    std::unordered_map<const cad::Object*, dxf::Record> m_index;
};

enum class Curve { None, Segment, Polyline, Spline };

Curve curveOf(const QString& entityName, Segment segment) {
    using namespace Qt::StringLiterals;
    static const QString kPolylines[] = {u"AcDbPolyline"_s, u"AcDb2dPolyline"_s,
                                         u"AcDb3dPolyline"_s};
    if (segment != Segment::None) {
        return Curve::Segment;
    }
    if (std::find(std::begin(kPolylines), std::end(kPolylines), entityName) !=
        std::end(kPolylines)) {
        return Curve::Polyline;
    }
    return entityName == u"AcDbSpline"_s ? Curve::Spline : Curve::None;
}

void addLength(LengthFigure& figure, Curve curve, Segment segment, double length) {
    switch (curve) {
        case Curve::Segment:
            (segment == Segment::Line ? figure.lines : figure.arcs).add(length);
            figure.linesAndArcs.add(length);
            break;
        case Curve::Polyline:
            figure.polylines += length;
            break;
        case Curve::Spline:
            figure.splines += length;
            break;
        case Curve::None:
            break;
    }
}

// Block references counted under case-folded keys, each keeping the spelling met first.
class BlockTally {
public:
    void add(const QString& block, const QString& layer) {
        const QString key = block.toLower() + QChar(0) + layer.toLower();
        auto it = m_index.constFind(key);
        if (it == m_index.constEnd()) {
            it = m_index.insert(key, m_figures.size());
            m_figures.push_back({block, layer, 0});
        }
        ++m_figures[*it].count;
    }

    std::vector<BlockFigure> sorted() && {
        // By the folded names the tally told apart by, so that one block's rows stay together.
        const NameOrder before;
        std::sort(m_figures.begin(), m_figures.end(), [&before](const auto& a, const auto& b) {
            const QString blockA = a.block.toLower(), blockB = b.block.toLower();
            if (blockA != blockB) {
                return before(blockA, blockB);
            }
            return before(a.layer.toLower(), b.layer.toLower());
        });
        return std::move(m_figures);
    }

private:
    QHash<QString, qsizetype> m_index;
    std::vector<BlockFigure> m_figures;
};

}  // namespace

NameOrder::NameOrder() : m_collator(QLocale(QLocale::Chinese, QLocale::China)) {
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool NameOrder::operator()(const QString& a, const QString& b) const {
    const int order = m_collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

bool NameFilter::keeps(const QString& name) const {
    return names.isEmpty() || names.contains(name, Qt::CaseInsensitive);
}

DrawingFigures takeOff(const std::shared_ptr<cad::memory::Document>& drawing,
                       const Filters& filters) {
    DrawingFigures figures;
    CurveRecords records(*drawing);
    BlockTally blocks;
    const cad::ModelSpace items = cad::Document(drawing).ModelSpace();
    const int count = items.Count();
    for (int i = 0; i < count; ++i) {
        const cad::Entity entity = items.Item(i);
        const QString name = entity.EntityName();
        const Segment segment = statistics::segmentOf(name);
        const Curve curve = curveOf(name, segment);
        const bool reference = curve == Curve::None && statistics::isBlockReference(name);
        if (curve == Curve::None && !reference) {
            continue;
        }
        const QString layer = entity.Layer();
        if (!filters.layers.keeps(layer)) {
            continue;
        }
        if (reference) {
            const QString block = entity.Name();
            if (filters.blocks.keeps(block)) {
                blocks.add(block, layer);
            }
            continue;
        }
        std::optional<double> length;
        if (curve == Curve::Segment) {
            length = statistics::segmentLength(entity, segment);
        } else {
            length = records.length(entity.object().get());
        }
        if (!length) {
            continue;
        }
        addLength(figures.byLayer[layer], curve, segment, *length);
        addLength(figures.byLinetype[entity.Linetype()], curve, segment, *length);
        addLength(figures.whole, curve, segment, *length);
    }
    figures.entities = count;
    figures.blocks = std::move(blocks).sorted();
    return figures;
}

}  // namespace takeoff
