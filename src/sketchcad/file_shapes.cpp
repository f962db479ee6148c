// FileShapes: LWPOLYLINE and POLYLINE vertices with bulges, ELLIPSE arcs, SOLID, TRACE and
// 3DFACE outlines, HATCH boundaries, the block a DIMENSION draws, SPLINE control points where a
// spline has no fit points, and the ATTRIB records after an INSERT.
#include "sketchcad/file_shapes.h"

#include <cmath>
#include <numbers>

#include "cad/memory/document.h"
#include "dxf/drawing_origin.h"
#include "sketchcad/curves.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

double number(const dxf::Tag& tag) {
    return dxf::toDouble(tag.value()).value_or(0);
}

FileShape outline(std::vector<QPointF> points) {
    FileShape shape;
    shape.paths.push_back(std::move(points));
    return shape;
}

struct Vertex {
    QPointF at;
    double bulge = 0;
};

// Vertices joined by straight segments or, where a bulge is given, by arcs (bulge: tangent
// of a quarter of the arc's angle, positive counter-clockwise).
std::vector<QPointF> polylinePath(const std::vector<Vertex>& vertices, bool closed) {
    std::vector<QPointF> pts;
    const std::size_t n = vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = vertices[i];
        pts.push_back(v.at);
        const bool last = i + 1 == n;
        if (last && !closed) {
            break;
        }
        const QPointF next = vertices[last ? 0 : i + 1].at;
        if (v.bulge != 0 && next != v.at) {
            const double angle = 4 * std::atan(v.bulge);
            const QPointF chord = next - v.at;
            const double length = std::hypot(chord.x(), chord.y());
            const double radius = length / (2 * std::sin(std::abs(angle) / 2));
            // The centre lies off the chord's middle, to the left for a positive bulge.
            const QPointF mid = (v.at + next) / 2;
            const QPointF normal(-chord.y() / length, chord.x() / length);
            const double offset = radius * std::cos(angle / 2) * (angle > 0 ? 1 : -1);
            const QPointF centre = mid + normal * offset;
            const double a0 = std::atan2(v.at.y() - centre.y(), v.at.x() - centre.x());
            const double a1 = std::atan2(next.y() - centre.y(), next.x() - centre.x());
            std::vector<QPointF> arc =
                angle > 0 ? arcPoints(centre, radius, a0, a1) : arcPoints(centre, radius, a1, a0);
            if (angle < 0) {
                std::reverse(arc.begin(), arc.end());
            }
            pts.insert(pts.end(), arc.begin() + 1, arc.end() - 1);
        }
        if (last) {
            pts.push_back(vertices[0].at);
        }
    }
    return pts;
}

