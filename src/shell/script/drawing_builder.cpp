// The drawing builder, `cad add …`: layers, text styles and entities with their options, each
// entity's handle printed and, with `as NAME`, bound to the name.
#include "cad/memory/kinds.h"
#include "shell/script/runner.h"

namespace shell::script {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;

namespace {

// The entity kinds `cad add` makes, with how many arguments place each.
struct Shape {
    const memory::KindSpec* kind;
    std::size_t operands;
};

const QHash<QString, Shape>& shapes() {
    static const QHash<QString, Shape> kShapes = {
        {u"line"_s, {&memory::kinds::line(), 4}},   {u"circle"_s, {&memory::kinds::circle(), 3}},
        {u"arc"_s, {&memory::kinds::arc(), 5}},     {u"text"_s, {&memory::kinds::text(), 4}},
        {u"mtext"_s, {&memory::kinds::mtext(), 4}}, {u"insert"_s, {&memory::kinds::insert(), 3}},
    };
    return kShapes;
}

// `cad add KIND` is followed by the kind's operands from this argument on.
constexpr std::size_t kFirstOperand = 3;
constexpr std::size_t kMostArguments = 100;

}  // namespace

void Runner::addToDrawing() {
    const QString& kind = word(2);
    const std::shared_ptr<memory::Document> doc = drawing();
    if (kind == u"layer") {
        addLayer(*doc);
    } else if (kind == u"style") {
        addTextStyle(*doc);
    } else {
        addEntity(*doc, kind);
    }
}

void Runner::addLayer(memory::Document& doc) {
    requireArguments(4, 7);
    if (doc.findLayer(word(3)) != nullptr) {
        throw ScriptError{u"layer exists: "_s + word(3)};
    }
    memory::LayerRecord& layer = doc.addLayer(word(3));
    for (std::size_t i = 4; i < m_args->size(); ++i) {
        if (word(i) == u"color") {
            layer.color = integer(++i);
        } else if (word(i) == u"locked") {
            layer.locked = true;
        } else {
            throw ScriptError{u"unknown layer option "_s + word(i)};
        }
    }
}

void Runner::addTextStyle(memory::Document& doc) {
    requireArguments(5, 6);
    if (doc.findTextStyle(word(3)) != nullptr) {
        throw ScriptError{u"text style exists: "_s + word(3)};
    }
    doc.addTextStyle(word(3), word(4), m_args->size() > 5 ? word(5) : QString());
}

void Runner::addEntity(memory::Document& doc, const QString& kind) {
    const auto shape = shapes().constFind(kind);
    if (shape == shapes().constEnd()) {
        throw ScriptError{u"unknown command cad add "_s + kind};
    }
    requireArguments(kFirstOperand + shape->operands, kMostArguments);
    std::shared_ptr<memory::Entity> e = doc.makeEntity(*shape->kind);
    placeEntity(doc, *e, kind);

    QString bindAs;
    for (std::size_t i = kFirstOperand + shape->operands; i < m_args->size(); i += 2) {
        if (word(i) == u"as") {
            bindAs = word(i + 1);
        } else {
            setEntityOption(doc, *e, kind, i);
        }
    }
    const QString handle = e->handleText();
    doc.modelSpace().append(std::move(e));
    if (!bindAs.isEmpty()) {
        m_names.insert(bindAs, handle);
    }
    m_out << u"handle: "_s << handle << Qt::endl;
}

void Runner::placeEntity(memory::Document& doc, memory::Entity& e, const QString& kind) {
    const std::size_t first = kFirstOperand;
    auto at = [&](std::size_t i) { return cad::Point{number(i), number(i + 1), 0}; };
    if (kind == u"line") {
        e.setValue(Member::StartPoint, at(first));
        e.setValue(Member::EndPoint, at(first + 2));
    } else if (kind == u"circle" || kind == u"arc") {
        e.setValue(Member::Center, at(first));
        e.setValue(Member::Radius, number(first + 2));
        if (kind == u"arc") {
            e.setValue(Member::StartAngle, number(first + 3));
            e.setValue(Member::EndAngle, number(first + 4));
        }
    } else if (kind == u"text") {
        e.setValue(Member::TextString, word(first));
        e.setValue(Member::InsertionPoint, at(first + 1));
        e.setValue(Member::Height, number(first + 3));
    } else if (kind == u"mtext") {
        e.setValue(Member::TextString, word(first));
        e.setValue(Member::InsertionPoint, at(first + 1));
        e.setValue(Member::Width, number(first + 3));
    } else {
        if (doc.findBlock(word(first)) == nullptr) {
            doc.addBlock(word(first));
        }
        e.setValue(Member::Name, word(first));
        e.setValue(Member::InsertionPoint, at(first + 1));
    }
}

void Runner::setEntityOption(memory::Document& doc, memory::Entity& e, const QString& kind,
                             std::size_t i) {
    const QString& option = word(i);
    const QString& value = word(i + 1);
    if (option == u"layer") {
        if (doc.findLayer(value) == nullptr) {
            doc.addLayer(value);
        }
        e.setValue(Member::Layer, value);
    } else if (option == u"color") {
        e.setValue(Member::Color, integer(i + 1));
    } else if (option == u"linetype") {
        if (doc.findLinetype(value) == nullptr) {
            doc.addLinetype(value);
        }
        e.setValue(Member::Linetype, value);
    } else if (option == u"style" && e.kind().slot(Member::StyleName) >= 0) {
        if (doc.findTextStyle(value) == nullptr) {
            doc.addTextStyle(value, u"txt.shx"_s, QString());
        }
        e.setValue(Member::StyleName, value);
    } else {
        throw ScriptError{u"option "_s + option + u" does not apply to "_s + kind};
    }
}

}  // namespace shell::script
