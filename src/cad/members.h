// The automation member names, interned once: a call carries a Member, not a string.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace cad {

// clang-format off
// Every member any object of the automation model answers. Names are matched without regard
// to case, as late binding does.
#define ELECAIDE_CAD_MEMBERS(X)                                                                 \
    /* application and documents */                                                             \
    X(ActiveDocument)                                                                           \
    X(Documents) X(Version) X(Quit) X(Close) /* document */                                     \
        X(Name) X(ModelSpace) X(PaperSpace) X(Utility) X(SelectionSets) X(Layers) X(TextStyles) \
            X(Linetypes) X(Blocks) X(SetVariable) X(GetVariable) X(ActiveTextStyle)             \
                X(Save) X(SaveAs)                                                               \
                X(StartUndoMark) X(EndUndoMark) /* collections and selection sets */            \
        X(Count) X(Item) X(Add) X(Delete) X(SelectOnScreen) X(Load) /* model space */           \
        X(AddLine) X(AddCircle) X(AddArc) X(AddText) X(AddMtext) X(AddSpline)                   \
            X(AddPoint)                                   /* utility */                         \
        X(GetPoint)                                       /* table records */                   \
        X(Lock) X(FontFile) X(BigFontFile) X(Description) /* every entity */                    \
        X(EntityName) X(ObjectName) X(Handle) X(Color) X(Layer) X(Linetype) X(LinetypeScale)    \
            X(Update) /* texts */                                                               \
        X(TextString) X(Height) X(InsertionPoint) X(TextAlignmentPoint) X(StyleName)            \
            X(ScaleFactor) X(Rotation) X(HorizontalAlignment) X(VerticalAlignment) X(Width)     \
                X(AttachmentPoint) /* lines, arcs, circles, points */                           \
        X(StartPoint) X(EndPoint) X(Center) X(Radius) X(StartAngle) X(EndAngle)                 \
            X(Coordinates)                              /* block references */                  \
        X(XScaleFactor) X(YScaleFactor) X(ZScaleFactor) /* splines */                           \
        X(FitPoints) X(StartTangent) X(EndTangent)
// clang-format on

enum class Member : std::uint8_t {
#define ELECAIDE_MEMBER_ENUM(name) name,
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_ENUM)
#undef ELECAIDE_MEMBER_ENUM
};

inline constexpr int kMemberCount = 0
#define ELECAIDE_MEMBER_COUNT(name) +1
    ELECAIDE_CAD_MEMBERS(ELECAIDE_MEMBER_COUNT)
#undef ELECAIDE_MEMBER_COUNT
    ;

// The member's name as spelled in the table.
QStringView memberName(Member m);

// Looks a name up without regard to case; nullopt for a name no object answers.
std::optional<Member> memberByName(QStringView name);

}  // namespace cad
