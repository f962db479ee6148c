// The sample electrical plan, drawn entity by entity: walls and doors, lamps and switches with
// their cable runs, room labels, dimensions, notes, the legend and the A1 title block.
#include "samples/electrical_plan.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "cad/memory/entity.h"
#include "cad/memory/kinds.h"
#include "cad/memory/tables.h"

namespace samples {

namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using cad::Point;
namespace memory = cad::memory;

// Layers, with the colours drafters usually give them.
const QString kWalls = u"墙体"_s;
const QString kDoors = u"门窗"_s;
const QString kLamps = u"照明"_s;
const QString kSwitches = u"开关"_s;
const QString kPanels = u"配电箱"_s;
const QString kCables = u"照明线路"_s;
const QString kRoomNames = u"房间名称"_s;
const QString kDimensions = u"尺寸标注"_s;
const QString kFrame = u"图框"_s;
const QString kNotes = u"说明"_s;
const QString kTextStyle = u"HZ"_s;

// The building in its own coordinates: axis 0 at the south-west corner, placed on the sheet at
// kBuilding. A south row and a north row of rooms either side of a corridor.
constexpr Point kBuilding{12000, 27000, 0};
constexpr double kAxes[] = {0, 7200, 10800, 18000, 21600, 28800, 36000};
constexpr double kLength = 36000;
constexpr double kSouthTop = 6600;     // corridor's south wall
constexpr double kNorthBottom = 9000;  // corridor's north wall
constexpr double kDepth = 15600;
constexpr double kWallHalf = 120;
constexpr double kDoorFrom = 600;  // from the room's west axis
constexpr double kDoorWidth = 900;
constexpr double kLampRadius = 300;
constexpr double kSwitchRadius = 100;
// Where the two room circuits run along the corridor, and the corridor's lamp line.
constexpr double kSouthTrunk = 7400;
constexpr double kNorthTrunk = 8200;
constexpr double kCorridorLamps = 7800;

struct Room {
    const char16_t* name;
    const char16_t* number;
    const char16_t* rating;
    int bay;  // index of its west axis
    bool south;
    int columns;
    int rows;
};

const Room kRooms[] = {
    {u"办公室一", u"101", u"2x40W", 0, true, 2, 2},  {u"卫生间", u"102", u"1x18W", 1, true, 1, 2},
    {u"办公室二", u"103", u"2x40W", 2, true, 2, 2},  {u"茶水间", u"104", u"1x36W", 3, true, 1, 2},
    {u"会议室", u"105", u"2x40W", 4, true, 3, 2},    {u"经理室", u"106", u"2x40W", 5, true, 2, 2},
    {u"前台", u"107", u"2x40W", 0, false, 2, 2},     {u"配电间", u"108", u"1x36W", 1, false, 1, 2},
    {u"财务室", u"109", u"2x40W", 2, false, 2, 2},   {u"档案室", u"110", u"1x36W", 3, false, 1, 2},
    {u"办公室三", u"111", u"2x40W", 4, false, 2, 2}, {u"资料室", u"112", u"2x40W", 5, false, 2, 2},
};
constexpr double kCorridorLampX[] = {3600, 10800, 18000, 25200, 32400};

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y, 0};
}

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// a moved towards b by d.
Point toward(Point a, Point b, double d) {
    const double n = distance(a, b);
    return {a.x + (b.x - a.x) * d / n, a.y + (b.y - a.y) * d / n, 0};
}

double normalAngle(double a) {
    const double turn = 2 * std::numbers::pi;
    a = std::fmod(a, turn);
    return a < 0 ? a + turn : a;
}

enum class HAlign { Left = 0, Center = 1 };
enum class VAlign { Baseline = 0, Middle = 2 };

// Appends entities to one block (model space or a symbol's definition); building coordinates
// when an offset is set.
class Pen {
public:
    Pen(memory::Document& drawing, memory::BlockRecord& block, Point offset = {})
        : m_drawing(drawing), m_block(block), m_offset(offset) {}

