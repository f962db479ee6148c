// The member tables of the entity kinds.
#include "cad/memory/kinds.h"

#include <QHash>
#include <memory>
#include <mutex>

namespace cad::memory {

namespace {

using M = Member;

std::vector<MemberSpec> common() {
    return {
        // Their subclass is AcDbEntity; a null subclass here means exactly that.
        {M::Layer, 8, Type::Text, Rule::LayerName, QStringLiteral("0")},
        {M::Linetype, 6, Type::Text, Rule::LinetypeName, QStringLiteral("ByLayer")},
        {M::Color, 62, Type::Int, Rule::Range, 256, 0, 256},
        {M::LinetypeScale, 48, Type::Real, Rule::Positive, 1.0},
    };
}

KindSpec makeKind(QString dxfName, QString className, std::vector<MemberSpec> own) {
    KindSpec k{std::move(dxfName), std::move(className), common(), {}};
    k.members.insert(k.members.end(), own.begin(), own.end());
    k.slotOf.fill(-1);
    for (std::size_t i = 0; i < k.members.size(); ++i) {
        k.slotOf[static_cast<int>(k.members[i].member)] = static_cast<std::int8_t>(i);
    }
    return k;
}

const Value kOrigin = Point{};

// Class names the automation model reports for kinds that only carry the common members.
const QHash<QString, QString>& otherClassNames() {
    static const QHash<QString, QString> names = {
        {QStringLiteral("LWPOLYLINE"), QStringLiteral("AcDbPolyline")},
        {QStringLiteral("POLYLINE"), QStringLiteral("AcDb2dPolyline")},
        {QStringLiteral("ELLIPSE"), QStringLiteral("AcDbEllipse")},
        {QStringLiteral("HATCH"), QStringLiteral("AcDbHatch")},
        {QStringLiteral("DIMENSION"), QStringLiteral("AcDbRotatedDimension")},
        {QStringLiteral("SOLID"), QStringLiteral("AcDbSolid")},
        {QStringLiteral("3DFACE"), QStringLiteral("AcDbFace")},
        {QStringLiteral("TRACE"), QStringLiteral("AcDbTrace")},
        {QStringLiteral("LEADER"), QStringLiteral("AcDbLeader")},
        {QStringLiteral("ATTDEF"), QStringLiteral("AcDbAttributeDefinition")},
        {QStringLiteral("ATTRIB"), QStringLiteral("AcDbAttribute")},
        {QStringLiteral("VIEWPORT"), QStringLiteral("AcDbViewport")},
        {QStringLiteral("RAY"), QStringLiteral("AcDbRay")},
        {QStringLiteral("XLINE"), QStringLiteral("AcDbXline")},
        {QStringLiteral("IMAGE"), QStringLiteral("AcDbRasterImage")},
        {QStringLiteral("WIPEOUT"), QStringLiteral("AcDbWipeout")},
        {QStringLiteral("MLINE"), QStringLiteral("AcDbMline")},
        {QStringLiteral("TOLERANCE"), QStringLiteral("AcDbFcf")},
        {QStringLiteral("REGION"), QStringLiteral("AcDbRegion")},
        {QStringLiteral("3DSOLID"), QStringLiteral("AcDb3dSolid")},
        {QStringLiteral("BODY"), QStringLiteral("AcDbBody")},
        {QStringLiteral("OLE2FRAME"), QStringLiteral("AcDbOle2Frame")},
        {QStringLiteral("MULTILEADER"), QStringLiteral("AcDbMLeader")},
        {QStringLiteral("TABLE"), QStringLiteral("AcDbTable")},
    };
    return names;
}

}  // namespace

namespace kinds {

const KindSpec& line() {
    static const KindSpec k = makeKind(QStringLiteral("LINE"), QStringLiteral("AcDbLine"),
                                       {
                                           {M::StartPoint, 10, Type::Point, Rule::Any, kOrigin},
                                           {M::EndPoint, 11, Type::Point, Rule::Any, kOrigin},
                                       });
    return k;
}

const KindSpec& circle() {
    static const KindSpec k = makeKind(QStringLiteral("CIRCLE"), QStringLiteral("AcDbCircle"),
                                       {
                                           {M::Center, 10, Type::Point, Rule::Any, kOrigin},
                                           {M::Radius, 40, Type::Real, Rule::Positive, 1.0},
                                       });
    return k;
}

const KindSpec& arc() {
    static const KindSpec k =
        makeKind(QStringLiteral("ARC"), QStringLiteral("AcDbArc"),
                 {
                     {M::Center, 10, Type::Point, Rule::Any, kOrigin, 0, 0, "AcDbCircle"},
                     {M::Radius, 40, Type::Real, Rule::Positive, 1.0, 0, 0, "AcDbCircle"},
                     {M::StartAngle, 50, Type::Angle, Rule::Any, 0.0},
                     {M::EndAngle, 51, Type::Angle, Rule::Any, 0.0},
                 });
    return k;
}

const KindSpec& text() {
    static const KindSpec k =
        makeKind(QStringLiteral("TEXT"), QStringLiteral("AcDbText"),
                 {
                     {M::TextString, 1, Type::Text, Rule::Any, QString()},
                     {M::InsertionPoint, 10, Type::Point, Rule::Any, kOrigin},
                     {M::TextAlignmentPoint, 11, Type::Point, Rule::Any, kOrigin},
                     {M::Height, 40, Type::Real, Rule::Positive, 2.5},
                     {M::ScaleFactor, 41, Type::Real, Rule::Positive, 1.0},
                     {M::Rotation, 50, Type::Angle, Rule::Any, 0.0},
                     {M::StyleName, 7, Type::Text, Rule::StyleName, QStringLiteral("Standard")},
                     {M::HorizontalAlignment, 72, Type::Int, Rule::Range, 0, 0, 5},
                     {M::VerticalAlignment, 73, Type::Int, Rule::Range, 0, 0, 3, "AcDbText", 1},
                 });
    return k;
}

const KindSpec& mtext() {
    static const KindSpec k =
        makeKind(QStringLiteral("MTEXT"), QStringLiteral("AcDbMText"),
                 {
                     {M::TextString, 1, Type::Text, Rule::Any, QString()},
                     {M::InsertionPoint, 10, Type::Point, Rule::Any, kOrigin},
                     {M::Height, 40, Type::Real, Rule::Positive, 2.5},
                     {M::Width, 41, Type::Real, Rule::NonNegative, 0.0},
                     {M::AttachmentPoint, 71, Type::Int, Rule::Range, 1, 1, 9},
                     {M::Rotation, 50, Type::Angle, Rule::Any, 0.0},
                     {M::StyleName, 7, Type::Text, Rule::StyleName, QStringLiteral("Standard")},
                 });
    return k;
}

const KindSpec& insert() {
    static const KindSpec k =
        makeKind(QStringLiteral("INSERT"), QStringLiteral("AcDbBlockReference"),
                 {
                     {M::Name, 2, Type::Text, Rule::BlockName, QString()},
                     {M::InsertionPoint, 10, Type::Point, Rule::Any, kOrigin},
                     {M::XScaleFactor, 41, Type::Real, Rule::Any, 1.0},
                     {M::YScaleFactor, 42, Type::Real, Rule::Any, 1.0},
                     {M::ZScaleFactor, 43, Type::Real, Rule::Any, 1.0},
                     {M::Rotation, 50, Type::Angle, Rule::Any, 0.0},
                 });
    return k;
}

const KindSpec& spline() {
    static const KindSpec k =
        makeKind(QStringLiteral("SPLINE"), QStringLiteral("AcDbSpline"),
                 {
                     {M::FitPoints, 11, Type::Doubles, Rule::Any, std::vector<double>{}},
                     {M::StartTangent, 12, Type::Point, Rule::Any, kOrigin},
                     {M::EndTangent, 13, Type::Point, Rule::Any, kOrigin},
                 });
    return k;
}

const KindSpec& point() {
    static const KindSpec k = makeKind(QStringLiteral("POINT"), QStringLiteral("AcDbPoint"),
                                       {
                                           {M::Coordinates, 10, Type::Point, Rule::Any, kOrigin},
                                       });
    return k;
}

}  // namespace kinds

const KindSpec& kindByDxfName(QStringView dxfName) {
    for (const KindSpec* k :
         {&kinds::line(), &kinds::circle(), &kinds::arc(), &kinds::text(), &kinds::mtext(),
          &kinds::insert(), &kinds::spline(), &kinds::point()}) {
        if (k->dxfName == dxfName) {
            return *k;
        }
    }
    // Other kinds are made on first sight and live as long as the program. Drawings load on
    // several threads at once (the take-off of a drawing set): the table is shared.
    static std::mutex mutex;
    static QHash<QString, std::shared_ptr<const KindSpec>> others;
    const QString name = dxfName.toString();
    const std::lock_guard lock(mutex);
    auto it = others.constFind(name);
    if (it == others.constEnd()) {
        QString className = otherClassNames().value(name);
        if (className.isEmpty()) {
            className = QStringLiteral("AcDb") + name.left(1) + name.mid(1).toLower();
        }
        it = others.insert(name, std::make_shared<const KindSpec>(makeKind(name, className, {})));
    }
    return **it;
}

}  // namespace cad::memory
