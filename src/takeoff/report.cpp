// The summary sheet and the drawing sheets built from the results.
#include "takeoff/report.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <map>

#include "core/scale_notation.h"

namespace takeoff {

namespace {

using namespace Qt::StringLiterals;

const QString kSummary = u"汇总"_s;
const QString kAllLayers = u"<所有层>"_s;

// The keys of a map of rows in the report's order of names.
template <typename Value>
QStringList inNameOrder(const std::map<QString, Value>& rows) {
    QStringList keys;
    for (const auto& entry : rows) {
        keys << entry.first;
    }
    std::sort(keys.begin(), keys.end(), NameOrder());
    return keys;
}

// Metres of one row, or nothing where a single-precision total overflows.
struct Metres {
    std::optional<double> lines, arcs, linesAndArcs;
    double polylines = 0;
    double splines = 0;

    std::optional<double> total() const {
        if (!linesAndArcs) {
            return std::nullopt;
        }
        return *linesAndArcs + polylines + splines;
    }
};

std::optional<double> page(const statistics::SingleTotal& total, double ratio) {
    if (const std::optional<float> m = total.metres(ratio)) {
        return pageMetres(*m);
    }
    return std::nullopt;
}

Metres metres(const LengthFigure& figure, double ratio) {
    return {page(figure.lines, ratio), page(figure.arcs, ratio), page(figure.linesAndArcs, ratio),
            figure.polylines / ratio / 1000.0, figure.splines / ratio / 1000.0};
}

// A figure beyond the range of numbers is said in words: a workbook cannot hold it as a number.
Cell metreCell(const std::optional<double>& m) {
    return m && std::isfinite(*m) ? Cell::metres(*m) : Cell::of(u"超出范围"_s);
}

std::vector<Cell> lengthRow(const QString& name, const Metres& m) {
    return {Cell::of(name),         metreCell(m.lines),
            metreCell(m.arcs),      metreCell(m.linesAndArcs),
            metreCell(m.polylines), metreCell(m.splines),
            metreCell(m.total())};
}

Table lengthTable(const QString& title, const QString& keyHeading,
                  const std::map<QString, LengthFigure>& rows, const LengthFigure& whole,
                  double ratio) {
    Table table{title, {}};
    table.rows.push_back({Cell::heading(keyHeading), Cell::heading(u"直线"_s),
                          Cell::heading(u"圆弧"_s), Cell::heading(u"直线圆弧"_s),
                          Cell::heading(u"多段线"_s), Cell::heading(u"样条曲线"_s),
                          Cell::heading(u"合计"_s)});
    for (const QString& name : inNameOrder(rows)) {
        table.rows.push_back(lengthRow(name, metres(rows.at(name), ratio)));
    }
    table.rows.push_back(lengthRow(u"全部"_s, metres(whole, ratio)));
    return table;
}

Table blockTable(const std::vector<BlockFigure>& blocks) {
    Table table{u"块的个数（模型空间中直接插入的块）"_s, {}};
    table.rows.push_back(
        {Cell::heading(u"块名"_s), Cell::heading(u"图层"_s), Cell::heading(u"个数"_s)});
    for (size_t i = 0; i < blocks.size();) {
        qint64 all = 0;
        size_t j = i;
        for (; j < blocks.size() && blocks[j].block.toLower() == blocks[i].block.toLower(); ++j) {
            table.rows.push_back({Cell::of(blocks[j].block), Cell::of(blocks[j].layer),
                                  Cell::count(blocks[j].count)});
            all += blocks[j].count;
        }
        table.rows.push_back({Cell::of(blocks[i].block), Cell::of(kAllLayers), Cell::count(all)});
        i = j;
    }
    return table;
}

// The first n characters of a text, counted as Excel counts them: a cut never splits a
// surrogate pair.
QString leftCharacters(const QString& text, qsizetype n) {
    const QList<uint> points = text.toUcs4();
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()),
                             std::min(n, points.size()));
}

// Excel refuses a sheet name that begins or ends with an apostrophe.
QString withoutOuterApostrophes(QString name) {
    while (name.startsWith(u'\'')) {
        name.remove(0, 1);
    }
    while (name.endsWith(u'\'')) {
        name.chop(1);
    }
    return name;
}

// A sheet name Excel takes: none of []:*?/\ (nor <>|" , which a CSV file of the same name may
// not hold on Windows), at most 31 characters, no apostrophe at either end, unique without
// regard to case, neither the summary's nor Excel's own "History".
QString sheetName(const QString& drawing, QSet<QString>& taken) {
    QString base = drawing;
    if (base.endsWith(u".dxf"_s, Qt::CaseInsensitive)) {
        base.chop(4);
    }
    for (QChar& c : base) {
        if (QStringView(u"[]:*?/\\<>|\"").contains(c)) {
            c = u'_';
        }
    }
    base = withoutOuterApostrophes(base);
    if (base.isEmpty()) {
        base = u"图纸"_s;
    }
    const auto free = [&taken](const QString& name) {
        const QString folded = name.toLower();
        return !taken.contains(folded) && folded != kSummary && folded != u"history"_s;
    };
    QString name = withoutOuterApostrophes(leftCharacters(base, 31));
    for (int n = 2; !free(name); ++n) {
        const QString suffix = u" (%1)"_s.arg(n);
        name = withoutOuterApostrophes(leftCharacters(base, 31 - suffix.size())) + suffix;
    }
    taken.insert(name.toLower());
    return name;
}

