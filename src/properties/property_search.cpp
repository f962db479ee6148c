// The search of tab 7: table names and the colours model space uses.
#include "properties/property_search.h"

#include <QSet>
#include <vector>

#include "core/colors.h"
#include "core/progress.h"

using namespace Qt::StringLiterals;

namespace properties {

namespace {

// Model spaces above this size are worth a question before every entity is read.
constexpr int kLargeDrawing = 300;
constexpr int kHighestColor = 256;

template <typename Table>
QStringList names(const Table& table) {
    QStringList list;
    const int count = table.Count();
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        list.append(table.Item(i).Name());
    }
    return list;
}

QString colorText(int color) {
    for (const core::ColorEntry& entry : core::ColorEntries) {
        if (entry.number == color) {
            return entry.text.toString();
        }
    }
    return QString::number(color);
}

// Remembers which colours are listed already. Colour indices fit a flag per number, so a
// drawing of any size costs one look-up per entity; a value outside the index range, which no
// CAD should report, still counts once.
class SeenColors {
public:
    bool firstTime(int color) {
        if (color < 0 || color > kHighestColor) {
            if (m_others.contains(color)) {
                return false;
            }
            m_others.insert(color);
            return true;
        }
        const bool first = !m_flags[std::size_t(color)];
        m_flags[std::size_t(color)] = true;
        return first;
    }

private:
    std::vector<bool> m_flags = std::vector<bool>(kHighestColor + 1, false);
    QSet<int> m_others;
};

bool userDeclinesLargeSearch(ui::Ui& ui) {
    return ui.messageBox(u"图形文档较大，是否要继续搜索颜色？"_s, ui::Buttons::YesNo,
                         ui::Icon::Information, ui::Answer::Yes) == ui::Answer::No;
}

}  // namespace

std::optional<QStringList> SearchTextStyles(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return std::nullopt;
    }
    return names(link.objAcad.ActiveDocument().TextStyles());
}

std::optional<QStringList> SearchLayers(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return std::nullopt;
    }
    return names(link.objAcad.ActiveDocument().Layers());
}

std::optional<QStringList> SearchLinetypes(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return std::nullopt;
    }
    return names(link.objAcad.ActiveDocument().Linetypes());
}

std::optional<ColorLists> SearchColors(cad::CadLink& link) {
    static const QString kProgress = u"提示：搜索颜色"_s;
    if (!link.CheckCadReady()) {
        return std::nullopt;
    }
    const cad::ModelSpace modelSpace = link.objAcad.ActiveDocument().ModelSpace();
    ui::Ui& ui = link.ui();
    ColorLists lists{{}, core::colorEntryTexts()};
    const int count = modelSpace.Count();
    if (count > kLargeDrawing && userDeclinesLargeSearch(ui)) {
        lists.source = lists.target;
        return lists;
    }
    // Listing each colour when first met keeps the order of first appearance, the same list
    // as appending every colour and removing later repeats.
    SeenColors seen;
    for (int i = 0; i < count; ++i) {
        const int color = modelSpace.Item(i).Color();
        if (seen.firstTime(color)) {
            lists.source.append(colorText(color));
        }
        ui.showHint(core::progressHint(kProgress, i, count));
    }
    ui.showHint(core::progressHint(kProgress, 1, 1));
    return lists;
}

}  // namespace properties
