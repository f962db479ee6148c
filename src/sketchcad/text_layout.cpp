// Text placement: the alignment rules of single-line texts and the attachment of multiline ones.
#include "sketchcad/text_layout.h"

#include <QLineF>
#include <cmath>

namespace sketchcad {

namespace {

QPointF rotated(QPointF v, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {v.x() * c - v.y() * s, v.x() * s + v.y() * c};
}

bool isWide(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// Index after the ';' that ends a code's argument, or the end of the text.
qsizetype afterSemicolon(const QString& s, qsizetype from) {
    const qsizetype semi = s.indexOf(u';', from);
    return semi < 0 ? s.size() : semi + 1;
}

}  // namespace

QString plainSingleLine(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size() && text[i + 1] == u'%') {
            const QChar code = text[i + 2].toLower();
            const char16_t* replacement = nullptr;
            if (code == u'd') {
                replacement = u"\u00B0";
            } else if (code == u'p') {
                replacement = u"\u00B1";
            } else if (code == u'c') {
                replacement = u"\u2300";
            } else if (code == u'%') {
                replacement = u"%";
            } else if (code == u'u' || code == u'o') {
                replacement = u"";
            }
            if (replacement) {
                out += QString::fromUtf16(replacement);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QStringList mtextParagraphs(const QString& text) {
    QStringList paragraphs;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'{' || c == u'}') {
            continue;
        }
        if (c != u'\\' || i + 1 >= text.size()) {
            current += c;
            continue;
        }
        const QChar code = text[i + 1];
        switch (code.unicode()) {
            case u'P':
                paragraphs.append(current);
                current.clear();
                ++i;
                break;
            case u'~':
                current += u' ';
                ++i;
                break;
            case u'\\':
            case u'{':
            case u'}':
                current += code;
                ++i;
                break;
            case u'L':
            case u'l':
            case u'O':
            case u'o':
            case u'K':
            case u'k':
            case u'N':
                ++i;
                break;
            case u'S': {
                // Stacked fraction "\Sa^b;" or "\Sa/b;" reads as a/b.
                const qsizetype end = afterSemicolon(text, i + 2);
                QString stack = text.mid(i + 2, end - (i + 2));
                if (stack.endsWith(u';')) {
                    stack.chop(1);
                }
                stack.replace(u'^', u'/').replace(u'#', u'/');
                current += stack;
                i = end - 1;
                break;
            }
            case u'U':
                if (i + 6 < text.size() && text[i + 2] == u'+') {
                    bool ok = false;
                    const uint cp = text.mid(i + 3, 4).toUInt(&ok, 16);
                    if (ok) {
                        current += QChar(char16_t(cp));
                        i += 6;
                        break;
                    }
                }
                current += c;
                break;
            case u'A':
            case u'C':
            case u'c':
            case u'F':
            case u'f':
            case u'H':
            case u'h':
            case u'Q':
            case u'q':
            case u'T':
            case u't':
            case u'W':
            case u'w':
            case u'p':
                i = afterSemicolon(text, i + 2) - 1;
                break;
            default:
                current += c;
                break;
        }
    }
    paragraphs.append(current);
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
    const int attachment = std::clamp(t.attachment, 1, 9);
    const int column = (attachment - 1) % 3;  // left, centre, right
    const int row = (attachment - 1) / 3;     // top, middle, bottom
    const double spacing = kLineSpacing * t.height;
    const double blockHeight = t.height + (lines.size() - 1) * spacing;
    // First baseline below the anchor: one text height under the top edge.
    double baseline = -t.height;
    if (row == 1) {
        baseline += blockHeight / 2;
    } else if (row == 2) {
        baseline += blockHeight;
    }
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
