// The drawing as the view draws it: the geometry of every entity of the space on screen in
// drawing coordinates, with colours and dashes resolved, built once per batch of changes.
#pragma once

#include <QPointF>
#include <QString>
#include <QTransform>
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "sketchcad/box.h"

namespace cad::memory {
class Document;
class Entity;
}  // namespace cad::memory

namespace sketchcad {

class TextFont;

// A polyline in one colour and linetype. The view dashes it while it paints, and only where
// the dashes can be told apart: dashes made beforehand would cost memory by the million.
struct Stroke {
    quint32 first = 0;  // into Scene::points
    quint32 count = 0;
    quint32 rgb = 0xFFFFFF;
    qint32 pattern = -1;  // into Scene::patterns; -1 for continuous
    float period = 0;     // one repeat of the linetype in drawing units
};

// An area filled in one colour: its loops' points follow one another in Scene::points.
struct Fill {
    quint32 item = 0;       // the item it belongs to
    quint32 firstLoop = 0;  // into Scene::loops
    quint32 loopCount = 0;
    quint32 rgb = 0xFFFFFF;
    Qt::FillRule rule = Qt::OddEvenFill;  // odd-even: a loop inside another is a hole
};

struct Loop {
    quint32 first = 0;  // into Scene::points
    quint32 count = 0;
};

// One line of text. Its text space has the baseline's left end at the origin, x along the
// baseline and y up, both in units of the text height (x already carries the width factor).
struct TextRun {
    QString text;
    QTransform toWorld;  // text space to drawing coordinates (slanted for an oblique angle)
    double advance = 0;  // length of the text in text space
    quint32 rgb = 0xFFFFFF;

    // The box from the descender line to the capitals, in drawing coordinates.
    std::array<QPointF, 4> corners() const;
};

// An entity of the space shown: a block reference carries the geometry of its whole block.
struct Item {
    std::shared_ptr<cad::memory::Entity> entity;
    Box box;
    quint32 strokeBegin = 0, strokeEnd = 0;
    quint32 textBegin = 0, textEnd = 0;
    quint32 snapBegin = 0, snapEnd = 0;
};

struct Scene {
    std::vector<Item> items;  // drawing order
    std::vector<Stroke> strokes;
    std::vector<QPointF> points;
    // In item order, apart from the items: few drawings fill much, and every item walked over
    // costs its size in a selection or a repaint.
    std::vector<Fill> fills;
    std::vector<Loop> loops;
    // Linetype patterns scaled by LTSCALE and the entities' own scales (> 0 dash, < 0 gap, 0 dot).
    std::vector<std::vector<double>> patterns;
    std::vector<TextRun> texts;
    std::vector<QPointF> snaps;  // endpoints, centres, insertion points
    Box extents;

    static Scene build(const cad::memory::Document& document, const TextFont& font);
    std::span<const Fill> fillsOf(std::size_t item) const;
};

}  // namespace sketchcad
