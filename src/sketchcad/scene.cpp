// Scene building: entity kinds to strokes and text runs, through nested block references.
#include "sketchcad/scene.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>

#include "cad/memory/document.h"
#include "sketchcad/aci_colors.h"
#include "sketchcad/curves.h"
#include "sketchcad/file_shapes.h"
#include "sketchcad/text_font.h"
#include "sketchcad/text_layout.h"

namespace sketchcad {

namespace memory = cad::memory;
using cad::Member;

std::array<QPointF, 4> TextRun::corners() const {
    return {toWorld.map(QPointF(0, -kDescent)), toWorld.map(QPointF(advance, -kDescent)),
            toWorld.map(QPointF(advance, 1)), toWorld.map(QPointF(0, 1))};
}

namespace {

// Deeper nesting than this is taken for a block that contains itself.
constexpr int kMaxDepth = 16;

QPointF xy(const cad::Value& v) {
    const cad::Point p = v.toPoint();
    return {p.x, p.y};
}

// A table name compared without regard to case; the exact spelling, by far the most common,
// is tried first because the caseless comparison costs much more per entity.
bool isNamed(const QString& name, QStringView wanted) {
    return name.size() == wanted.size() &&
           (name == wanted || name.compare(wanted, Qt::CaseInsensitive) == 0);
}

// Look-ups by name in one table, remembered. The name asked for last is tried first: entities
// next to each other mostly share their layer, linetype and block.
template <typename T>
class NameMemo {
public:
    template <typename Find>
    T get(const QString& name, Find find) {
        if (m_hasLast && name == m_lastName) {
            return m_last;
        }
        auto it = m_known.constFind(name);
        if (it == m_known.constEnd()) {
            it = m_known.insert(name, find(name));
        }
        m_lastName = name;
        m_last = *it;
        m_hasLast = true;
        return m_last;
    }

private:
    QHash<QString, T> m_known;
    QString m_lastName;
    T m_last{};
    bool m_hasLast = false;
};

// What an entity inside a block reference inherits from it.
struct Context {
    QTransform toWorld;
    quint32 rgb = aciRgb(7);  // for by-block colours
    QString layer = QStringLiteral("0");
    QString linetype = QStringLiteral("Continuous");
    int depth = 0;
};

class Builder {
public:
    Builder(const memory::Document& doc, const TextFont& font, Scene& scene)
        : m_doc(doc), m_font(font), m_scene(scene), m_shapes(doc) {
        // The drawing starts with LTSCALE 1; a loaded file's own value counts until it is set.
        m_ltScale = doc.variable(QStringLiteral("LTSCALE")).toDouble();
        if (m_ltScale == 1 && m_shapes.ltscale()) {
            m_ltScale = *m_shapes.ltscale();
        }
        if (!(m_ltScale > 0)) {
            m_ltScale = 1;
        }
    }

    void add(const std::shared_ptr<memory::Entity>& e) {
        Item item;
        item.entity = e;
        item.strokeBegin = quint32(m_scene.strokes.size());
        item.textBegin = quint32(m_scene.texts.size());
        item.snapBegin = quint32(m_scene.snaps.size());
        m_box = Box();
        addSnaps(*e);
        draw(*e, Context{});
        item.strokeEnd = quint32(m_scene.strokes.size());
        item.textEnd = quint32(m_scene.texts.size());
        item.snapEnd = quint32(m_scene.snaps.size());
        item.box = m_box;
        m_scene.extents.add(m_box);
        m_scene.items.push_back(std::move(item));
    }

private:
    struct Style {
        quint32 rgb;
        const std::vector<double>* pattern;  // null: continuous
        double scale;
        bool visible;
    };

