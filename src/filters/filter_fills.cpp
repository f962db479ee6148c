// The fills of the filter boxes and the coordinate-prefix prompt.
#include "filters/filter_fills.h"

#include <QSet>

#include "core/colors.h"
#include "core/progress.h"
#include "filters/height_text.h"

namespace filters {

namespace {

template <typename Table>
void fillNames(const Table& table, ChoiceBox& box) {
    const int count = table.Count();
    for (int i = 0; i < count; ++i) {
        box.append(table.Item(i).Name());
    }
}

void showFirstEntry(ChoiceBox& box) {
    box.setText(box.entryCount() > 0 ? box.entry(0) : QString());
}

}  // namespace

void fillColorBox(ChoiceBox& box) {
    box.clear();
    for (const QString& entry : core::colorEntryTexts()) {
        box.append(entry);
    }
    showFirstEntry(box);
}

void fillLayerBox(cad::CadLink& link, ChoiceBox& box) {
    if (!link.CheckCadReady()) {
        return;
    }
    box.clear();
    fillNames(link.objAcad.ActiveDocument().Layers(), box);
    showFirstEntry(box);
}

void fillTextStyleBox(cad::CadLink& link, ChoiceBox& box) {
    if (!link.CheckCadReady()) {
        return;
    }
    box.clear();
    fillNames(link.objAcad.ActiveDocument().TextStyles(), box);
    showFirstEntry(box);
}

void fillLinetypeBox(cad::CadLink& link, ChoiceBox& box) {
    if (!link.CheckCadReady()) {
        return;
    }
    box.clear();
    fillNames(link.objAcad.ActiveDocument().Linetypes(), box);
    showFirstEntry(box);
}

void fillHeightBox(cad::CadLink& link, ChoiceBox& box) {
    static const QString kProgress = QStringLiteral("提示：搜索高度");
    static const QString kText = QStringLiteral("AcDbText");
    if (!link.CheckCadReady()) {
        return;
    }
    box.clear();
    const cad::ModelSpace modelSpace = link.objAcad.ActiveDocument().ModelSpace();
    ui::Ui& ui = link.ui();
    // Keeping the first occurrence while walking gives the same list as removing later
    // duplicates afterwards, in one pass however many texts share a height.
    QSet<QString> listed;
    const int count = modelSpace.Count();
    for (int i = 0; i < count; ++i) {
        ui.showHint(core::progressHint(kProgress, i, count));
        const cad::Entity entity = modelSpace.Item(i);
        if (entity.EntityName() != kText) {
            continue;
        }
        QString height = filters::heightText(entity.Height());
        if (!listed.contains(height)) {
            listed.insert(height);
            box.append(height);
        }
    }
    showFirstEntry(box);
    ui.showHint(core::progressHint(kProgress, 1, 1));
}

CoordPrefixAnswer askCoordPrefix(ui::Ui& ui) {
    const QString answer =
        ui.inputBox(QStringLiteral("以 A 打头?  以 B 打头?  以 X 打头?  还是以 Y 打头?"),
                    QStringLiteral("A or B or X or Y"));
    CoordPrefixAnswer result;
    result.prefix = answer.left(1).toUpper();
    static const QStringList kPrefixes = {QStringLiteral("A"), QStringLiteral("B"),
                                          QStringLiteral("X"), QStringLiteral("Y")};
    result.valid = kPrefixes.contains(result.prefix);
    if (!result.valid) {
        ui.showHint(QStringLiteral("提示：坐标值前缀选择无效"));
    }
    return result;
}

}  // namespace filters
