// The drawing's table records (layers, text styles, linetypes, block definitions) and selection
// sets, each an automation object of its document.
#pragma once

#include <memory>
#include <vector>

#include "cad/memory/entity.h"

namespace cad::memory {

class LayerRecord : public DocNode {
public:
    LayerRecord(Document* d, QString n, quint64 h) : DocNode(d), name(std::move(n)), handle(h) {}

    QString name;
    int color = 7;
    QString linetype = QStringLiteral("Continuous");
    bool locked = false;
    quint64 handle;

protected:
    Value get(Member m) override;
    void put(Member m, const Value& value) override;
};

class TextStyleRecord : public DocNode {
public:
    TextStyleRecord(Document* d, QString n, quint64 h)
        : DocNode(d), name(std::move(n)), handle(h) {}

    QString name;
    QString fontFile;
    QString bigFontFile;
    quint64 handle;

protected:
    Value get(Member m) override;
    Value call(Member m, std::span<const Value> args) override;
};

class LinetypeRecord : public DocNode {
public:
    LinetypeRecord(Document* d, QString n, quint64 h) : DocNode(d), name(std::move(n)), handle(h) {}

    QString name;
    QString description;
    std::vector<double> pattern;  // dash lengths: > 0 drawn, < 0 gap, 0 dot
    quint64 handle;

protected:
    Value get(Member m) override;
};

// A block definition; model space and paper space are the two layout blocks. Its entities are
// in drawing order.
class BlockRecord : public DocNode {
public:
    BlockRecord(Document* d, QString n, quint64 h) : DocNode(d), name(std::move(n)), handle(h) {}

    QString name;
    Point basePoint;
    quint64 handle;
    std::vector<std::shared_ptr<Entity>> entities;

    // Appends an entity made by the document (loading, tests).
    Entity& append(std::shared_ptr<Entity> e);

protected:
    Value get(Member m) override;
    Value call(Member m, std::span<const Value> args) override;

private:
    Value add(const KindSpec& kind, std::initializer_list<std::pair<Member, Value>> values);
};

class SelectionSetNode : public DocNode {
public:
    SelectionSetNode(Document* d, QString n) : DocNode(d), name(std::move(n)) {}

    QString name;
    std::vector<std::shared_ptr<Entity>> items;

protected:
    Value get(Member m) override;
    Value call(Member m, std::span<const Value> args) override;
};

// The collections of a document: Count, Item by index or name, and Add or Load where the
// collection has one.
class CollectionNode : public DocNode {
public:
    enum class Of { Layers, TextStyles, Linetypes, Blocks, SelectionSets };
    CollectionNode(Document* d, Of of) : DocNode(d), m_of(of) {}

protected:
    Value get(Member m) override;
    Value call(Member m, std::span<const Value> args) override;

private:
    Of m_of;
};

class UtilityNode : public DocNode {
public:
    using DocNode::DocNode;

protected:
    Value call(Member m, std::span<const Value> args) override;
};

}  // namespace cad::memory