    Style style(const memory::Entity& e, const Context& ctx) {
        QString layerName = e.layer();
        if (ctx.depth > 0 && layerName == u"0") {
            layerName = ctx.layer;  // layer 0 inside a block takes the reference's layer
        }
        const memory::LayerRecord* layer = layerNamed(layerName);
        Style s;
        s.visible = !layer || (layer->color >= 0 && !m_shapes.isFrozen(*layer));
        s.rgb = rgbOf(e.slotValue(memory::kColorSlot).toInt(), m_shapes.trueColorOf(e), layer, ctx);
        QString lt = e.slotValue(memory::kLinetypeSlot).toText();
        if (isNamed(lt, u"ByLayer")) {
            lt = layer ? layer->linetype : QStringLiteral("Continuous");
        } else if (isNamed(lt, u"ByBlock")) {
            lt = ctx.linetype;
        }
        s.pattern = pattern(lt);
        s.scale = m_ltScale * e.slotValue(memory::kLinetypeScaleSlot).toDouble();
        return s;
    }

    // What a colour number comes to: a true colour of the entity's own wins; by layer takes the
    // layer's true colour or number, by block the reference's colour.
    quint32 rgbOf(int color, std::optional<quint32> own, const memory::LayerRecord* layer,
                  const Context& ctx) const {
        if (own) {
            return *own;
        }
        if (color == kByBlock) {
            return ctx.rgb;
        }
        if (color == kByLayer && layer) {
            if (auto rgb = m_shapes.trueColorOf(*layer)) {
                return *rgb;
            }
        }
        return aciRgb(resolveColor(color, layer ? layer->color : 7, kByBlock));
    }

    const std::vector<double>* pattern(const QString& name) {
        return m_patterns.get(name, [this](const QString& n) -> const std::vector<double>* {
            const memory::LinetypeRecord* lt = m_doc.findLinetype(n);
            const bool dashed = lt && std::any_of(lt->pattern.begin(), lt->pattern.end(),
                                                  [](double d) { return d < 0; });
            return dashed ? &lt->pattern : nullptr;
        });
    }

    void addSnaps(const memory::Entity& e) {
        const memory::KindSpec& k = e.kind();
        const std::size_t from = m_scene.snaps.size();
        auto snap = [&](Member m) {
            if (k.slot(m) >= 0) {
                m_scene.snaps.push_back(xy(e.value(m)));
            }
        };
        snap(Member::StartPoint);
        snap(Member::EndPoint);
        snap(Member::Center);
        snap(Member::InsertionPoint);
        snap(Member::Coordinates);
        if (&k == &memory::kinds::arc()) {
            const QPointF c = xy(e.value(Member::Center));
            const double r = e.value(Member::Radius).toDouble();
            for (Member m : {Member::StartAngle, Member::EndAngle}) {
                const double a = e.value(m).toDouble();
                m_scene.snaps.push_back(c + QPointF(r * std::cos(a), r * std::sin(a)));
            }
        }
        if (const FileShape* shape = m_shapes.shapeOf(e)) {
            for (const auto& path : shape->paths) {
                if (!path.empty()) {
                    m_scene.snaps.push_back(path.front());
                    m_scene.snaps.push_back(path.back());
                }
            }
        }
        if (const QTransform* ocs = m_shapes.ocsOf(e)) {
            for (std::size_t i = from; i < m_scene.snaps.size(); ++i) {
                m_scene.snaps[i] = ocs->map(m_scene.snaps[i]);
            }
        }
    }

    void draw(const memory::Entity& e, const Context& outer) {
        if (const QTransform* ocs = m_shapes.ocsOf(e)) {
            Context placed = outer;
            placed.toWorld = *ocs * outer.toWorld;
            draw(e, placed, outer);
        } else {
            draw(e, outer, outer);
        }
    }

    // ctx places the entity's own coordinates, outer the reference's (for its attributes).
    void draw(const memory::Entity& e, const Context& ctx, const Context& outer) {
        const Style s = style(e, ctx);
        if (!s.visible) {
            return;
        }
        const memory::KindSpec& k = e.kind();
        if (&k == &memory::kinds::line()) {
            stroke({xy(e.value(Member::StartPoint)), xy(e.value(Member::EndPoint))}, s, ctx);
        } else if (&k == &memory::kinds::circle()) {
            stroke(circlePoints(xy(e.value(Member::Center)), e.value(Member::Radius).toDouble()), s,
                   ctx);
        } else if (&k == &memory::kinds::arc()) {
            stroke(arcPoints(xy(e.value(Member::Center)), e.value(Member::Radius).toDouble(),
                             e.value(Member::StartAngle).toDouble(),
                             e.value(Member::EndAngle).toDouble()),
                   s, ctx);
        } else if (&k == &memory::kinds::spline()) {
            drawSpline(e, s, ctx);
        } else if (&k == &memory::kinds::point()) {
            stroke({xy(e.value(Member::Coordinates))}, s, ctx);
        } else if (&k == &memory::kinds::text()) {
            drawText(e, s, ctx);
        } else if (&k == &memory::kinds::mtext()) {
            drawMultilineText(e, s, ctx);
        } else if (&k == &memory::kinds::insert()) {
            drawReference(e, s, ctx, outer);
        } else if (const FileShape* shape = m_shapes.shapeOf(e)) {
            drawFileShape(*shape, e, s, ctx);
        }
    }

