// A subset of the CAD's standard linetype file, as drafters use it.
#include "cad/memory/standard_linetypes.h"

namespace cad::memory {

namespace {

const std::vector<StandardLinetype>& table() {
    static const std::vector<StandardLinetype> t = {
        {QStringLiteral("BORDER"),
         QStringLiteral("Border __ __ . __ __ . __ __ . __ __ . __ __ ."),
         {0.5, -0.25, 0.5, -0.25, 0.0, -0.25}},
        {QStringLiteral("CENTER"),
         QStringLiteral("Center ____ _ ____ _ ____ _ ____ _ ____ _ ____"),
         {1.25, -0.25, 0.25, -0.25}},
        {QStringLiteral("CENTER2"),
         QStringLiteral("Center (.5x) ___ _ ___ _ ___ _ ___ _ ___ _ ___"),
         {0.75, -0.125, 0.125, -0.125}},
        {QStringLiteral("DASHDOT"),
         QStringLiteral("Dash dot __ . __ . __ . __ . __ . __ . __ . __"),
         {0.5, -0.25, 0.0, -0.25}},
        {QStringLiteral("DASHED"),
         QStringLiteral("Dashed __ __ __ __ __ __ __ __ __ __ __ __ __ _"),
         {0.5, -0.25}},
        {QStringLiteral("DASHED2"),
         QStringLiteral("Dashed (.5x) _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _"),
         {0.25, -0.125}},
        {QStringLiteral("DIVIDE"),
         QStringLiteral("Divide ____ . . ____ . . ____ . . ____ . . ____"),
         {0.5, -0.25, 0.0, -0.25, 0.0, -0.25}},
        {QStringLiteral("DOT"),
         QStringLiteral("Dot . . . . . . . . . . . . . . . . . . . . . . . ."),
         {0.0, -0.25}},
        {QStringLiteral("HIDDEN"),
         QStringLiteral("Hidden __ __ __ __ __ __ __ __ __ __ __ __ __ __"),
         {0.25, -0.125}},
        {QStringLiteral("HIDDEN2"),
         QStringLiteral("Hidden (.5x) _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _"),
         {0.125, -0.0625}},
        {QStringLiteral("PHANTOM"),
         QStringLiteral("Phantom ______  __  __  ______  __  __  ______"),
         {1.25, -0.25, 0.25, -0.25, 0.25, -0.25}},
    };
    return t;
}

}  // namespace

const StandardLinetype* standardLinetype(QStringView name) {
    for (const auto& lt : table()) {
        if (name.compare(lt.name, Qt::CaseInsensitive) == 0) {
            return &lt;
        }
    }
    return nullptr;
}

bool isStandardLinetypeFile(QStringView fileName) {
    return fileName.compare(u"acad.lin", Qt::CaseInsensitive) == 0 ||
           fileName.compare(u"acadiso.lin", Qt::CaseInsensitive) == 0;
}

}  // namespace cad::memory
