// Shapes the drawing keeps no members for (polylines, ellipses, solids, dimensions, splines
// known only by control points, the attributes of block references), read from the tags of the
// file the drawing was loaded from.
#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

#include "sketchcad/text_layout.h"

namespace cad::memory {
class Document;
class Entity;
}  // namespace cad::memory

namespace sketchcad {

// An attribute of a block reference: a single-line text placed in the reference's space.
struct FileText {
    SingleLineText text;
    int color = 256;
    QString layer;
};

struct FileShape {
    std::vector<std::vector<QPointF>> paths;  // in the entity's own coordinates
    QString block;                            // a dimension's picture, drawn as a block
    std::vector<FileText> attributes;         // visible ones only
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

private:
    QHash<const cad::memory::Entity*, FileShape> m_shapes;
    std::optional<double> m_ltscale;
};

}  // namespace sketchcad
