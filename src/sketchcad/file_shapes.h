// Shapes the drawing keeps no members for (polylines, ellipses, solids, hatches, dimensions,
// splines known only by control points, the attributes of block references), and the true
// colours of entities and layers, read from the tags of the file the drawing was loaded from.
#pragma once

#include <QHash>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

#include "sketchcad/text_layout.h"

namespace dxf {
class Document;
class RecordView;
struct Record;
}  // namespace dxf

namespace cad::memory {
class Document;
class Entity;
struct LayerRecord;
struct TextStyleRecord;
}  // namespace cad::memory

namespace sketchcad {

// An attribute of a block reference: a single-line text placed in the reference's space.
struct FileText {
    SingleLineText text;
    int color = 256;
    std::optional<quint32> trueColor;  // 0xRRGGBB
    double oblique = 0;                // radians
    QTransform ocs;                    // its own coordinate system to the plan
    QString layer;
};

struct FileShape {
    std::vector<std::vector<QPointF>> paths;  // in the entity's own coordinates
    // Areas drawn filled: a solid hatch's boundaries (an island a hole), a 2D solid, the bands
    // of a polyline with widths.
    std::vector<std::vector<QPointF>> fill;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    std::optional<quint32> fillColor;   // a gradient's first colour, drawn in its place
    std::vector<QLineF> patternDashes;  // a pattern hatch's lines, in the entity's own coordinates
    QString block;                      // a dimension's picture, drawn as a block
    std::vector<FileText> attributes;   // visible ones only
    QPointF insertion;  // a reference's insertion point in the file, attributes placed from it
};

class FileShapes {
public:
    // Indexes the drawing's file records of those kinds, and references with attributes;
    // nothing for a drawing never loaded.
    explicit FileShapes(const cad::memory::Document& document);

    bool isEmpty() const { return m_shapes.isEmpty(); }
    // The file's $LTSCALE, when it has one.
    std::optional<double> ltscale() const { return m_ltscale; }
    // The shape of an entity, or null when the file had none for it.
    const FileShape* shapeOf(const cad::memory::Entity& entity) const;
    // The true colour (0xRRGGBB) the file gave an entity or layer beside its colour number. It
    // holds while that number is unchanged: a colour set since replaces it.
    std::optional<quint32> trueColorOf(const cad::memory::Entity& entity) const;
    std::optional<quint32> trueColorOf(const cad::memory::LayerRecord& layer) const;
    // A layer the file has frozen: nothing on it is drawn. The drawing offers no way to thaw it.
    bool isFrozen(const cad::memory::LayerRecord& layer) const {
        return m_frozenLayers.contains(&layer);
    }
    // From an entity's own coordinate system to the plan, for one whose extrusion direction is
    // not straight up (a mirrored arc's points the other way); null for the others.
    const QTransform* ocsOf(const cad::memory::Entity& entity) const {
        auto it = m_ocs.constFind(&entity);
        return it == m_ocs.constEnd() ? nullptr : &*it;
    }
    // Oblique angles in radians: a single-line text's own, a style's (which multiline texts
    // take); 0 where the file gave none.
    double obliqueOf(const cad::memory::Entity& text) const { return m_obliques.value(&text); }
    double obliqueOf(const cad::memory::TextStyleRecord& style) const {
        return m_styleObliques.value(&style);
    }

private:
    // The entity records of a section or a block beside the entities they stand for; a pattern
    // hatch's dashes are taken from the budget, which the whole drawing shares.
    void indexEntities(const dxf::Document& file, const std::vector<dxf::Record>& records,
                       const std::vector<std::shared_ptr<cad::memory::Entity>>& entities,
                       std::size_t& dashBudget);
    void indexEntity(const dxf::Document& file, const dxf::RecordView& view,
                     const cad::memory::Entity& e, std::size_t& dashBudget);
    void indexLayer(const dxf::RecordView& view, const cad::memory::LayerRecord& layer);

    struct TrueColor {
        quint32 rgb;
        int color;  // the colour number the file gave with it
    };

    QHash<const cad::memory::Entity*, FileShape> m_shapes;
    QHash<const cad::memory::Entity*, TrueColor> m_entityColors;
    QHash<const cad::memory::LayerRecord*, TrueColor> m_layerColors;
    QSet<const cad::memory::LayerRecord*> m_frozenLayers;
    QHash<const cad::memory::Entity*, double> m_obliques;
    QHash<const cad::memory::Entity*, QTransform> m_ocs;
    QHash<const cad::memory::TextStyleRecord*, double> m_styleObliques;
    std::optional<double> m_ltscale;
};

}  // namespace sketchcad