    void line(const QString& layer, Point a, Point b) {
        auto& e = add(memory::kinds::line(), layer);
        e.setValue(Member::StartPoint, a + m_offset);
        e.setValue(Member::EndPoint, b + m_offset);
    }
    void polygon(const QString& layer, std::initializer_list<Point> corners) {
        const std::vector<Point> p(corners);
        for (std::size_t i = 0; i < p.size(); ++i) {
            line(layer, p[i], p[(i + 1) % p.size()]);
        }
    }
    void rectangle(const QString& layer, Point low, Point high) {
        polygon(layer, {low, {high.x, low.y, 0}, high, {low.x, high.y, 0}});
    }
    void circle(const QString& layer, Point center, double radius) {
        auto& e = add(memory::kinds::circle(), layer);
        e.setValue(Member::Center, center + m_offset);
        e.setValue(Member::Radius, radius);
    }
    // Counter-clockwise from start to end, in radians.
    void arc(const QString& layer, Point center, double radius, double start, double end) {
        auto& e = add(memory::kinds::arc(), layer);
        e.setValue(Member::Center, center + m_offset);
        e.setValue(Member::Radius, radius);
        e.setValue(Member::StartAngle, normalAngle(start));
        e.setValue(Member::EndAngle, normalAngle(end));
    }
    void text(const QString& layer, const QString& s, Point at, double height,
              HAlign h = HAlign::Left, VAlign v = VAlign::Baseline, double rotation = 0) {
        auto& e = add(memory::kinds::text(), layer);
        e.setValue(Member::TextString, s);
        e.setValue(Member::InsertionPoint, at + m_offset);
        if (h != HAlign::Left || v != VAlign::Baseline) {
            e.setValue(Member::TextAlignmentPoint, at + m_offset);
            e.setValue(Member::HorizontalAlignment, static_cast<int>(h));
            e.setValue(Member::VerticalAlignment, static_cast<int>(v));
        }
        e.setValue(Member::Height, height);
        e.setValue(Member::Rotation, rotation);
        e.setValue(Member::StyleName, kTextStyle);
    }
    void notes(const QString& layer, const QString& s, Point at, double height, double width) {
        auto& e = add(memory::kinds::mtext(), layer);
        e.setValue(Member::TextString, s);
        e.setValue(Member::InsertionPoint, at + m_offset);
        e.setValue(Member::Height, height);
        e.setValue(Member::Width, width);
        e.setValue(Member::StyleName, kTextStyle);
    }
    void insert(const QString& layer, const QString& block, Point at) {
        auto& e = add(memory::kinds::insert(), layer);
        e.setValue(Member::Name, block);
        e.setValue(Member::InsertionPoint, at + m_offset);
    }

private:
    memory::Entity& add(const memory::KindSpec& kind, const QString& layer) {
        auto e = m_drawing.makeEntity(kind);
        e->setValue(Member::Layer, layer);
        return m_block.append(std::move(e));
    }

    memory::Document& m_drawing;
    memory::BlockRecord& m_block;
    Point m_offset;
};

void addTables(memory::Document& drawing) {
    const std::pair<const QString*, int> layers[] = {
        {&kWalls, 8},  {&kDoors, 4},     {&kLamps, 2},      {&kSwitches, 3}, {&kPanels, 6},
        {&kCables, 1}, {&kRoomNames, 7}, {&kDimensions, 3}, {&kFrame, 7},    {&kNotes, 7},
    };
    for (const auto& [name, color] : layers) {
        drawing.addLayer(*name).color = color;
    }
    // A Chinese big font beside the Latin one, as Chinese drawings carry.
    drawing.addTextStyle(kTextStyle, u"gbenor.shx"_s, u"gbcbig.shx"_s);
}

// Symbols on layer 0, so each reference takes its own layer's colour.
void defineBlocks(memory::Document& drawing) {
    const QString zero = u"0"_s;
    const double d = kLampRadius * std::numbers::sqrt2 / 2;

    Pen lamp(drawing, drawing.addBlock(u"LAMP"_s));
    lamp.circle(zero, {}, kLampRadius);
    lamp.line(zero, {-d, -d, 0}, {d, d, 0});
    lamp.line(zero, {-d, d, 0}, {d, -d, 0});

    // A single-pole switch: the dot, the lever at 45 degrees and its tick.
    Pen toggle(drawing, drawing.addBlock(u"SWITCH"_s));
    const double r = kSwitchRadius * std::numbers::sqrt2 / 2;
    toggle.circle(zero, {}, kSwitchRadius);
    toggle.circle(zero, {}, kSwitchRadius / 2);
    toggle.line(zero, {r, r, 0}, {450, 450, 0});
    toggle.line(zero, {450, 450, 0}, {560, 340, 0});

    // A distribution board: the box, half of it marked by its diagonal.
    Pen panel(drawing, drawing.addBlock(u"PANEL"_s));
    panel.rectangle(zero, {-400, -150, 0}, {400, 150, 0});
    panel.line(zero, {-400, -150, 0}, {400, 150, 0});
}

