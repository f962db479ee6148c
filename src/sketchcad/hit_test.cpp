// Hit testing on the scene's cached geometry: segments against rectangles and points.
#include "sketchcad/hit_test.h"

#include <QLineF>
#include <QPolygonF>
#include <cmath>

namespace sketchcad {

namespace {

// Liang-Barsky: does the segment reach into the rectangle?
bool segmentTouches(QPointF a, QPointF b, const Box& r) {
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.minX, r.maxX - a.x(), a.y() - r.minY, r.maxY - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, d) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(p, a + d * t).length();
}

QPolygonF quad(const TextRun& t) {
    const auto c = t.corners();
    return QPolygonF({c[0], c[1], c[2], c[3], c[0]});
}

// Inside a filled area by its fill rule: an island's hole is outside.
bool insideFill(const Scene& scene, const Fill& fill, QPointF p) {
    int around = 0;
    for (quint32 i = fill.firstLoop; i < fill.firstLoop + fill.loopCount; ++i) {
        const Loop& loop = scene.loops[i];
        const QPolygonF polygon(QList<QPointF>(scene.points.begin() + loop.first,
                                               scene.points.begin() + loop.first + loop.count));
        if (polygon.containsPoint(p, Qt::OddEvenFill)) {
            ++around;
        }
    }
    return fill.rule == Qt::WindingFill ? around > 0 : around % 2 == 1;
}

bool itemTouches(const Scene& scene, const Item& item, const Box& rect) {
    for (quint32 s = item.strokeBegin; s < item.strokeEnd; ++s) {
        const Stroke& st = scene.strokes[s];
        const QPointF* pts = scene.points.data() + st.first;
        if (st.count == 1 && rect.contains(pts[0])) {
            return true;
        }
        for (quint32 i = 1; i < st.count; ++i) {
            if (segmentTouches(pts[i - 1], pts[i], rect)) {
                return true;
            }
        }
    }
    for (quint32 t = item.textBegin; t < item.textEnd; ++t) {
        const QPolygonF q = quad(scene.texts[t]);
        for (int i = 1; i < q.size(); ++i) {
            if (segmentTouches(q[i - 1], q[i], rect)) {
                return true;
            }
        }
        if (q.containsPoint(rect.center(), Qt::OddEvenFill)) {
            return true;
        }
    }
    for (const Fill& f : scene.fillsOf(std::size_t(&item - scene.items.data()))) {
        if (insideFill(scene, f, rect.center())) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<int> itemsInWindow(const Scene& scene, const Box& rect) {
    std::vector<int> found;
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (rect.contains(scene.items[i].box)) {
            found.push_back(int(i));
        }
    }
    return found;
}

std::vector<int> itemsCrossing(const Scene& scene, const Box& rect) {
    std::vector<int> found;
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        const Item& item = scene.items[i];
        if (!rect.intersects(item.box)) {
            continue;
        }
        if (rect.contains(item.box) || itemTouches(scene, item, rect)) {
            found.push_back(int(i));
        }
    }
    return found;
}

int itemAt(const Scene& scene, QPointF p, double tolerance) {
    Box near = Box::of(p - QPointF(tolerance, tolerance), p + QPointF(tolerance, tolerance));
    for (std::size_t n = scene.items.size(); n-- > 0;) {
        const Item& item = scene.items[n];
        if (!near.intersects(item.box)) {
            continue;
        }
        for (quint32 s = item.strokeBegin; s < item.strokeEnd; ++s) {
            const Stroke& st = scene.strokes[s];
            const QPointF* pts = scene.points.data() + st.first;
            if (st.count == 1 && QLineF(p, pts[0]).length() <= tolerance) {
                return int(n);
            }
            for (quint32 i = 1; i < st.count; ++i) {
                if (distanceToSegment(p, pts[i - 1], pts[i]) <= tolerance) {
                    return int(n);
                }
            }
        }
        for (quint32 t = item.textBegin; t < item.textEnd; ++t) {
            if (quad(scene.texts[t]).containsPoint(p, Qt::OddEvenFill)) {
                return int(n);
            }
        }
        for (const Fill& f : scene.fillsOf(n)) {
            if (insideFill(scene, f, p)) {
                return int(n);
            }
        }
    }
    return -1;
}

std::optional<QPointF> snapAt(const Scene& scene, QPointF p, double tolerance) {
    std::optional<QPointF> best;
    double bestDistance = tolerance;
    for (const QPointF& s : scene.snaps) {
        const double d = QLineF(p, s).length();
        if (d <= bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best;
}

}  // namespace sketchcad
