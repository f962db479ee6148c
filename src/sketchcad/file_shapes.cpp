// FileShapes: LWPOLYLINE and POLYLINE vertices with bulges, ELLIPSE arcs, SOLID, TRACE and
// 3DFACE outlines, HATCH boundaries, the block a DIMENSION draws, SPLINE control points where a
// spline has no fit points, and the ATTRIB records after an INSERT.
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

FileShape outline(std::vector<QPointF> points) {
    FileShape shape;
    shape.paths.push_back(std::move(points));
    return shape;
}

FileShape lwpolyline(const dxf::RecordView& r) {
    std::vector<Vertex> vertices;
    int flags = 0;
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        if (t.code() == 70) {
            flags = int(tagNumber(t));
        } else if (t.code() == 10) {
            vertices.push_back({QPointF(tagNumber(t), 0), 0});
        } else if (t.code() == 20 && !vertices.empty()) {
            vertices.back().at.setY(tagNumber(t));
        } else if (t.code() == 42 && !vertices.empty()) {
            vertices.back().bulge = tagNumber(t);
        }
    }
    return outline(polylinePath(vertices, flags & 1));
}

FileShape polyline(const dxf::RecordView& r) {
    const int flags = int(dxf::toDouble(r.value(70)).value_or(0));
    if (flags & (16 | 64)) {
        return {};  // meshes and polyface meshes: no outline to draw in plan
    }
    std::vector<Vertex> vertices;
    const std::vector<qsizetype> starts = r.recordStarts();
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const qsizetype from = starts[k];
        const qsizetype to = k + 1 < starts.size() ? starts[k + 1] : r.size();
        if (!r[from].is(0, "VERTEX")) {
            continue;
        }
        Vertex v;
        for (qsizetype i = from + 1; i < to; ++i) {
            const dxf::Tag& t = r[i];
            if (t.code() == 10) {
                v.at.setX(tagNumber(t));
            } else if (t.code() == 20) {
                v.at.setY(tagNumber(t));
            } else if (t.code() == 42) {
                v.bulge = tagNumber(t);
            }
        }
        vertices.push_back(v);
    }
    return outline(polylinePath(vertices, flags & 1));
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

FileShape corners(const dxf::RecordView& r, bool crossed) {
    QPointF c[4];
    for (int k = 0; k < 4; ++k) {
        c[k] = QPointF(dxf::toDouble(r.value(10 + k)).value_or(0),
                       dxf::toDouble(r.value(20 + k)).value_or(0));
    }
    // SOLID and TRACE give their third and fourth corners in zigzag order.
    if (crossed) {
        std::swap(c[2], c[3]);
    }
    return outline({c[0], c[1], c[2], c[3], c[0]});
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
        t.layer = QString::fromUtf8(a.layer());
        if (a.find(1) >= 0 && !t.text.text.isEmpty()) {
            shape.attributes.push_back(std::move(t));
        }
    }
    return shape;
}

std::optional<FileShape> recordShape(const dxf::RecordView& r) {
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
        return corners(r, true);
    }
    if (type == "HATCH") {
        FileShape shape;
        shape.paths = hatchBoundaries(r);
        return shape;
    }
    if (type == "3DFACE") {
        return corners(r, false);
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
            if (&e->kind() == &memory::kinds::spline()) {
                const dxf::RecordView view = origin->file.view(records[i]);
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
                const dxf::RecordView view = origin->file.view(records[i]);
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
            const dxf::RecordView view = origin->file.view(records[i]);
            if (view.type() != e->kind().dxfName.toLatin1()) {
                continue;
            }
            if (auto shape = recordShape(view)) {
                m_shapes.insert(e, std::move(*shape));
            }
        }
    };
    if (const dxf::Section* s = origin->file.section(dxf::SectionKind::Entities)) {
        index(s->members, origin->entities);
    }
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

}  // namespace sketchcad
