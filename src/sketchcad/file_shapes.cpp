// FileShapes: LWPOLYLINE and POLYLINE vertices with bulges and widths, ELLIPSE arcs, filled
// SOLID and TRACE, 3DFACE outlines, HATCH boundaries and solid fills, the block a DIMENSION
// draws, SPLINE control points where a spline has no fit points, the ATTRIB records after an
// INSERT, and group 420 true colours.
#include "sketchcad/file_shapes.h"

#include <cmath>
#include <numbers>

#include "cad/memory/document.h"
#include "dxf/drawing_origin.h"
#include "sketchcad/curves.h"
#include "sketchcad/record_paths.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

// Group 420 of a record's own data: 0x00RRGGBB.
std::optional<quint32> trueColor(const dxf::RecordView& r) {
    const qsizetype at = r.find(420);
    if (at < 0) {
        return std::nullopt;
    }
    return quint32(dxf::toInteger(r[at].value()).value_or(0)) & 0xFFFFFF;
}

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
    return type == "POLYLINE" && !(int(dxf::toDouble(r.value(70)).value_or(0)) & (8 | 16 | 64));
}

// The plan view of the coordinate system the extrusion direction (210, 220, 230) sets up by
// the arbitrary axis rule; none for straight up.
std::optional<QTransform> ocsTransform(const dxf::RecordView& r) {
    const qsizetype at = r.find(210);
    if (at < 0) {
        return std::nullopt;
    }
    const double nx = tagNumber(r[at]);
    const double ny = dxf::toDouble(r.value(220)).value_or(0);
    const double nz = dxf::toDouble(r.value(230)).value_or(1);
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || (std::abs(nx) < 1e-12 && std::abs(ny) < 1e-12 && nz > 0)) {
        return std::nullopt;
    }
    const double n[3] = {nx / length, ny / length, nz / length};
    double ax[3];
    if (std::abs(n[0]) < 1.0 / 64 && std::abs(n[1]) < 1.0 / 64) {
        ax[0] = n[2];  // world Y across the normal
        ax[1] = 0;
        ax[2] = -n[0];
    } else {
        ax[0] = -n[1];  // world Z across the normal
        ax[1] = n[0];
        ax[2] = 0;
    }
    const double axLength = std::sqrt(ax[0] * ax[0] + ax[1] * ax[1] + ax[2] * ax[2]);
    for (double& c : ax) {
        c /= axLength;
    }
    const double ay[3] = {n[1] * ax[2] - n[2] * ax[1], n[2] * ax[0] - n[0] * ax[2],
                          n[0] * ax[1] - n[1] * ax[0]};
    return QTransform(ax[0], ax[1], ay[0], ay[1], 0, 0);
}

// Group 51 of a text, or 50 of a style, in radians; kept within the ±85° CAD programs allow.
double oblique(const dxf::RecordView& r, int code) {
    const double degrees = dxf::toDouble(r.value(code)).value_or(0);
    return std::clamp(std::isfinite(degrees) ? degrees : 0, -85.0, 85.0) * std::numbers::pi / 180;
}

FileShape outline(std::vector<QPointF> points) {
    FileShape shape;
    shape.paths.push_back(std::move(points));
    return shape;
}

// The centre line, and the areas its widths cover filled.
FileShape widePolyline(const std::vector<Vertex>& vertices, bool closed) {
    FileShape shape = outline(polylinePath(vertices, closed));
    shape.fill = polylineWidthAreas(vertices, closed);
    shape.fillRule = Qt::WindingFill;
    return shape;
}

FileShape lwpolyline(const dxf::RecordView& r) {
    std::vector<Vertex> vertices;
    int flags = 0;
    double width = 0;  // group 43, for every vertex without widths of its own
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        if (t.code() == 70) {
            flags = int(tagNumber(t));
        } else if (t.code() == 43) {
            width = tagNumber(t);
            for (Vertex& v : vertices) {
                v.startWidth = v.endWidth = width;
            }
        } else if (t.code() == 10) {
            vertices.push_back({QPointF(tagNumber(t), 0), 0, width, width});
        } else if (vertices.empty()) {
            continue;
        } else if (t.code() == 20) {
            vertices.back().at.setY(tagNumber(t));
        } else if (t.code() == 42) {
            vertices.back().bulge = tagNumber(t);
        } else if (t.code() == 40) {
            vertices.back().startWidth = tagNumber(t);
        } else if (t.code() == 41) {
            vertices.back().endWidth = tagNumber(t);
        }
    }
    return widePolyline(vertices, flags & 1);
}

