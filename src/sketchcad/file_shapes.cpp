// FileShapes: the shapes and looks of a loaded file's records, indexed by the entities, layers
// and styles they stand for.
#include "sketchcad/file_shapes.h"

#include "cad/memory/document.h"
#include "dxf/drawing_origin.h"
#include "sketchcad/group_codes.h"
#include "sketchcad/record_shapes.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

// Kinds whose points the file gives in their own coordinate system.
bool planarKind(const dxf::RecordView& r) {
    const QByteArrayView type = r.type();
    for (const char* kind :
         {"CIRCLE", "ARC", "TEXT", "INSERT", "LWPOLYLINE", "HATCH", "SOLID", "TRACE"}) {
        if (type == kind) {
            return true;
        }
    }
    // A 2D polyline, not a 3D one or a mesh.
    namespace code = codes::polyline;
    return type == "POLYLINE" && !(int(dxf::toDouble(r.value(code::kFlags)).value_or(0)) &
                                   (code::k3dPolyline | code::kPolygonMesh | code::kPolyfaceMesh));
}

// Calls read with each record of the table and the drawing's record it stands for.
template <typename Parallel, typename Read>
void forEachTableRecord(const dxf::FileOrigin& origin, dxf::Table kind, const Parallel& parallel,
                        Read read) {
    const dxf::Section* s = origin.file.section(dxf::SectionKind::Tables);
    if (!s) {
        return;
    }
    for (const dxf::Group& g : s->groups) {
        if (dxf::trimmedBlanks(origin.file.view(g.head).name()) != dxf::tableName(kind) ||
            g.members.size() != parallel.size()) {
            continue;
        }
        for (std::size_t i = 0; i < g.members.size(); ++i) {
            if (parallel[i]) {
                read(origin.file.view(g.members[i]), *parallel[i]);
            }
        }
    }
}

}  // namespace

FileShapes::FileShapes(const memory::Document& document) {
    const auto* origin = dynamic_cast<const dxf::FileOrigin*>(document.origin());
    if (!origin) {
        return;
    }
    m_ltscale = dxf::toDouble(origin->file.headerValue("$LTSCALE"));
    std::size_t dashBudget = kPatternDashBudget;
    if (const dxf::Section* s = origin->file.section(dxf::SectionKind::Entities)) {
        indexEntities(origin->file, s->members, origin->entities, dashBudget);
    }
    forEachTableRecord(*origin, dxf::Table::Layer, origin->layers,
                       [this](const dxf::RecordView& view, const memory::LayerRecord& layer) {
                           indexLayer(view, layer);
                       });
    forEachTableRecord(*origin, dxf::Table::Style, origin->styles,
                       [this](const dxf::RecordView& view, const memory::TextStyleRecord& style) {
                           if (const double angle = oblique(view, codes::style::kObliqueAngle);
                               angle != 0) {
                               m_styleObliques.insert(&style, angle);
                           }
                       });
    if (const dxf::Section* s = origin->file.section(dxf::SectionKind::Blocks)) {
        for (std::size_t g = 0; g < s->groups.size() && g < origin->blockEntities.size(); ++g) {
            indexEntities(origin->file, s->groups[g].members, origin->blockEntities[g], dashBudget);
        }
    }
}

void FileShapes::indexEntities(const dxf::Document& file, const std::vector<dxf::Record>& records,
                               const std::vector<std::shared_ptr<memory::Entity>>& entities,
                               std::size_t& dashBudget) {
    if (records.size() != entities.size()) {
        return;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (const memory::Entity* e = entities[i].get()) {
            indexEntity(file, file.view(records[i]), *e, dashBudget);
        }
    }
}

void FileShapes::indexEntity(const dxf::Document& file, const dxf::RecordView& view,
                             const memory::Entity& e, std::size_t& dashBudget) {
    if (auto rgb = trueColor(view)) {
        m_entityColors.insert(
            &e, {*rgb, int(dxf::toInteger(view.value(codes::kColorNumber)).value_or(256))});
    }
    if (planarKind(view)) {
        if (auto ocs = ocsTransform(view)) {
            m_ocs.insert(&e, *ocs);
        }
    }
    if (&e.kind() == &memory::kinds::text()) {
        if (const double angle = oblique(view, codes::text::kObliqueAngle); angle != 0) {
            m_obliques.insert(&e, angle);
        }
    } else if (auto shape = entityShape(file, view, e, dashBudget)) {
        m_shapes.insert(&e, std::move(*shape));
    }
}

void FileShapes::indexLayer(const dxf::RecordView& view, const memory::LayerRecord& layer) {
    if (int(dxf::toDouble(view.value(codes::layer::kFlags)).value_or(0)) & codes::layer::kFrozen) {
        m_frozenLayers.insert(&layer);
    }
    if (const auto rgb = trueColor(view)) {
        m_layerColors.insert(
            &layer, {*rgb, int(dxf::toInteger(view.value(codes::kColorNumber)).value_or(7))});
    }
}

const FileShape* FileShapes::shapeOf(const memory::Entity& entity) const {
    auto it = m_shapes.constFind(&entity);
    return it == m_shapes.constEnd() ? nullptr : &*it;
}

std::optional<quint32> FileShapes::trueColorOf(const memory::Entity& entity) const {
    if (m_entityColors.isEmpty()) {
        return std::nullopt;
    }
    auto it = m_entityColors.constFind(&entity);
    if (it == m_entityColors.constEnd() ||
        entity.slotValue(memory::kColorSlot).toInt() != it->color) {
        return std::nullopt;
    }
    return it->rgb;
}

std::optional<quint32> FileShapes::trueColorOf(const memory::LayerRecord& layer) const {
    auto it = m_layerColors.constFind(&layer);
    // A layer that is off keeps its colour number negative.
    if (it == m_layerColors.constEnd() || std::abs(layer.color) != std::abs(it->color)) {
        return std::nullopt;
    }
    return it->rgb;
}

}  // namespace sketchcad
