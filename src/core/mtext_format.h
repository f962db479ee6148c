// Multiline texts as lines: their formatting codes read, and where the lines of one go.
#pragma once

#include <QString>
#include <QStringList>

namespace core {

// Baseline to baseline in a multiline text, as a multiple of the text height.
inline constexpr double kMtextLineSpacing = 5.0 / 3.0;

// The paragraphs of a multiline text's contents ("\P" apart) with the formatting codes
// stripped: fonts, colours, heights and the like dropped, "\~" a blank, a stacked fraction
// "a/b", "\U+XXXX" its character, "\\", "\{" and "\}" the character itself.
QStringList mtextParagraphs(const QString& text);

// How far the first baseline lies below the anchor point of a multiline text of so many lines
// at the text height, for its attachment (1..9: top, middle, bottom rows of left, centre,
// right). The next baselines follow kMtextLineSpacing * height apart.
double mtextFirstBaselineDepth(int attachment, qsizetype lines, double height);

}  // namespace core