FileShape polyline(const dxf::RecordView& r) {
    const int flags = int(dxf::toDouble(r.value(70)).value_or(0));
    if (flags & (16 | 64)) {
        return {};  // meshes and polyface meshes: no outline to draw in plan
    }
    // Widths of the polyline, for vertices without their own.
    const double startWidth = dxf::toDouble(r.value(40)).value_or(0);
    const double endWidth = dxf::toDouble(r.value(41)).value_or(0);
    std::vector<Vertex> vertices;
    const std::vector<qsizetype> starts = r.recordStarts();
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const qsizetype from = starts[k];
        const qsizetype to = k + 1 < starts.size() ? starts[k + 1] : r.size();
        if (!r[from].is(0, "VERTEX")) {
            continue;
        }
        Vertex v{{}, 0, startWidth, endWidth};
        for (qsizetype i = from + 1; i < to; ++i) {
            const dxf::Tag& t = r[i];
            if (t.code() == 10) {
                v.at.setX(tagNumber(t));
            } else if (t.code() == 20) {
                v.at.setY(tagNumber(t));
            } else if (t.code() == 42) {
                v.bulge = tagNumber(t);
            } else if (t.code() == 40) {
                v.startWidth = tagNumber(t);
            } else if (t.code() == 41) {
                v.endWidth = tagNumber(t);
            }
        }
        vertices.push_back(v);
    }
    return widePolyline(vertices, flags & 1);
}

FileShape ellipse(const dxf::RecordView& r) {
    auto value = [&](int code, double fallback) {
        return dxf::toDouble(r.value(code)).value_or(fallback);
    };
    const QPointF centre(value(10, 0), value(20, 0));
    const QPointF major(value(11, 1), value(21, 0));
    const double ratio = value(40, 1);
    double start = value(41, 0);
    double end = value(42, 2 * std::numbers::pi);
    if (end <= start) {
        end += 2 * std::numbers::pi;
    }
    const QPointF minor(-major.y() * ratio, major.x() * ratio);
    const int n = std::max(8, int(std::ceil((end - start) / (2 * std::numbers::pi) * 96)));
    std::vector<QPointF> pts;
    for (int i = 0; i <= n; ++i) {
        const double p = start + (end - start) * i / n;
        pts.push_back(centre + major * std::cos(p) + minor * std::sin(p));
    }
    return outline(std::move(pts));
}

// A pattern hatch needing more dashes than this shows its boundary alone, and so do the hatches
// after the drawing's first few hundred thousand dashes: each costs a stroke.
constexpr std::size_t kMaxPatternDashes = 20000;
constexpr std::size_t kPatternDashBudget = 500000;

enum class Corners : quint8 { Face, FilledZigzag };

FileShape corners(const dxf::RecordView& r, Corners order) {
    QPointF c[4];
    for (int k = 0; k < 4; ++k) {
        c[k] = QPointF(dxf::toDouble(r.value(10 + k)).value_or(0),
                       dxf::toDouble(r.value(20 + k)).value_or(0));
    }
    if (order == Corners::Face) {
        return outline({c[0], c[1], c[2], c[3], c[0]});
    }
    // SOLID and TRACE give their third and fourth corners in zigzag order, and are filled.
    std::swap(c[2], c[3]);
    FileShape shape = outline({c[0], c[1], c[2], c[3], c[0]});
    shape.fill = {{c[0], c[1], c[2], c[3]}};
    shape.fillRule = Qt::WindingFill;
    return shape;
}

