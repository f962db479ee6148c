// Shapes the drawing keeps no members for (polylines, ellipses, solids, dimensions), read from
// the tags of the file the drawing was loaded from.
#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <vector>

namespace cad::memory {
class Document;
class Entity;
}  // namespace cad::memory

namespace sketchcad {

struct FileShape {
    std::vector<std::vector<QPointF>> paths;  // in the entity's own coordinates
    QString block;                            // a dimension's picture, drawn as a block
};

class FileShapes {
public:
    // Indexes the drawing's file records of those kinds; nothing for a drawing never loaded.
    explicit FileShapes(const cad::memory::Document& document);

    bool isEmpty() const { return m_shapes.isEmpty(); }
    // The shape of an entity, or null when the file had none for it.
    const FileShape* shapeOf(const cad::memory::Entity& entity) const;

private:
    QHash<const cad::memory::Entity*, FileShape> m_shapes;
};

}  // namespace sketchcad
