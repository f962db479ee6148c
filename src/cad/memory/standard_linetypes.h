// The linetypes of the CAD's own "acad.lin", which Linetypes.Load reads from.
#pragma once

#include <QString>
#include <vector>

namespace cad::memory {

struct StandardLinetype {
    QString name;
    QString description;
    std::vector<double> pattern;
};

// nullptr for a name the file does not define (looked up without regard to case).
const StandardLinetype* standardLinetype(QStringView name);

// Whether a file name names the CAD's linetype file.
bool isStandardLinetypeFile(QStringView fileName);

}  // namespace cad::memory
