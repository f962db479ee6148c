// Where the lines of single-line and multiline texts go: alignment, attachment, paragraphs,
// wrapping, and the formatting codes a drawing's texts carry.
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace sketchcad {

// Width of a text drawn at height 1 with width factor 1.
using Measure = std::function<double(QStringView)>;

// One line of text as drawn: its baseline's left end, direction and size in drawing units.
struct PlacedLine {
    QString text;
    QPointF origin;
    double rotation = 0;  // radians
    double height = 0;
    double widthFactor = 1;
    double width = 0;  // drawn length along the baseline
};

struct SingleLineText {
    QString text;
    QPointF insertion;
    QPointF alignment;
    double height = 2.5;
    double widthFactor = 1;
    double rotation = 0;
    int horizontal = 0;  // 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit
    int vertical = 0;    // 0 baseline, 1 bottom, 2 middle, 3 top
};

struct MultilineText {
    QString text;  // with formatting codes
    QPointF insertion;
    double height = 2.5;
    double width = 0;    // 0: no wrapping
    int attachment = 1;  // 1..9: top, middle, bottom rows of left, centre, right
    double rotation = 0;
};

// The descender's depth below the baseline, as a share of the text height.
inline constexpr double kDescent = 0.3;
// A CJK or full-width character: a line may break on either side of it, and it is drawn smaller
// than Latin letters (TextFont).
bool isWide(QChar c);

// The control codes of a single-line text replaced by what they stand for (%%d, %%p, %%c,
// %%%), underline and overline toggles dropped.
QString plainSingleLine(const QString& text);
// The paragraphs of a multiline text as drawn: its formatting codes stripped (as
// core::mtextParagraphs does) and %%d, %%p, %%c shown as their symbols.
QStringList mtextParagraphs(const QString& text);
// A paragraph broken into lines no wider than width (at height 1 when measure is), at spaces
// or between CJK characters; a word wider than the width keeps a line of its own.
QStringList wrapParagraph(const QString& paragraph, double width, const Measure& measure);

PlacedLine placeSingleLine(const SingleLineText& text, const Measure& measure);
std::vector<PlacedLine> placeMultiline(const MultilineText& text, const Measure& measure);

}  // namespace sketchcad