Table drawingsTable(const std::vector<DrawingResult>& results) {
    Table table{u"图纸"_s, {}};
    table.rows.push_back({Cell::heading(u"图纸"_s), Cell::heading(u"比例"_s),
                          Cell::heading(u"模型空间实体数"_s), Cell::heading(u"结果"_s)});
    for (const DrawingResult& r : results) {
        table.rows.push_back({Cell::of(r.entry.name), Cell::of(r.entry.scale),
                              r.figures ? Cell::count(r.figures->entities) : Cell(),
                              Cell::of(r.figures ? u"已统计"_s : u"读取失败："_s + r.error)});
    }
    return table;
}

// Rows by a key over the drawings that loaded, with a total column. Keys are told apart without
// regard to letter case, each row keeping the spelling met first.
template <typename Each>
Table acrossDrawings(const QString& title, const QString& keyHeading,
                     const std::vector<DrawingResult>& results, Cell (*cell)(double), Each each) {
    std::vector<const DrawingResult*> loaded;
    for (const DrawingResult& r : results) {
        if (r.figures) {
            loaded.push_back(&r);
        }
    }
    std::map<QString, std::pair<QString, std::vector<double>>> rows;  // folded key → name, values
    for (size_t d = 0; d < loaded.size(); ++d) {
        each(*loaded[d], [&](const QString& key, double value) {
            auto& row = rows[key.toLower()];
            if (row.second.empty()) {
                row = {key, std::vector<double>(loaded.size(), 0.0)};
            }
            row.second[d] += value;
        });
    }
    Table table{title, {}};
    std::vector<Cell> heading{Cell::heading(keyHeading)};
    for (const DrawingResult* r : loaded) {
        heading.push_back(Cell::heading(r->entry.name));
    }
    heading.push_back(Cell::heading(u"合计"_s));
    table.rows.push_back(std::move(heading));
    for (const QString& key : inNameOrder(rows)) {
        const auto& [name, values] = rows.at(key);
        std::vector<Cell> cells{Cell::of(name)};
        double sum = 0;
        for (double v : values) {
            cells.push_back(cell(v));
            sum += v;
        }
        cells.push_back(cell(sum));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

Cell countCell(double n) {
    return Cell::count(qint64(n));
}

Table summaryBlocks(const std::vector<DrawingResult>& results) {
    return acrossDrawings(u"块的个数（模型空间中直接插入的块，所有层）"_s, u"块名"_s, results,
                          countCell, [](const DrawingResult& r, auto add) {
                              for (const BlockFigure& b : r.figures->blocks) {
                                  add(b.block, double(b.count));
                              }
                          });
}

Table summaryLengths(const std::vector<DrawingResult>& results) {
    return acrossDrawings(
        u"线长合计（米：直线、圆弧、多段线、样条曲线）"_s, u"图层"_s, results,
        [](double m) { return metreCell(m); },
        [](const DrawingResult& r, auto add) {
            const double ratio = core::ScaleRatio(r.entry.scale);
            for (const auto& [layer, figure] : r.figures->byLayer) {
                // an overflow stays one in the sums, said in words
                add(layer, metres(figure, ratio).total().value_or(qQNaN()));
            }
        });
}

}  // namespace

double pageMetres(float metres) {
    return QString::number(double(metres), 'g', 7).toDouble();
}

Report buildReport(const std::vector<DrawingResult>& results, const ReportHeader& header) {
    Report report;
    report.header = {u"电气绘图助手 材料统计"_s, u"命令："_s + header.commandLine,
                     u"日期："_s + header.date,
                     u"默认比例："_s + header.defaultScale +
                         u"；长度单位：米；块只计模型空间中直接插入的，块内嵌套的不计"_s};
    QSet<QString> taken;
    report.sheets.push_back(
        {kSummary, {drawingsTable(results), summaryBlocks(results), summaryLengths(results)}});
    for (const DrawingResult& r : results) {
        if (!r.figures) {
            continue;
        }
        const double ratio = core::ScaleRatio(r.entry.scale);
        const DrawingFigures& f = *r.figures;
        report.sheets.push_back({sheetName(r.entry.name, taken),
                                 {blockTable(f.blocks),
                                  lengthTable(u"线长（米）按图层，比例 "_s + r.entry.scale,
                                              u"图层"_s, f.byLayer, f.whole, ratio),
                                  lengthTable(u"线长（米）按线型，比例 "_s + r.entry.scale,
                                              u"线型"_s, f.byLinetype, f.whole, ratio)}});
    }
    return report;
}

}  // namespace takeoff