// A wall between two positions along its axis, drawn as its two faces with the ends closed,
// broken where doors open.
struct Wall {
    bool horizontal;
    double axis;
    double from;
    double to;
    std::vector<std::pair<double, double>> openings = {};
};

void drawWall(Pen& pen, const Wall& wall) {
    auto at = [&](double along, double across) {
        return wall.horizontal ? Point{along, wall.axis + across, 0}
                               : Point{wall.axis + across, along, 0};
    };
    double start = wall.from;
    auto piece = [&](double end) {
        pen.line(kWalls, at(start, -kWallHalf), at(end, -kWallHalf));
        pen.line(kWalls, at(start, kWallHalf), at(end, kWallHalf));
        pen.line(kWalls, at(start, -kWallHalf), at(start, kWallHalf));
        pen.line(kWalls, at(end, -kWallHalf), at(end, kWallHalf));
    };
    for (const auto& [low, high] : wall.openings) {
        piece(low);
        start = high;
    }
    piece(wall.to);
}

double roomWest(const Room& room) {
    return kAxes[room.bay];
}
double roomEast(const Room& room) {
    return kAxes[room.bay + 1];
}
double roomSouth(const Room& room) {
    return room.south ? 0 : kNorthBottom;
}
double roomNorth(const Room& room) {
    return room.south ? kSouthTop : kDepth;
}
// The face of the corridor wall inside the room, and the direction away from the corridor.
double doorFace(const Room& room) {
    return room.south ? kSouthTop - kWallHalf : kNorthBottom + kWallHalf;
}
double intoRoom(const Room& room) {
    return room.south ? -1 : 1;
}

void drawWalls(Pen& pen) {
    std::vector<std::pair<double, double>> south, north;
    for (const Room& room : kRooms) {
        const double x = roomWest(room) + kDoorFrom;
        (room.south ? south : north).push_back({x, x + kDoorWidth});
    }
    const double out = kWallHalf;
    std::vector<Wall> walls = {
        {true, 0, -out, kLength + out},
        {true, kDepth, -out, kLength + out},
        // The west wall leaves the corridor open: the entrance.
        {false, 0, -out, kSouthTop + out},
        {false, 0, kNorthBottom - out, kDepth + out},
        {false, kLength, -out, kDepth + out},
        {true, kSouthTop, out, kLength - out, south},
        {true, kNorthBottom, out, kLength - out, north},
    };
    for (std::size_t i = 1; i + 1 < std::size(kAxes); ++i) {
        walls.push_back({false, kAxes[i], out, kSouthTop - out});
        walls.push_back({false, kAxes[i], kNorthBottom + out, kDepth - out});
    }
    for (const Wall& wall : walls) {
        drawWall(pen, wall);
    }
}

// A door leaf swung into the room from the hinge at the west jamb.
void drawDoor(Pen& pen, const Room& room) {
    const double pi = std::numbers::pi;
    const Point hinge{roomWest(room) + kDoorFrom, doorFace(room), 0};
    const Point open{hinge.x, hinge.y + intoRoom(room) * kDoorWidth, 0};
    pen.line(kDoors, hinge, open);
    if (room.south) {
        pen.arc(kDoors, hinge, kDoorWidth, 1.5 * pi, 2 * pi);
    } else {
        pen.arc(kDoors, hinge, kDoorWidth, 0, pi / 2);
    }
}

// A cable run from lamp to lamp as a shallow arc (bulging by a share of the chord), stopping at
// the symbols' edges.
void drawRun(Pen& pen, Point a, Point b, double bulge, double trimA, double trimB) {
    const double chord = distance(a, b);
    const double sagitta = bulge * chord;
    const double radius = (chord * chord / 4 + sagitta * sagitta) / (2 * sagitta);
    const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2, 0};
    const double h = radius - sagitta;
    const Point left{-(b.y - a.y) / chord, (b.x - a.x) / chord, 0};
    const Point center{mid.x + left.x * h, mid.y + left.y * h, 0};
    const double start = std::atan2(a.y - center.y, a.x - center.x);
    const double end = std::atan2(b.y - center.y, b.x - center.x);
    pen.arc(kCables, center, radius, start + 2 * std::asin(trimA / (2 * radius)),
            end - 2 * std::asin(trimB / (2 * radius)));
}

