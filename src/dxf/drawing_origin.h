// What a loaded drawing keeps beside it: the file's tags, and which record stands for what.
#pragma once

#include "cad/memory/document.h"
#include "dxf/document.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace dxf {

namespace memory = cad::memory;

// The tables the drawing models, in the order they are handled.
enum class Table : quint8 { Layer, Style, Linetype, BlockRecord };

// Vectors of records run parallel to the file's structure: entry i stands for member i of the
// table, block group or section, and is null where the drawing has no object for it (a
// duplicate name, a shape-file style, a record the drawing does not model).
class FileOrigin : public memory::Origin {
public:
    Document file;
    bool markers = false;  // R13 and later: subclass markers and owner handles
    bool handles = false;  // records carry group 5 handles

    std::vector<std::shared_ptr<memory::LayerRecord>> layers;
    std::vector<std::shared_ptr<memory::TextStyleRecord>> styles;
    std::vector<std::shared_ptr<memory::LinetypeRecord>> linetypes;
    std::vector<std::shared_ptr<memory::BlockRecord>> blockRecords;
    std::vector<std::shared_ptr<memory::BlockRecord>> blocks;  // BLOCKS section groups
    std::vector<std::vector<std::shared_ptr<memory::Entity>>> blockEntities;
    std::vector<std::shared_ptr<memory::Entity>> entities;  // ENTITIES section members

    // Records the drawing has but the file never had: the defaults of a new drawing the file
    // lacks, and layers that entities named without a LAYER record. They are written only once
    // changed (a layer's colour, lock or linetype).
    struct Implied {
        std::shared_ptr<memory::LayerRecord> layer;
        int color = 0;
        bool locked = false;
        QString linetype;
    };
    std::vector<Implied> impliedLayers;
    std::vector<const void*> impliedRecords;  // styles, linetypes and blocks

    // Entities written as their equivalents in the file's version (an MTEXT as TEXT records in
    // an R12 file): the values they were written from, where, and the handles of the records
    // after the first (which has the entity's own), kept from save to save.
    struct Equivalent {
        std::vector<cad::Value> values;
        std::vector<quint64> handles;
        QByteArray owner;
        bool paper = false;
    };
    std::unordered_map<const memory::Entity*, Equivalent> equivalents;

    // The current layer and text style the file stands for ($CLAYER and $TEXTSTYLE).
    QString currentLayer;
    QString textStyle;
};

// The LAYER, STYLE, LTYPE or BLOCK_RECORD table of the file, or null.
Group* tableGroup(Document& file, Table table);
QByteArrayView tableName(Table table);

}  // namespace dxf

namespace dxf {

// How the file's records meet the drawing: a loaded file fills a new drawing; the template of a
// new file only maps its records to the drawing's defaults by name, leaving the drawing as is.
enum class BindMode : quint8 { Load, Template };

void bindFile(memory::Document& drawing, FileOrigin& origin, BindMode mode);

// A handle from its hexadecimal text, or 0 when the text is none (0 takes a fresh one).
quint64 parseHandle(QByteArrayView text);
QByteArray handleText(quint64 handle);

}  // namespace dxf
