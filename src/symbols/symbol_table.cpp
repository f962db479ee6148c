// The library in list order, assembled from its groups, and the prompts of the single picks.
#include "symbols/symbol_table.h"

#include <algorithm>

#include "symbols/symbol_groups.h"

using namespace Qt::StringLiterals;

namespace symbols {

QString promptText(Pick pick) {
    switch (pick) {
        case Pick::CircleCentre:
            return u"圆心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::LowerEnd:
            return u"下端点为图块插入点,选择你在图中的对应点: "_s;
        case Pick::BottomEdgeCentre:
            return u"底边中心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::BottomCentre:
            return u"底部中心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::CircleLeftEnd:
            return u"圆左端点为插入点,选择你在图中的对应点: "_s;
        case Pick::TopEdgeCentre:
            return u"上边中心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::LeftEnd:
            return u"左端点为图块插入点,选择你在图中的对应点: "_s;
        case Pick::BelowMiddleElectrode:
            return u"中间极以下30毫米处为图块插入点,选择你在图中的对应点: "_s;
        case Pick::LargeCircleCentre:
            return u"大圆圆心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::RedLineTopEnd:
            return u"红线上端点为图块插入点,选择你在图中的对应点: "_s;
        case Pick::LineRightEnd:
            return u"直线右端点为图块插入点,选择你在图中的对应点: "_s;
        case Pick::Centre:
            return u"中心为图块插入点,选择你在图中的对应点: "_s;
        case Pick::CableEnds:
        case Pick::Nothing:
            break;
    }
    return {};
}

const std::vector<Symbol>& symbolTable() {
    static const std::vector<Symbol> table = [] {
        std::vector<Symbol> rows;
        for (auto group : {groups::lampsAndFans, groups::wiringDevices, groups::boxesAndMeters,
                           groups::switchgear, groups::marks}) {
            std::vector<Symbol> part = group();
            std::move(part.begin(), part.end(), std::back_inserter(rows));
        }
        std::sort(rows.begin(), rows.end(),
                  [](const Symbol& a, const Symbol& b) { return a.index < b.index; });
        Q_ASSERT(std::ssize(rows) == kSymbolCount);
        for (int i = 0; i < kSymbolCount; ++i) {
            Q_ASSERT(rows[i].index == i);
        }
        return rows;
    }();
    return table;
}

const QStringList& symbolNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const Symbol& s : symbolTable()) {
            list.append(s.name);
        }
        return list;
    }();
    return names;
}

const Symbol* findSymbol(const QString& name) {
    const auto& table = symbolTable();
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const Symbol& s) { return s.name == name; });
    return it == table.end() ? nullptr : &*it;
}

}  // namespace symbols