void drawStraightRun(Pen& pen, Point a, Point b, double trimA, double trimB) {
    pen.line(kCables, toward(a, b, trimA), toward(b, a, trimB));
}

// The room's lamps in wiring order: the row nearest the corridor first, then back and forth.
std::vector<Point> roomLamps(const Room& room) {
    const double west = roomWest(room), width = roomEast(room) - west;
    const double south = roomSouth(room), depth = roomNorth(room) - south;
    // A single column stands off-centre, leaving the room's middle to its name.
    std::vector<Point> lamps;
    for (int row = 0; row < room.rows; ++row) {
        const int fromCorridor = room.south ? room.rows - 1 - row : row;
        const double y = south + depth * (2 * fromCorridor + 1) / (2 * room.rows);
        for (int c = 0; c < room.columns; ++c) {
            const int column = row % 2 == 0 ? c : room.columns - 1 - c;
            const double x = room.columns == 1
                                 ? west + width * 0.65
                                 : west + width * (2 * column + 1) / (2 * room.columns);
            lamps.push_back({x, y, 0});
        }
    }
    return lamps;
}

void drawRoom(Pen& pen, const Room& room) {
    drawDoor(pen, room);
    const std::vector<Point> lamps = roomLamps(room);
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        pen.insert(kLamps, u"LAMP"_s, lamps[i]);
        if (i > 0) {
            drawRun(pen, lamps[i - 1], lamps[i], 0.08, kLampRadius, kLampRadius);
        }
    }
    pen.text(kLamps, QString::fromUtf16(room.rating), lamps[0] + Point{400, 350, 0}, 300);

    // The switch beside the door's latch side, wired to the lamp nearest it.
    const Point toggle{roomWest(room) + kDoorFrom + kDoorWidth + 400,
                       doorFace(room) + intoRoom(room) * 500, 0};
    pen.insert(kSwitches, u"SWITCH"_s, toggle);
    drawStraightRun(pen, toggle, lamps[0], kSwitchRadius, kLampRadius);

    // The circuit comes in from its trunk along the corridor.
    const double trunk = room.south ? kSouthTrunk : kNorthTrunk;
    drawStraightRun(pen, {lamps[0].x, trunk, 0}, lamps[0], 0, kLampRadius);

    const double width = roomEast(room) - roomWest(room);
    const double labelX = roomWest(room) + width * (room.columns == 1 ? 0.3 : 0.5);
    const double middle = (roomSouth(room) + roomNorth(room)) / 2;
    pen.text(kRoomNames, QString::fromUtf16(room.name), {labelX, middle + 250, 0}, 450,
             HAlign::Center, VAlign::Middle);
    pen.text(kRoomNames, QString::fromUtf16(room.number), {labelX, middle - 450, 0}, 350,
             HAlign::Center, VAlign::Middle);
}

