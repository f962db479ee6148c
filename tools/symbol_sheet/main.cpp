// symbol_sheet: renders the whole symbol library to one PNG, four pages of twenty with names.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "sheet_painter.h"
#include "symbols/symbol_preview.h"
#include "symbols/symbol_table.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 5;
constexpr int kCellWidth = 250;
constexpr int kPictureHeight = 150;
constexpr int kNameHeight = 26;
constexpr int kGap = 8;
constexpr int kPageTitle = 34;
constexpr int kPerPage = kColumns * kRows;
constexpr int kPages = symbols::kSymbolCount / kPerPage;

constexpr int kPageWidth = kColumns * (kCellWidth + kGap) + kGap;
constexpr int kPageHeight = kPageTitle + kRows * (kPictureHeight + kNameHeight + kGap);

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: symbol_sheet OUTPUT.png\n");
        return 2;
    }
    QImage sheet(2 * kPageWidth, 2 * kPageHeight, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 40));
    QPainter painter(&sheet);
    QFont font(u"Noto Sans CJK SC"_s);
    font.setPixelSize(15);

    const auto& table = symbols::symbolTable();
    for (int page = 0; page < kPages; ++page) {
        const QPoint origin((page % 2) * kPageWidth, (page / 2) * kPageHeight);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(origin, QSize(kPageWidth, kPageTitle)), Qt::AlignCenter,
                         u"第%1页"_s.arg(page + 1));
        // Filled column by column, top to bottom, as the browser's grid is.
        for (int slot = 0; slot < kPerPage; ++slot) {
            const symbols::Symbol& symbol = table[page * kPerPage + slot];
            const int left = origin.x() + kGap + (slot / kRows) * (kCellWidth + kGap);
            const int top =
                origin.y() + kPageTitle + (slot % kRows) * (kPictureHeight + kNameHeight + kGap);
            const QRectF picture(left, top, kCellWidth, kPictureHeight);
            painter.fillRect(picture, Qt::black);
            sheet::paintPrimitives(painter, picture, symbols::previewPrimitives(symbol));
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QRect(left, top + kPictureHeight, kCellWidth, kNameHeight),
                             Qt::AlignCenter, u"%1  %2"_s.arg(symbol.index).arg(symbol.name));
        }
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "symbol_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