    void drawSpline(const memory::Entity& e, const Style& s, const Context& ctx) {
        const std::vector<double> d = e.value(Member::FitPoints).toDoubles();
        std::vector<QPointF> fit;
        for (std::size_t i = 0; i + 1 < d.size(); i += 3) {
            fit.emplace_back(d[i], d[i + 1]);
        }
        if (!fit.empty()) {
            stroke(splineThroughFitPoints(fit), s, ctx);
        } else if (const FileShape* shape = m_shapes.shapeOf(e)) {
            stroke(shape->paths.front(), s, ctx);  // from its control points
        }
    }

    void drawText(const memory::Entity& e, const Style& s, const Context& ctx) {
        SingleLineText t;
        t.text = e.value(Member::TextString).toText();
        t.insertion = xy(e.value(Member::InsertionPoint));
        t.alignment = xy(e.value(Member::TextAlignmentPoint));
        t.height = e.value(Member::Height).toDouble();
        t.widthFactor = e.value(Member::ScaleFactor).toDouble();
        t.rotation = e.value(Member::Rotation).toDouble();
        t.horizontal = e.value(Member::HorizontalAlignment).toInt();
        t.vertical = e.value(Member::VerticalAlignment).toInt();
        text(placeSingleLine(t, measure()), s, ctx, m_shapes.obliqueOf(e));
    }

    void drawMultilineText(const memory::Entity& e, const Style& s, const Context& ctx) {
        MultilineText t;
        t.text = e.value(Member::TextString).toText();
        t.insertion = xy(e.value(Member::InsertionPoint));
        t.height = e.value(Member::Height).toDouble();
        t.width = e.value(Member::Width).toDouble();
        t.attachment = e.value(Member::AttachmentPoint).toInt();
        t.rotation = e.value(Member::Rotation).toDouble();
        const double oblique = styleOblique(e.value(Member::StyleName).toText());
        for (const PlacedLine& line : placeMultiline(t, measure())) {
            text(line, s, ctx, oblique);
        }
    }

    // A block reference: its block placed, scaled and turned, and its attributes.
    void drawReference(const memory::Entity& e, const Style& s, const Context& ctx,
                       const Context& outer) {
        if (const memory::BlockRecord* block = findBlock(e.value(Member::Name).toText())) {
            const QPointF at = xy(e.value(Member::InsertionPoint));
            drawBlock(*block,
                      QTransform::fromTranslate(-block->basePoint.x, -block->basePoint.y) *
                          QTransform::fromScale(e.value(Member::XScaleFactor).toDouble(),
                                                e.value(Member::YScaleFactor).toDouble()) *
                          QTransform().rotateRadians(e.value(Member::Rotation).toDouble()) *
                          QTransform::fromTranslate(at.x(), at.y()),
                      e, s, ctx);
        }
        if (const FileShape* shape = m_shapes.shapeOf(e)) {
            attributes(*shape, e, s, outer);
        }
    }

