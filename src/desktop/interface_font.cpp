// The interface's face, chosen by name.
#include <QApplication>
#include <QFont>

#include "desktop/program_start.h"

namespace desktop {

void useInterfaceFont() {
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"), font.family()});
    QApplication::setFont(font);
}

}  // namespace desktop