FileShape lwpolyline(const dxf::RecordView& r) {
    std::vector<Vertex> vertices;
    int flags = 0;
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        if (t.code() == 70) {
            flags = int(number(t));
        } else if (t.code() == 10) {
            vertices.push_back({QPointF(number(t), 0), 0});
        } else if (t.code() == 20 && !vertices.empty()) {
            vertices.back().at.setY(number(t));
        } else if (t.code() == 42 && !vertices.empty()) {
            vertices.back().bulge = number(t);
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
                v.at.setX(number(t));
            } else if (t.code() == 20) {
                v.at.setY(number(t));
            } else if (t.code() == 42) {
                v.bulge = number(t);
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

// Reads a hatch's tags in their fixed order; a code out of place ends the reading.
class TagCursor {
public:
    TagCursor(const dxf::RecordView& r, qsizetype from) : m_r(r), m_at(from), m_end(r.dataEnd()) {}

    bool ok() const { return m_ok; }
    bool next(int code) const { return m_ok && m_at < m_end && m_r[m_at].code() == code; }
    double take(int code, double fallback = 0) {
        if (!next(code)) {
            m_ok = false;
            return fallback;
        }
        return number(m_r[m_at++]);
    }
    double optional(int code, double fallback) { return next(code) ? take(code) : fallback; }
    QPointF point(int code) {
        const double x = take(code);
        return {x, take(code + 10)};
    }

private:
    const dxf::RecordView& m_r;
    qsizetype m_at;
    qsizetype m_end;
    bool m_ok = true;
};

constexpr double kDegree = std::numbers::pi / 180;

// One boundary path made of edges: lines, arcs, elliptic arcs and splines, end to end.
std::vector<QPointF> hatchEdges(TagCursor& c) {
    std::vector<QPointF> pts;
    auto append = [&](std::vector<QPointF> part) {
        pts.insert(pts.end(), part.begin(), part.end());
    };
    const int edges = int(c.take(93));
    for (int i = 0; i < edges && c.ok(); ++i) {
        switch (int(c.take(72))) {
            case 1: {
                const QPointF a = c.point(10);
                append({a, c.point(11)});
                break;
            }
            case 2: {
                const QPointF centre = c.point(10);
                const double r = c.take(40);
                const double a0 = c.take(50) * kDegree;
                const double a1 = c.take(51) * kDegree;
                if (c.optional(73, 1) != 0) {
                    append(arcPoints(centre, r, a0, a1));
                } else {
                    // Clockwise: the angles are given mirrored.
                    auto arc = arcPoints(centre, r, -a1, -a0);
                    std::reverse(arc.begin(), arc.end());
                    append(std::move(arc));
                }
                break;
            }
            case 3: {
                const QPointF centre = c.point(10);
                const QPointF major = c.point(11);
                const double ratio = c.take(40);
                double p0 = c.take(50) * kDegree;
                double p1 = c.take(51) * kDegree;
                const bool ccw = c.optional(73, 1) != 0;
                if (!ccw) {
                    std::swap(p0, p1);
                    p0 = -p0;
                    p1 = -p1;
                }
                if (p1 <= p0) {
                    p1 += 2 * std::numbers::pi;
                }
                const QPointF minor(-major.y() * ratio, major.x() * ratio);
                std::vector<QPointF> arc;
                for (int k = 0; k <= 48; ++k) {
                    const double t = p0 + (p1 - p0) * k / 48;
                    arc.push_back(centre + major * std::cos(t) + minor * std::sin(t));
                }
                if (!ccw) {
                    std::reverse(arc.begin(), arc.end());
                }
                append(std::move(arc));
                break;
            }
            case 4: {
                const int degree = int(c.take(94));
                const bool rational = c.take(73) != 0;
                c.take(74);
                const int knotCount = int(c.take(95));
                const int controlCount = int(c.take(96));
                std::vector<double> knots;
                for (int k = 0; k < knotCount && c.ok(); ++k) {
                    knots.push_back(c.take(40));
                }
                std::vector<QPointF> control;
                std::vector<double> weights;
                for (int k = 0; k < controlCount && c.ok(); ++k) {
                    control.push_back(c.point(10));
                    if (rational) {
                        weights.push_back(c.optional(42, 1));
                    }
                }
                if (c.next(97)) {
                    const int fit = int(c.take(97));
                    for (int k = 0; k < fit && c.ok(); ++k) {
                        c.point(11);
                    }
                    if (c.next(12)) {
                        c.point(12);
                        c.point(13);
                    }
                }
                append(splineThroughControlPoints(degree, knots, control, weights));
                break;
            }
            default:
                return pts;  // an edge type unknown: what came before is kept
        }
    }
    return pts;
}

// The outlines of a hatch's boundary paths; the fill itself is not drawn.
FileShape hatch(const dxf::RecordView& r) {
    FileShape shape;
    const qsizetype paths = r.find(91);
    if (paths < 0) {
        return shape;
    }
    TagCursor c(r, paths);
    const int count = int(c.take(91));
    for (int p = 0; p < count && c.ok(); ++p) {
        const int flags = int(c.take(92));
        if (flags & 2) {
            const bool bulges = c.take(72) != 0;
            const bool closed = c.take(73) != 0;
            const int n = int(c.take(93));
            std::vector<Vertex> vertices;
            for (int k = 0; k < n && c.ok(); ++k) {
                Vertex v{c.point(10), 0};
                if (bulges) {
                    v.bulge = c.optional(42, 0);
                }
                vertices.push_back(v);
            }
            shape.paths.push_back(polylinePath(vertices, closed));
        } else {
            shape.paths.push_back(hatchEdges(c));
        }
        // The source boundary objects.
        const int sources = int(c.optional(97, 0));
        for (int k = 0; k < sources && c.next(330); ++k) {
            c.take(330);
        }
    }
    std::erase_if(shape.paths, [](const auto& path) { return path.size() < 2; });
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
                degree = int(number(t));
                break;
            case 40:
                knots.push_back(number(t));
                break;
            case 41:
                weights.push_back(number(t));
                break;
            case 10:
                control.emplace_back(number(t), 0);
                break;
            case 20:
                if (!control.empty()) {
                    control.back().setY(number(t));
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
        return hatch(r);
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