    // What the file drew for a kind the drawing keeps no geometry of: fills, outlines, a
    // pattern's dashes, a dimension's block.
    void drawFileShape(const FileShape& shape, const memory::Entity& e, const Style& s,
                       const Context& ctx) {
        // A gradient's outline goes in its colour too: CAD programs show no other edge.
        Style filled = s;
        filled.rgb = shape.fillColor.value_or(s.rgb);
        fill(shape.fill, shape.fillRule, filled, ctx);
        for (const auto& path : shape.paths) {
            stroke(path, filled, ctx);
        }
        // The pattern draws its own dashes, whatever the linetype.
        Style continuous = s;
        continuous.pattern = nullptr;
        for (const QLineF& dash : shape.patternDashes) {
            stroke({dash.p1(), dash.p2()}, continuous, ctx);
        }
        if (const memory::BlockRecord* block = findBlock(shape.block)) {
            drawBlock(*block, QTransform(), e, s, ctx);  // already in place
        }
    }

    // The drawing's own search is linear, and caseless after an exact miss.
    const memory::LayerRecord* layerNamed(const QString& name) {
        return m_layers.get(name, [this](const QString& n) { return m_doc.findLayer(n); });
    }

    // Attributes sit where the file put them, moved along with their reference since.
    // Each in its own coordinate system, as a mirrored reference's attributes have theirs.
    void attributes(const FileShape& shape, const memory::Entity& reference, const Style& ref,
                    const Context& outer) {
        QPointF moved = xy(reference.value(Member::InsertionPoint)) - shape.insertion;
        if (const QTransform* ocs = m_shapes.ocsOf(reference)) {
            moved = ocs->map(moved);
        }
        // By block, an attribute takes its reference's colour.
        Context placed = outer;
        placed.rgb = ref.rgb;
        for (const FileText& a : shape.attributes) {
            const memory::LayerRecord* layer = layerNamed(a.layer);
            if (layer && (layer->color < 0 || m_shapes.isFrozen(*layer))) {
                continue;
            }
            Style s = ref;
            s.rgb = rgbOf(a.color, a.trueColor, layer, placed);
            placed.toWorld =
                a.ocs * QTransform::fromTranslate(moved.x(), moved.y()) * outer.toWorld;
            text(placeSingleLine(a.text, measure()), s, placed, a.oblique);
        }
    }

    const memory::BlockRecord* findBlock(const QString& name) {
        if (name.isEmpty()) {
            return nullptr;
        }
        return m_blocks.get(name, [this](const QString& n) { return m_doc.findBlock(n); });
    }

    // The block's entities through local (block to the reference's space), inheriting from the
    // reference e what they leave to it.
    void drawBlock(const memory::BlockRecord& block, const QTransform& local,
                   const memory::Entity& e, const Style& s, const Context& ctx) {
        if (ctx.depth >= kMaxDepth) {
            return;
        }
        Context inner;
        inner.toWorld = local * ctx.toWorld;
        inner.rgb = s.rgb;
        QString layer = e.layer();
        inner.layer = ctx.depth > 0 && layer == u"0" ? ctx.layer : layer;
        QString lt = e.slotValue(memory::kLinetypeSlot).toText();
        if (isNamed(lt, u"ByBlock")) {
            lt = ctx.linetype;
        } else if (isNamed(lt, u"ByLayer")) {
            const memory::LayerRecord* l = layerNamed(inner.layer);
            lt = l ? l->linetype : QStringLiteral("Continuous");
        }
        inner.linetype = lt;
        inner.depth = ctx.depth + 1;
        for (const auto& child : block.entities) {
            draw(*child, inner);
        }
    }

    // The index of the pattern at that scale in the scene, added on first use.
    qint32 scaledPattern(const std::vector<double>& pattern, double scale) {
        const auto key = std::make_pair(&pattern, scale);
        auto it = m_scaled.find(key);
        if (it == m_scaled.end()) {
            std::vector<double> scaled = pattern;
            for (double& d : scaled) {
                d *= scale;
            }
            m_scene.patterns.push_back(std::move(scaled));
            it = m_scaled.emplace(key, qint32(m_scene.patterns.size() - 1)).first;
        }
        return it->second;
    }

    Measure measure() const {
        return [this](QStringView t) { return m_font.measure(t); };
    }

