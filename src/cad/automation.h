// Typed wrappers over the late-bound automation objects: the only CAD API operations use.
#pragma once

#include <QString>
#include <initializer_list>
#include <optional>

#include "cad/value.h"

namespace cad {

// A reference to one automation object, or empty. Calling through an empty reference fails the
// way an unset object variable does.
class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(ObjectRef object) : m_object(std::move(object)) {}

    bool isEmpty() const { return !m_object; }
    const ObjectRef& object() const { return m_object; }
    void reset() { m_object.reset(); }

protected:
    Value get(Member m) const { return target().Get(m); }
    void put(Member m, const Value& v) const { target().Put(m, v); }
    Value call(Member m, std::initializer_list<Value> args = {}) const {
        return target().Call(m, std::span<const Value>(args.begin(), args.size()));
    }
    ObjectRef getObject(Member m) const { return get(m).toObject(); }

private:
    Object& target() const;

    ObjectRef m_object;
};

class Entity : public Dispatch {
public:
    using Dispatch::Dispatch;

    QString EntityName() const { return get(Member::EntityName).toText(); }
    QString Handle() const { return get(Member::Handle).toText(); }
    int Color() const { return get(Member::Color).toInt(); }
    void Color(int c) const { put(Member::Color, c); }
    QString Layer() const { return get(Member::Layer).toText(); }
    void Layer(const QString& name) const { put(Member::Layer, name); }
    QString Linetype() const { return get(Member::Linetype).toText(); }
    void Linetype(const QString& name) const { put(Member::Linetype, name); }
    double LinetypeScale() const { return get(Member::LinetypeScale).toDouble(); }
    void LinetypeScale(double s) const { put(Member::LinetypeScale, s); }
    void Update() const { call(Member::Update); }
    void Delete() const { call(Member::Delete); }

    // Texts and multiline texts.
    QString TextString() const { return get(Member::TextString).toText(); }
    void TextString(const QString& s) const { put(Member::TextString, s); }
    double Height() const { return get(Member::Height).toDouble(); }
    void Height(double h) const { put(Member::Height, h); }
    Point InsertionPoint() const { return get(Member::InsertionPoint).toPoint(); }
    void InsertionPoint(const Point& p) const { put(Member::InsertionPoint, p); }
    Point TextAlignmentPoint() const { return get(Member::TextAlignmentPoint).toPoint(); }
    void TextAlignmentPoint(const Point& p) const { put(Member::TextAlignmentPoint, p); }
    QString StyleName() const { return get(Member::StyleName).toText(); }
    void StyleName(const QString& name) const { put(Member::StyleName, name); }
    double ScaleFactor() const { return get(Member::ScaleFactor).toDouble(); }
    void ScaleFactor(double f) const { put(Member::ScaleFactor, f); }
    double Rotation() const { return get(Member::Rotation).toDouble(); }
    void Rotation(double radians) const { put(Member::Rotation, radians); }
    int HorizontalAlignment() const { return get(Member::HorizontalAlignment).toInt(); }
    void HorizontalAlignment(int a) const { put(Member::HorizontalAlignment, a); }
    double Width() const { return get(Member::Width).toDouble(); }
    void Width(double w) const { put(Member::Width, w); }

    // Lines, arcs, circles, points.
    Point StartPoint() const { return get(Member::StartPoint).toPoint(); }
    Point EndPoint() const { return get(Member::EndPoint).toPoint(); }
    Point Center() const { return get(Member::Center).toPoint(); }
    double Radius() const { return get(Member::Radius).toDouble(); }
    void Radius(double r) const { put(Member::Radius, r); }
    double StartAngle() const { return get(Member::StartAngle).toDouble(); }
    double EndAngle() const { return get(Member::EndAngle).toDouble(); }
    Point Coordinates() const { return get(Member::Coordinates).toPoint(); }

    // Block references (Name) and splines.
    QString Name() const { return get(Member::Name).toText(); }
    std::vector<double> FitPoints() const { return get(Member::FitPoints).toDoubles(); }
    Point StartTangent() const { return get(Member::StartTangent).toPoint(); }
    Point EndTangent() const { return get(Member::EndTangent).toPoint(); }
};

// Members shared by every collection: Count and Item(i), i from 0.
template <typename ItemType>
class Collection : public Dispatch {
public:
    using Dispatch::Dispatch;

    int Count() const { return get(Member::Count).toInt(); }
    ItemType Item(int index) const { return ItemType(call(Member::Item, {index}).toObject()); }
};

class Layer : public Dispatch {
public:
    using Dispatch::Dispatch;

    QString Name() const { return get(Member::Name).toText(); }
    int Color() const { return get(Member::Color).toInt(); }
    void Color(int c) const { put(Member::Color, c); }
    QString Linetype() const { return get(Member::Linetype).toText(); }
    bool Lock() const { return get(Member::Lock).toBool(); }
    void Lock(bool locked) const { put(Member::Lock, locked); }
};