// The board in the switch room feeds the south rooms (WL1), the north rooms (WL2) and the
// corridor (WL3).
void drawCircuits(Pen& pen) {
    const Point board{10000, kNorthBottom + kWallHalf + 250, 0};
    pen.insert(kPanels, u"PANEL"_s, board);
    pen.text(kPanels, u"AL1"_s, board + Point{500, 100, 0}, 350);

    // Each trunk spans the drops to its rooms' first lamps.
    struct Span {
        double west = kLength;
        double east = 0;
    } south, north;
    for (const Room& room : kRooms) {
        const double x = roomLamps(room)[0].x;
        Span& span = room.south ? south : north;
        span.west = std::min(span.west, x);
        span.east = std::max(span.east, x);
    }
    const double boardBottom = board.y - 150;
    pen.line(kCables, {board.x - 200, boardBottom, 0}, {board.x - 200, kSouthTrunk, 0});
    pen.line(kCables, {south.west, kSouthTrunk, 0}, {south.east, kSouthTrunk, 0});
    pen.line(kCables, {board.x, boardBottom, 0}, {board.x, kNorthTrunk, 0});
    pen.line(kCables, {north.west, kNorthTrunk, 0}, {north.east, kNorthTrunk, 0});
    pen.text(kCables, u"WL1"_s, {board.x - 1100, kSouthTrunk + 100, 0}, 250);
    pen.text(kCables, u"WL2"_s, {board.x + 150, kNorthTrunk + 100, 0}, 250);

    std::vector<Point> lamps;
    for (double x : kCorridorLampX) {
        lamps.push_back({x, kCorridorLamps, 0});
        pen.insert(kLamps, u"LAMP"_s, lamps.back());
    }
    // WL3 drops to the nearest corridor lamp and runs both ways from it.
    const Point feed{board.x + 200, boardBottom, 0};
    drawStraightRun(pen, feed, lamps[1], 0, kLampRadius);
    pen.text(kCables, u"WL3"_s, {board.x + 350, kSouthTrunk + 650, 0}, 250);
    drawRun(pen, lamps[1], lamps[0], 0.05, kLampRadius, kLampRadius);
    for (std::size_t i = 2; i < lamps.size(); ++i) {
        drawRun(pen, lamps[i - 1], lamps[i], 0.05, kLampRadius, kLampRadius);
    }
    pen.text(kLamps, u"1x36W"_s, lamps[3] + Point{400, 350, 0}, 300);

    const Point toggle{500, kNorthBottom - kWallHalf - 500, 0};
    pen.insert(kSwitches, u"SWITCH"_s, toggle);
    drawStraightRun(pen, toggle, lamps[0], kSwitchRadius, kLampRadius);
    pen.text(kRoomNames, u"走廊"_s, {14400, kCorridorLamps, 0}, 450, HAlign::Center,
             VAlign::Middle);
}

// Chain dimensions along the south and west sides, with the overall size outside them.
void drawDimensions(Pen& pen) {
    const double pi = std::numbers::pi;
    auto tick = [&](Point at) {
        pen.line(kDimensions, at + Point{-150, -150, 0}, at + Point{150, 150, 0});
    };
    auto horizontal = [&](const std::vector<double>& xs, double y) {
        pen.line(kDimensions, {xs.front(), y, 0}, {xs.back(), y, 0});
        for (std::size_t i = 0; i < xs.size(); ++i) {
            pen.line(kDimensions, {xs[i], -600, 0}, {xs[i], y - 150, 0});
            tick({xs[i], y, 0});
            if (i > 0) {
                pen.text(kDimensions, QString::number(xs[i] - xs[i - 1]),
                         {(xs[i] + xs[i - 1]) / 2, y + 100, 0}, 350, HAlign::Center);
            }
        }
    };
    auto vertical = [&](const std::vector<double>& ys, double x) {
        pen.line(kDimensions, {x, ys.front(), 0}, {x, ys.back(), 0});
        for (std::size_t i = 0; i < ys.size(); ++i) {
            pen.line(kDimensions, {-600, ys[i], 0}, {x - 150, ys[i], 0});
            tick({x, ys[i], 0});
            if (i > 0) {
                pen.text(kDimensions, QString::number(ys[i] - ys[i - 1]),
                         {x - 100, (ys[i] + ys[i - 1]) / 2, 0}, 350, HAlign::Center,
                         VAlign::Baseline, pi / 2);
            }
        }
    };
    horizontal(std::vector<double>(std::begin(kAxes), std::end(kAxes)), -1800);
    horizontal({0, kLength}, -2800);
    vertical({0, kSouthTop, kNorthBottom, kDepth}, -1800);
    vertical({0, kDepth}, -2800);

    pen.text(kNotes, u"一层照明平面图"_s, {kLength / 2, -4800, 0}, 800, HAlign::Center);
    pen.text(kNotes, u"1:100"_s, {kLength / 2 + 3800, -4800, 0}, 500);
}