    void stroke(std::vector<QPointF> pts, const Style& s, const Context& ctx) {
        if (pts.empty()) {
            return;
        }
        if (!ctx.toWorld.isIdentity()) {
            for (QPointF& p : pts) {
                p = ctx.toWorld.map(p);
            }
        }
        Stroke st;
        st.rgb = s.rgb;
        st.first = quint32(m_scene.points.size());
        st.count = quint32(pts.size());
        if (s.pattern && pts.size() > 1) {
            st.pattern = scaledPattern(*s.pattern, s.scale);
            for (double d : m_scene.patterns[st.pattern]) {
                st.period += float(std::abs(d));
            }
        }
        for (const QPointF& p : pts) {
            m_box.add(p);
        }
        m_scene.points.insert(m_scene.points.end(), pts.begin(), pts.end());
        m_scene.strokes.push_back(st);
    }

    // Areas filled in the entity's colour, through the context's placement.
    void fill(const std::vector<std::vector<QPointF>>& areas, Qt::FillRule rule, const Style& s,
              const Context& ctx) {
        if (areas.empty()) {
            return;
        }
        Fill f;
        f.item = quint32(m_scene.items.size());
        f.firstLoop = quint32(m_scene.loops.size());
        f.rgb = s.rgb;
        f.rule = rule;
        for (const auto& area : areas) {
            if (area.size() < 3) {
                continue;
            }
            Loop loop{quint32(m_scene.points.size()), quint32(area.size())};
            for (const QPointF& p : area) {
                const QPointF at = ctx.toWorld.map(p);
                m_box.add(at);
                m_scene.points.push_back(at);
            }
            m_scene.loops.push_back(loop);
        }
        f.loopCount = quint32(m_scene.loops.size()) - f.firstLoop;
        if (f.loopCount > 0) {
            m_scene.fills.push_back(f);
        }
    }

    // The oblique angle a multiline text takes from its style.
    double styleOblique(const QString& name) {
        return m_styleObliques.get(name, [this](const QString& n) {
            const memory::TextStyleRecord* style = m_doc.findTextStyle(n);
            return style ? m_shapes.obliqueOf(*style) : 0.0;
        });
    }

    void text(const PlacedLine& line, const Style& s, const Context& ctx, double oblique) {
        if (line.text.isEmpty() || !(line.height * line.widthFactor > 0)) {
            return;
        }
        TextRun run;
        run.text = line.text;
        run.rgb = s.rgb;
        run.advance = line.width / (line.height * line.widthFactor);
        // The oblique angle leans the upright strokes right of the vertical, the width factor
        // leaving it as it is.
        QTransform size = QTransform::fromScale(line.height * line.widthFactor, line.height);
        if (oblique != 0) {
            size *= QTransform(1, 0, std::tan(oblique), 1, 0, 0);
        }
        run.toWorld = size * QTransform().rotateRadians(line.rotation) *
                      QTransform::fromTranslate(line.origin.x(), line.origin.y()) * ctx.toWorld;
        for (const QPointF& p : run.corners()) {
            m_box.add(p);
        }
        m_scene.texts.push_back(std::move(run));
    }

    const memory::Document& m_doc;
    const TextFont& m_font;
    Scene& m_scene;
    double m_ltScale = 1;
    FileShapes m_shapes;
    NameMemo<const std::vector<double>*> m_patterns;
    std::map<std::pair<const std::vector<double>*, double>, qint32> m_scaled;
    NameMemo<const memory::LayerRecord*> m_layers;
    NameMemo<const memory::BlockRecord*> m_blocks;
    NameMemo<double> m_styleObliques;
    Box m_box;  // of the item being built
};

}  // namespace

std::span<const Fill> Scene::fillsOf(std::size_t item) const {
    if (fills.empty()) {
        return {};
    }
    const auto found = std::ranges::equal_range(fills, quint32(item), {}, &Fill::item);
    return {found.begin(), found.end()};
}

Scene Scene::build(const memory::Document& document, const TextFont& font) {
    Scene scene;
    // The space on screen: paper space while a layout is current, where picks land too.
    const auto& entities =
        (document.layoutCurrent() ? document.paperSpace() : document.modelSpace()).entities;
    scene.items.reserve(entities.size());
    scene.strokes.reserve(entities.size());
    scene.points.reserve(entities.size() * 2);
    Builder builder(document, font, scene);
    for (const auto& e : entities) {
        builder.add(e);
    }
    return scene;
}

}  // namespace sketchcad
