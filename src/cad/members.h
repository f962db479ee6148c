// The automation member names, interned once: a call carries a Member, not a string.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace cad {

// clang-format off
// Every member any object of the automation model answers, with the parameters its methods take
// in the CAD's ActiveX reference (properties take none; [optional] ones may be left out, and
// only trailing ones). Where one name takes different parameters on different objects, the
// parameters are those of the objects the assistant calls it on. Names are matched without
// regard to case, as late binding does.
#define ELECAIDE_CAD_MEMBERS(X)                                                                 \
    /* application and documents */                                                             \
    X(ActiveDocument, "")                                                                       \
    X(Documents, "")                                                                            \
    X(Version, "")                                                                              \
    X(Quit, "")                                                                                 \
    X(Close, "[SaveChanges], [FileName]")                                                       \
    X(Name, "")                                                                                 \
    X(ModelSpace, "")                                                                           \
    X(PaperSpace, "")                                                                           \
    X(Utility, "")                                                                              \
    X(SelectionSets, "")                                                                        \
    X(Layers, "")                                                                               \
    X(TextStyles, "")                                                                           \
    X(Linetypes, "")                                                                            \
    X(Blocks, "")                                                                               \
    X(SetVariable, "Name, Value")                                                               \
    X(GetVariable, "Name")                                                                      \
    X(ActiveTextStyle, "")                                                                      \
    X(Save, "")                                                                                 \
    X(SaveAs, "FullFileName, [SaveAsType], [SecurityParams]")                                   \
    X(StartUndoMark, "")                                                                        \
    X(EndUndoMark, "")                                                                          \
    /* collections and selection sets */                                                        \
    X(Count, "")                                                                                \
    X(Item, "Index")                                                                            \
    X(Add, "Name")                                                                              \
    X(Delete, "")                                                                               \
    X(SelectOnScreen, "[FilterType], [FilterData]")                                             \
    X(Load, "LineTypeName, FileName")                                                           \
    /* model space */                                                                           \
    X(AddLine, "StartPoint, EndPoint")                                                          \
    X(AddCircle, "Center, Radius")                                                              \
    X(AddArc, "Center, Radius, StartAngle, EndAngle")                                           \
    X(AddText, "TextString, InsertionPoint, Height")                                            \
    X(AddMtext, "InsertionPoint, Width, Text")                                                  \
    X(AddSpline, "PointsArray, StartTangent, EndTangent")                                       \
    X(AddPoint, "Point")                                                                        \
    /* utility */                                                                               \
    X(GetPoint, "[Point], [Prompt]")                                                            \
    /* table records */                                                                         \
    X(Lock, "")                                                                                 \
    X(FontFile, "")                                                                             \
    X(BigFontFile, "")                                                                          \
    X(Description, "")                                                                          \
    /* every entity */                                                                          \
    X(EntityName, "")                                                                           \
    X(ObjectName, "")                                                                           \
    X(Handle, "")                                                                               \
    X(Color, "")                                                                                \
    X(Layer, "")                                                                                \
    X(Linetype, "")                                                                             \
    X(LinetypeScale, "")                                                                        \
    X(Update, "")                                                                               \
    /* texts */                                                                                 \
    X(TextString, "")                                                                           \
    X(Height, "")                                                                               \
    X(InsertionPoint, "")                                                                       \
    X(TextAlignmentPoint, "")                                                                   \
    X(StyleName, "")                                                                            \
    X(ScaleFactor, "")                                                                          \
    X(Rotation, "")                                                                             \
    X(HorizontalAlignment, "")                                                                  \
    X(VerticalAlignment, "")                                                                    \
    X(Width, "")                                                                                \
    X(AttachmentPoint, "")                                                                      \
    /* lines, arcs, circles, points */                                                          \
    X(StartPoint, "")                                                                           \
    X(EndPoint, "")                                                                             \
    X(Center, "")                                                                               \
    X(Radius, "")                                                                               \
    X(StartAngle, "")                                                                           \
    X(EndAngle, "")                                                                             \
    X(Coordinates, "")                                                                          \
    /* block references */                                                                      \
    X(XScaleFactor, "")                                                                         \
    X(YScaleFactor, "")                                                                         \
    X(ZScaleFactor, "")                                                                         \
    /* splines */                                                                               \
    X(FitPoints, "")                                                                            \
    X(StartTangent, "")                                                                         \
    X(EndTangent, "")
// clang-format on

enum class Member : std::uint8_t {
#define ELECAIDE_MEMBER_ENUM(name, parameters) name,
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_ENUM)
#undef ELECAIDE_MEMBER_ENUM
};

inline constexpr int kMemberCount = 0
#define ELECAIDE_MEMBER_COUNT(name, parameters) +1
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_COUNT)
#undef ELECAIDE_MEMBER_COUNT
    ;

// The member's name as spelled in the table.
QStringView memberName(Member m);

// Looks a name up without regard to case; nullopt for a name no object answers.
std::optional<Member> memberByName(QStringView name);

// How many arguments a call of the member takes: the first `required`, then up to `optional`
// more that may be left out.
struct Arity {
    int required = 0;
    int optional = 0;
};
Arity memberArity(Member m);

}  // namespace cad
