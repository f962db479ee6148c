// The fixed colour entries of the colour boxes and the colour rule by which entities are matched.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace core {

struct ColorEntry {
    QStringView text;  // as shown in the box, number right-aligned in three characters
    int number;        // CAD colour index
};

// In list-box order; the blanks in front of one-digit numbers are part of the entries.
inline constexpr std::array<ColorEntry, 11> ColorEntries{{
    {u"  0(BYBLOCK)", 0},
    {u"  1(红)", 1},
    {u"  2(黄)", 2},
    {u"  3(绿)", 3},
    {u"  4(蓝)", 4},
    {u"  5(藏青)", 5},
    {u"  6(品红)", 6},
    {u"  7(白/黑)", 7},
    {u"  8(深灰)", 8},
    {u"  9(浅灰)", 9},
    {u"256(BYLAYER)", 256},
}};

// The entries' texts, for filling a colour box.
QStringList colorEntryTexts();

// The colour number of the entry whose text equals text exactly (blanks included).
std::optional<int> colorNumberOfEntry(QStringView text);

// The colour rule prepared for one walk from one box text; cheap to apply per entity.
class ColorTest {
public:
    // Colours 0 to 9 and 256 match the rule's colour number; any other colour matches when the box
    // text is that colour in plain digits ("30", not "030" or " 30").
    bool matches(int entityColor) const;

private:
    friend class ColorRule;
    ColorTest(int colorNumber, std::optional<int> typedColor)
        : m_colorNumber(colorNumber), m_typedColor(typedColor) {}

    int m_colorNumber;
    std::optional<int> m_typedColor;
};

// Holds the one colour number every colour filter of the program shares: the
// program owns a single instance and hands it to each operation. A box text that is no entry
// leaves the colour number as the last entry looked up made it, so colours 0 to 9 and 256 are then
// still compared with that older choice.
class ColorRule {
public:
    int colorNumber() const { return m_colorNumber; }

    // Looks boxText up among the entries (setting the colour number on a hit) and returns the test
    // for the walk. The box cannot change while a walk runs, so one look-up per walk is the same as
    // one per entity.
    ColorTest prepare(QStringView boxText);

private:
    int m_colorNumber = 0;
};

}  // namespace core