// Notes, circuit list and legend to the right of the plan.
void drawNotes(Pen& pen) {
    pen.notes(kNotes,
              u"设计说明：\\P"
              u"1. 本工程为某办公楼一层照明设计，电源由照明配电箱AL1引来。\\P"
              u"2. 照明线路采用BV-3x2.5导线穿PC20管沿顶板暗敷设。\\P"
              u"3. 灯具均为吸顶安装，开关底边距地1.3m。\\P"
              u"4. 配电箱AL1底边距地1.5m暗装。\\P"
              u"5. 图中尺寸均以毫米计。"_s,
              {56500, 54000, 0}, 450, 24000);
    pen.notes(kNotes,
              u"回路说明：\\P"
              u"WL1 南侧房间照明 BV-3x2.5 PC20\\P"
              u"WL2 北侧房间照明 BV-3x2.5 PC20\\P"
              u"WL3 走廊照明 BV-3x2.5 PC20"_s,
              {56500, 44000, 0}, 450, 24000);

    pen.text(kNotes, u"图例"_s, {56500, 36500, 0}, 600);
    const struct {
        const QString* layer;
        const char16_t* block;
        const char16_t* label;
    } legend[] = {
        {&kLamps, u"LAMP", u"荧光灯 2x40W 吸顶安装"},
        {&kSwitches, u"SWITCH", u"单联单控开关 距地1.3m"},
        {&kPanels, u"PANEL", u"照明配电箱 AL1 底边距地1.5m"},
    };
    double y = 34500;
    for (const auto& row : legend) {
        pen.insert(*row.layer, QString::fromUtf16(row.block), {57500, y, 0});
        pen.text(kNotes, QString::fromUtf16(row.label), {59000, y - 175, 0}, 350);
        y -= 1500;
    }
}

// The sheet's borders (binding margin on the left) and the title block in its corner.
void drawFrame(Pen& pen) {
    pen.rectangle(kFrame, {0, 0, 0}, {kSheetWidth, kSheetHeight, 0});
    const double left = 2500, right = kSheetWidth - 1000, bottom = 1000, top = kSheetHeight - 1000;
    pen.rectangle(kFrame, {left, bottom, 0}, {right, top, 0});

    const double blockLeft = right - 18000, blockTop = bottom + 5600, row = 1400;
    pen.rectangle(kFrame, {blockLeft, bottom, 0}, {right, blockTop, 0});
    const double columns[] = {blockLeft + 1500, blockLeft + 4000, blockLeft + 5500,
                              blockLeft + 8000};
    for (double x : columns) {
        pen.line(kFrame, {x, bottom, 0}, {x, blockTop, 0});
    }
    for (int i = 1; i < 4; ++i) {
        pen.line(kFrame, {blockLeft, bottom + i * row, 0}, {columns[3], bottom + i * row, 0});
    }
    pen.line(kFrame, {columns[3], bottom + 2 * row, 0}, {right, bottom + 2 * row, 0});

    const char16_t* cells[4][4] = {
        {u"设计", u"张工", u"比例", u"1:100"},
        {u"校对", u"李工", u"图号", u"电施-01"},
        {u"审核", u"王工", u"日期", u"2026.12"},
        {u"工程", u"办公楼", u"版本", u"A"},
    };
    const double cellLeft[] = {blockLeft, columns[0], columns[1], columns[2], columns[3]};
    for (int r = 0; r < 4; ++r) {
        const double y = blockTop - (r + 0.5) * row;
        for (int c = 0; c < 4; ++c) {
            pen.text(kFrame, QString::fromUtf16(cells[r][c]),
                     {(cellLeft[c] + cellLeft[c + 1]) / 2, y, 0}, 350, HAlign::Center,
                     VAlign::Middle);
        }
    }
    const double titleX = (columns[3] + right) / 2;
    pen.text(kFrame, u"某办公楼电气工程"_s, {titleX, bottom + 3 * row, 0}, 700, HAlign::Center,
             VAlign::Middle);
    pen.text(kFrame, u"一层照明平面图"_s, {titleX, bottom + row, 0}, 700, HAlign::Center,
             VAlign::Middle);
}

}  // namespace

void drawElectricalPlan(memory::Document& drawing) {
    addTables(drawing);
    defineBlocks(drawing);
    Pen sheet(drawing, drawing.modelSpace());
    Pen plan(drawing, drawing.modelSpace(), kBuilding);
    drawWalls(plan);
    for (const Room& room : kRooms) {
        drawRoom(plan, room);
    }
    drawCircuits(plan);
    drawDimensions(plan);
    drawNotes(sheet);
    drawFrame(sheet);
}

}  // namespace samples