class Layers : public Collection<Layer> {
public:
    using Collection::Collection;

    cad::Layer Add(const QString& name) const {
        return cad::Layer(call(Member::Add, {name}).toObject());
    }
};

class TextStyle : public Dispatch {
public:
    using Dispatch::Dispatch;

    QString Name() const { return get(Member::Name).toText(); }
    QString FontFile() const { return get(Member::FontFile).toText(); }
    QString BigFontFile() const { return get(Member::BigFontFile).toText(); }
    void Delete() const { call(Member::Delete); }
};

using TextStyles = Collection<TextStyle>;

class Linetype : public Dispatch {
public:
    using Dispatch::Dispatch;

    QString Name() const { return get(Member::Name).toText(); }
};

class Linetypes : public Collection<Linetype> {
public:
    using Collection::Collection;

    void Load(const QString& name, const QString& file) const { call(Member::Load, {name, file}); }
};

// A block definition; its entities are its items.
class Block : public Collection<Entity> {
public:
    using Collection::Collection;

    QString Name() const { return get(Member::Name).toText(); }
};

using Blocks = Collection<Block>;

class ModelSpace : public Collection<Entity> {
public:
    using Collection::Collection;

    Entity AddLine(const Point& start, const Point& end) const;
    Entity AddCircle(const Point& center, double radius) const;
    Entity AddArc(const Point& center, double radius, double startAngle, double endAngle) const;
    Entity AddText(const QString& text, const Point& insertion, double height) const;
    Entity AddMtext(const Point& insertion, double width, const QString& text) const;
    Entity AddSpline(const std::vector<double>& fitPoints, const Point& startTangent,
                     const Point& endTangent) const;
    Entity AddPoint(const Point& point) const;
};

class SelectionSet : public Collection<Entity> {
public:
    using Collection::Collection;

    QString Name() const { return get(Member::Name).toText(); }
    void SelectOnScreen() const { call(Member::SelectOnScreen); }
    void Delete() const { call(Member::Delete); }
};

class SelectionSets : public Collection<SelectionSet> {
public:
    using Collection::Collection;

    SelectionSet Add(const QString& name) const {
        return SelectionSet(call(Member::Add, {name}).toObject());
    }
};

class Utility : public Dispatch {
public:
    using Dispatch::Dispatch;

    // Waits for the user's pick; fails when the user cancels.
    Point GetPoint(const std::optional<Point>& basePoint, const QString& prompt) const;
};

class Document : public Dispatch {
public:
    using Dispatch::Dispatch;

    QString Name() const { return get(Member::Name).toText(); }
    cad::ModelSpace ModelSpace() const { return cad::ModelSpace(getObject(Member::ModelSpace)); }
    cad::Utility Utility() const { return cad::Utility(getObject(Member::Utility)); }
    cad::SelectionSets SelectionSets() const {
        return cad::SelectionSets(getObject(Member::SelectionSets));
    }
    cad::Layers Layers() const { return cad::Layers(getObject(Member::Layers)); }
    cad::TextStyles TextStyles() const { return cad::TextStyles(getObject(Member::TextStyles)); }
    cad::Linetypes Linetypes() const { return cad::Linetypes(getObject(Member::Linetypes)); }
    cad::Blocks Blocks() const { return cad::Blocks(getObject(Member::Blocks)); }
    void SetVariable(const QString& name, const Value& v) const {
        call(Member::SetVariable, {name, v});
    }
    Value GetVariable(const QString& name) const { return call(Member::GetVariable, {name}); }
    TextStyle ActiveTextStyle() const { return TextStyle(getObject(Member::ActiveTextStyle)); }
    void ActiveTextStyle(const TextStyle& style) const {
        put(Member::ActiveTextStyle, style.object());
    }
    void StartUndoMark() const { call(Member::StartUndoMark); }
    void EndUndoMark() const { call(Member::EndUndoMark); }
    void Save() const { call(Member::Save); }
    void SaveAs(const QString& path) const { call(Member::SaveAs, {path}); }
};

using Documents = Collection<Document>;

class Application : public Dispatch {
public:
    using Dispatch::Dispatch;

    Document ActiveDocument() const { return Document(getObject(Member::ActiveDocument)); }
    cad::Documents Documents() const { return cad::Documents(getObject(Member::Documents)); }
    QString Version() const { return get(Member::Version).toText(); }
};

// One operation, one undo step: everything the operation changes between construction and
// destruction is taken back by a single undo in the CAD.
class UndoGroup {
public:
    explicit UndoGroup(Document document);
    ~UndoGroup();
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    Document m_document;
};

}  // namespace cad