// The boundaries, filled when the pattern is solid. Islands are holes by parity; the style
// that ignores islands fills only the external boundaries.
FileShape hatch(const dxf::RecordView& r, std::size_t& dashBudget) {
    FileShape shape;
    std::vector<HatchBoundary> boundaries = hatchBoundaries(r);
    const bool solid = (int(dxf::toDouble(r.value(70)).value_or(0)) & 1) ||
                       dxf::trimmedBlanks(r.value(2)).compare("SOLID", Qt::CaseInsensitive) == 0;
    const bool ignoreIslands = int(dxf::toDouble(r.value(75)).value_or(0)) == 2 &&
                               std::any_of(boundaries.begin(), boundaries.end(),
                                           [](const auto& b) { return b.flags & 1; });
    std::vector<std::vector<QPointF>> inside;
    for (HatchBoundary& b : boundaries) {
        if (!ignoreIslands || (b.flags & 1)) {
            inside.push_back(b.points);
        }
        shape.paths.push_back(std::move(b.points));
    }
    if (solid) {
        shape.fill = std::move(inside);
    } else {
        shape.patternDashes =
            hatchPatternDashes(r, inside, std::min(kMaxPatternDashes, dashBudget));
        dashBudget -= shape.patternDashes.size();
    }
    shape.fillRule = ignoreIslands ? Qt::WindingFill : Qt::OddEvenFill;
    if (int(dxf::toDouble(r.value(450)).value_or(0)) == 1) {
        if (const qsizetype at = r.find(421); at >= 0) {
            shape.fillColor = quint32(dxf::toInteger(r[at].value()).value_or(0)) & 0xFFFFFF;
        }
    }
    return shape;
}

// A spline drawn from its control points, for one that keeps no fit points.
FileShape splineFromControlPoints(const dxf::RecordView& r) {
    int degree = 3;
    std::vector<double> knots;
    std::vector<double> weights;
    std::vector<QPointF> control;
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        switch (t.code()) {
            case 71:
                degree = int(tagNumber(t));
                break;
            case 40:
                knots.push_back(tagNumber(t));
                break;
            case 41:
                weights.push_back(tagNumber(t));
                break;
            case 10:
                control.emplace_back(tagNumber(t), 0);
                break;
            case 20:
                if (!control.empty()) {
                    control.back().setY(tagNumber(t));
                }
                break;
            default:
                break;
        }
    }
    return outline(splineThroughControlPoints(degree, knots, control, weights));
}

// The visible ATTRIB records that follow a block reference.
FileShape attributes(const dxf::Document& file, const dxf::RecordView& r) {
    FileShape shape;
    shape.insertion =
        QPointF(dxf::toDouble(r.value(10)).value_or(0), dxf::toDouble(r.value(20)).value_or(0));
    const std::vector<qsizetype> starts = r.recordStarts();
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const qsizetype to = k + 1 < starts.size() ? starts[k + 1] : r.size();
        const dxf::RecordView a(r.tags().subspan(starts[k], to - starts[k]));
        if (!a[0].is(0, "ATTRIB")) {
            continue;
        }
        auto value = [&](int code, double fallback) {
            return dxf::toDouble(a.value(code)).value_or(fallback);
        };
        if (int(value(70, 0)) & 1) {
            continue;  // invisible
        }
        FileText t;
        t.text.text = file.text(a[a.find(1)]);
        t.text.insertion = QPointF(value(10, 0), value(20, 0));
        t.text.alignment = QPointF(value(11, 0), value(21, 0));
        t.text.height = value(40, 2.5);
        t.text.widthFactor = value(41, 1);
        t.text.rotation = value(50, 0) * std::numbers::pi / 180;
        t.text.horizontal = int(value(72, 0));
        t.text.vertical = int(value(74, 0));
        t.color = int(value(62, 256));
        t.trueColor = trueColor(a);
        t.oblique = oblique(a, 51);
        t.ocs = ocsTransform(a).value_or(QTransform());
        t.layer = QString::fromUtf8(a.layer());
        if (a.find(1) >= 0 && !t.text.text.isEmpty()) {
            shape.attributes.push_back(std::move(t));
        }
    }
    return shape;
}

std::optional<FileShape> recordShape(const dxf::RecordView& r, std::size_t& dashBudget) {
    const QByteArrayView type = r.type();
    if (type == "LWPOLYLINE") {
        return lwpolyline(r);
    }
    if (type == "POLYLINE") {
        return polyline(r);
    }
    if (type == "ELLIPSE") {
        return ellipse(r);
    }
    if (type == "SOLID" || type == "TRACE") {
        return corners(r, Corners::FilledZigzag);
    }
    if (type == "HATCH") {
        return hatch(r, dashBudget);
    }
    if (type == "3DFACE") {
        return corners(r, Corners::Face);
    }
    if (type == "DIMENSION") {
        FileShape shape;
        shape.block = QString::fromUtf8(r.value(2));
        return shape;
    }
    return std::nullopt;
}

}  // namespace

