// Text placement: the alignment rules of single-line texts and the attachment of multiline ones.
#include "sketchcad/text_layout.h"

#include "core/mtext_format.h"

#include <QLineF>
#include <cmath>
#include <optional>

namespace sketchcad {

namespace {

QPointF rotated(QPointF v, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {v.x() * c - v.y() * s, v.x() * s + v.y() * c};
}

// The sign "%%d", "%%p" or "%%c" at i stands for, in any case: degree, plus-minus or diameter.
// Single-line and multiline texts both know these three.
std::optional<QChar> symbolCode(const QString& s, qsizetype i) {
    if (s[i] != u'%' || i + 2 >= s.size() || s[i + 1] != u'%') {
        return std::nullopt;
    }
    switch (s[i + 2].toLower().unicode()) {
        case u'd':
            return QChar(0x00B0);
        case u'p':
            return QChar(0x00B1);
        case u'c':
            return QChar(0x2300);
        default:
            return std::nullopt;
    }
}

}  // namespace

bool isWide(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

QString plainSingleLine(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const auto symbol = symbolCode(text, i)) {
            out += *symbol;
            i += 2;
            continue;
        }
        // Only single-line texts know "%%%" and the underline and overline toggles.
        if (text[i] == u'%' && i + 2 < text.size() && text[i + 1] == u'%') {
            const QChar code = text[i + 2].toLower();
            if (code == u'%' || code == u'u' || code == u'o') {
                if (code == u'%') {
                    out += u'%';
                }
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QStringList mtextParagraphs(const QString& text) {
    QStringList paragraphs = core::mtextParagraphs(text);
    for (QString& paragraph : paragraphs) {
        for (qsizetype i = 0; i < paragraph.size(); ++i) {
            if (const auto symbol = symbolCode(paragraph, i)) {
                paragraph.replace(i, 3, *symbol);
            }
        }
    }
    return paragraphs;
}

QStringList wrapParagraph(const QString& paragraph, double width, const Measure& measure) {
    if (width <= 0 || paragraph.isEmpty()) {
        return {paragraph};
    }
    // Pieces that may not be split: a wide character, or a word with its trailing spaces.
    QStringList pieces;
    QString piece;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        const QChar c = paragraph[i];
        if (isWide(c)) {
            if (!piece.isEmpty()) {
                pieces.append(piece);
                piece.clear();
            }
            pieces.append(QString(c));
            continue;
        }
        if (c != u' ' && !piece.isEmpty() && piece.back() == u' ') {
            pieces.append(piece);
            piece.clear();
        }
        piece += c;
    }
    if (!piece.isEmpty()) {
        pieces.append(piece);
    }
    QStringList lines;
    QString line;
    for (const QString& p : pieces) {
        const QString candidate = line + p;
        if (!line.isEmpty() && measure(QStringView(candidate).trimmed()) > width) {
            lines.append(line.trimmed());
            line = p;
        } else {
            line = candidate;
        }
    }
    lines.append(line.trimmed());
    return lines;
}

PlacedLine placeSingleLine(const SingleLineText& t, const Measure& measure) {
    PlacedLine line;
    line.text = plainSingleLine(t.text);
    line.rotation = t.rotation;
    line.height = t.height;
    line.widthFactor = t.widthFactor;
    const double advance = measure(line.text);
    if (t.horizontal == 3 || t.horizontal == 5) {
        // Between the two points: aligned scales the whole text, fit only stretches it.
        const QLineF base(t.insertion, t.alignment);
        line.origin = t.insertion;
        if (base.length() > 0) {
            line.rotation = std::atan2(base.dy(), base.dx());
            if (advance > 0) {
                if (t.horizontal == 3) {
                    line.height = base.length() / (advance * t.widthFactor);
                } else {
                    line.widthFactor = base.length() / (advance * t.height);
                }
            }
        }
        line.width = advance * line.height * line.widthFactor;
        return line;
    }
    line.width = advance * t.height * t.widthFactor;
    const bool atInsertion = t.horizontal == 0 && t.vertical == 0;
    const QPointF anchor = atInsertion ? t.insertion : t.alignment;
    double dx = 0;
    if (t.horizontal == 1 || t.horizontal == 4) {
        dx = -line.width / 2;
    } else if (t.horizontal == 2) {
        dx = -line.width;
    }
    double dy = 0;
    if (t.horizontal == 4 || t.vertical == 2) {
        dy = -t.height / 2;
    } else if (t.vertical == 1) {
        dy = kDescent * t.height;
    } else if (t.vertical == 3) {
        dy = -t.height;
    }
    line.origin = anchor + rotated(QPointF(dx, dy), t.rotation);
    return line;
}

std::vector<PlacedLine> placeMultiline(const MultilineText& t, const Measure& measure) {
    QStringList lines;
    for (const QString& p : mtextParagraphs(t.text)) {
        lines += wrapParagraph(p, t.width > 0 ? t.width / t.height : 0, measure);
    }
    const int column = (std::clamp(t.attachment, 1, 9) - 1) % 3;  // left, centre, right
    const double spacing = core::kMtextLineSpacing * t.height;
    double baseline = -core::mtextFirstBaselineDepth(t.attachment, lines.size(), t.height);
    std::vector<PlacedLine> placed;
    placed.reserve(lines.size());
    for (const QString& text : lines) {
        PlacedLine line;
        line.text = text;
        line.rotation = t.rotation;
        line.height = t.height;
        line.width = measure(text) * t.height;
        double dx = 0;
        if (column == 1) {
            dx = -line.width / 2;
        } else if (column == 2) {
            dx = -line.width;
        }
        line.origin = t.insertion + rotated(QPointF(dx, baseline), t.rotation);
        placed.push_back(std::move(line));
        baseline -= spacing;
    }
    return placed;
}

}  // namespace sketchcad
