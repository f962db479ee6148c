// Multiline text codes and the attachment rule shared by the drawing's writer and its view.
#include "core/mtext_format.h"

#include <algorithm>

namespace core {

namespace {

// Index after the ';' that ends a code's argument, or the end of the text.
qsizetype afterSemicolon(const QString& s, qsizetype from) {
    const qsizetype semi = s.indexOf(u';', from);
    return semi < 0 ? s.size() : semi + 1;
}

}  // namespace

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

double mtextFirstBaselineDepth(int attachment, qsizetype lines, double height) {
    const int row = (std::clamp(attachment, 1, 9) - 1) / 3;  // top, middle, bottom
    const double blockHeight =
        height + double(std::max<qsizetype>(lines, 1) - 1) * kMtextLineSpacing * height;
    // The first baseline lies one text height under the top edge.
    return height - (row == 0 ? 0 : row == 1 ? blockHeight / 2 : blockHeight);
}

}  // namespace core