FileShapes::FileShapes(const memory::Document& document) {
    const auto* origin = dynamic_cast<const dxf::FileOrigin*>(document.origin());
    if (!origin) {
        return;
    }
    m_ltscale = dxf::toDouble(origin->file.headerValue("$LTSCALE"));
    std::size_t dashBudget = kPatternDashBudget;
    auto index = [&](const std::vector<dxf::Record>& records,
                     const std::vector<std::shared_ptr<memory::Entity>>& entities) {
        if (records.size() != entities.size()) {
            return;
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            const memory::Entity* e = entities[i].get();
            if (!e) {
                continue;
            }
            const dxf::RecordView view = origin->file.view(records[i]);
            if (auto rgb = trueColor(view)) {
                m_entityColors.insert(e, {*rgb, int(dxf::toInteger(view.value(62)).value_or(256))});
            }
            if (planarKind(view)) {
                if (auto ocs = ocsTransform(view)) {
                    m_ocs.insert(e, *ocs);
                }
            }
            if (&e->kind() == &memory::kinds::text()) {
                if (const double angle = oblique(view, 51); angle != 0) {
                    m_obliques.insert(e, angle);
                }
                continue;
            }
            if (&e->kind() == &memory::kinds::spline()) {
                if (e->value(cad::Member::FitPoints).toDoubles().empty() &&
                    view.type() == "SPLINE") {
                    FileShape shape = splineFromControlPoints(view);
                    if (!shape.paths.front().empty()) {
                        m_shapes.insert(e, std::move(shape));
                    }
                }
                continue;
            }
            if (&e->kind() == &memory::kinds::insert()) {
                if (view.headEnd() < view.size() && view.type() == "INSERT") {
                    FileShape shape = attributes(origin->file, view);
                    if (!shape.attributes.empty()) {
                        m_shapes.insert(e, std::move(shape));
                    }
                }
                continue;
            }
            // Otherwise only kinds that keep no geometry of their own.
            if (int(e->kind().members.size()) != memory::kCommonSlots) {
                continue;
            }
            if (view.type() != e->kind().dxfName.toLatin1()) {
                continue;
            }
            if (auto shape = recordShape(view, dashBudget)) {
                m_shapes.insert(e, std::move(*shape));
            }
        }
    };
    if (const dxf::Section* s = origin->file.section(dxf::SectionKind::Entities)) {
        index(s->members, origin->entities);
    }
    // The table's records beside the drawing's records they stand for.
    auto table = [&](dxf::Table kind, const auto& parallel, auto read) {
        const dxf::Section* s = origin->file.section(dxf::SectionKind::Tables);
        if (!s) {
            return;
        }
        for (const dxf::Group& g : s->groups) {
            if (dxf::trimmedBlanks(origin->file.view(g.head).name()) != dxf::tableName(kind) ||
                g.members.size() != parallel.size()) {
                continue;
            }
            for (std::size_t i = 0; i < g.members.size(); ++i) {
                if (parallel[i]) {
                    read(origin->file.view(g.members[i]), parallel[i].get());
                }
            }
        }
    };
    table(dxf::Table::Layer, origin->layers,
          [this](const dxf::RecordView& view, const memory::LayerRecord* layer) {
              if (int(dxf::toDouble(view.value(70)).value_or(0)) & 1) {
                  m_frozenLayers.insert(layer);
              }
              if (const auto rgb = trueColor(view)) {
                  m_layerColors.insert(layer,
                                       {*rgb, int(dxf::toInteger(view.value(62)).value_or(7))});
              }
          });
    table(dxf::Table::Style, origin->styles,
          [this](const dxf::RecordView& view, const memory::TextStyleRecord* style) {
              if (const double angle = oblique(view, 50); angle != 0) {
                  m_styleObliques.insert(style, angle);
              }
          });
    if (const dxf::Section* s = origin->file.section(dxf::SectionKind::Blocks)) {
        for (std::size_t g = 0; g < s->groups.size() && g < origin->blockEntities.size(); ++g) {
            index(s->groups[g].members, origin->blockEntities[g]);
        }
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
