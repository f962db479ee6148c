// Typed wrappers: the calls that need more than one line.
#include "cad/automation.h"

namespace cad {

Object& Dispatch::target() const {
    if (!m_object) {
        throw Error(QStringLiteral("对象变量未设置"));
    }
    return *m_object;
}

Entity ModelSpace::AddLine(const Point& start, const Point& end) const {
    return Entity(call(Member::AddLine, {start, end}).toObject());
}

Entity ModelSpace::AddCircle(const Point& center, double radius) const {
    return Entity(call(Member::AddCircle, {center, radius}).toObject());
}

Entity ModelSpace::AddArc(const Point& center, double radius, double startAngle,
                          double endAngle) const {
    return Entity(call(Member::AddArc, {center, radius, startAngle, endAngle}).toObject());
}

Entity ModelSpace::AddText(const QString& text, const Point& insertion, double height) const {
    return Entity(call(Member::AddText, {text, insertion, height}).toObject());
}

Entity ModelSpace::AddMtext(const Point& insertion, double width, const QString& text) const {
    return Entity(call(Member::AddMtext, {insertion, width, text}).toObject());
}

Entity ModelSpace::AddSpline(const std::vector<double>& fitPoints, const Point& startTangent,
                             const Point& endTangent) const {
    return Entity(call(Member::AddSpline, {fitPoints, startTangent, endTangent}).toObject());
}

Entity ModelSpace::AddPoint(const Point& point) const {
    return Entity(call(Member::AddPoint, {point}).toObject());
}

Point Utility::GetPoint(const std::optional<Point>& basePoint, const QString& prompt) const {
    return call(Member::GetPoint, {basePoint ? Value(*basePoint) : Value(), prompt}).toPoint();
}

UndoGroup::UndoGroup(Document document) : m_document(std::move(document)) {
    m_document.StartUndoMark();
}

UndoGroup::~UndoGroup() {
    try {
        m_document.EndUndoMark();
    } catch (const Error&) {
        // The CAD went away mid-operation; there is no group left to close.
    }
}

}  // namespace cad
