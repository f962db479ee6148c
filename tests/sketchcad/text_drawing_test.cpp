// Texts as the view paints them: CJK characters as tall as capitals, drawn where their measured
// widths say, and Latin lines broken where the font's own advances put the breaks.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "cad/memory/document.h"
#include "drawing_builder.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/text_layout.h"
#include "support/qstring_printer.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using cad::Point;
namespace kinds = cad::memory::kinds;

class DrawnText : public ::testing::Test {
protected:
    // The drawing painted with its extents filling the view.
    QImage paint() {
        scene = std::make_shared<Scene>(Scene::build(*drawing.doc, view.textFont()));
        view.resize(900, 300);
        view.setScene(scene, true);
        view.zoomExtents();
        QImage image(view.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        view.paintScene(painter);
        return image;
    }

    // The box of the bright pixels over the run's baseline from `from` to `to`, between the
    // descender line and well above the capitals, in the run's text space (text heights, y up
    // from the baseline).
    QRectF ink(const QImage& image, const TextRun& run, double from, double to) const {
        const QPointF origin = view.toScreen(QPointF(0, 0));
        const QTransform worldToScreen(view.scale(), 0, 0, -view.scale(), origin.x(), origin.y());
        const QTransform toScreen = run.toWorld * worldToScreen;
        const QRect area = toScreen.mapRect(QRectF(QPointF(from, -kDescent), QPointF(to, 1.6)))
                               .toAlignedRect()
                               .intersected(image.rect());
        QRect painted;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (qGray(image.pixel(x, y)) > 128) {
                    painted |= QRect(x, y, 1, 1);
                }
            }
        }
        return toScreen.inverted().mapRect(QRectF(painted));
    }

    sketchcad_test::TestDrawing drawing;
    DrawingView view;
    std::shared_ptr<Scene> scene;
};

TEST_F(DrawnText, ChineseCharactersStandAsTallAsCapitalsOnTheBaseline) {
    drawing.add(kinds::text(), {{Member::TextString, u"配电间 AL1"_s},
                                {Member::InsertionPoint, Point{0, 0, 0}},
                                {Member::Height, 10.0}});
    drawing.add(kinds::mtext(), {{Member::TextString, u"照明配电箱 WX1\\P插座"_s},
                                 {Member::InsertionPoint, Point{0, -10, 0}},
                                 {Member::Height, 10.0},
                                 {Member::AttachmentPoint, 1}});
    const QImage image = paint();
    struct Case {
        QString chinese, latin;  // the line's text is chinese + " " + latin
    };
    const Case cases[] = {{u"配电间"_s, u"AL1"_s}, {u"照明配电箱"_s, u"WX1"_s}};
    ASSERT_EQ(scene->texts.size(), 3u);
    const TextFont& font = view.textFont();
    for (int i = 0; i < 2; ++i) {
        const TextRun& run = scene->texts[i];
        const auto& [chinese, latin] = cases[i];
        ASSERT_EQ(run.text, chinese + u" "_s + latin);
        const double latinStart = font.measure(chinese + u' ');
        const QRectF cjk = ink(image, run, 0, latinStart);
        const QRectF capitals = ink(image, run, latinStart, run.advance + 0.5);
        EXPECT_NEAR(cjk.height(), 1, 0.1) << run.text.toStdString();
        EXPECT_NEAR(cjk.top(), 0, 0.1) << run.text.toStdString();  // y up: the ink's lower edge
        EXPECT_NEAR(capitals.height(), 1, 0.1) << run.text.toStdString();
        // What is drawn stays inside the measured box that selection and hit testing use.
        EXPECT_LE(capitals.right(), run.advance + 0.05) << run.text.toStdString();
        EXPECT_GE(capitals.left(), latinStart - 0.05) << run.text.toStdString();
    }
}

TEST(LatinLineBreaks, FallWhereTheFontsOwnAdvancesPutThem) {
    const TextFont font;
    const QFontMetricsF metrics(font.font());
    // Widths at height 1 straight from the font: Latin text is measured as the font sets it.
    auto width = [&](const QString& s) {
        return metrics.horizontalAdvance(s) / metrics.capHeight();
    };
    const QString paragraph = u"CABLE YJV-4x25 TO AL1"_s;
    struct Case {
        double width;
        QStringList lines;
    };
    const Case cases[] = {
        {width(u"CABLE YJV-4x25"_s) + 0.01, {u"CABLE YJV-4x25"_s, u"TO AL1"_s}},
        {width(u"CABLE YJV-4x25"_s) - 0.01, {u"CABLE"_s, u"YJV-4x25 TO"_s, u"AL1"_s}},
        {width(paragraph) + 0.01, {paragraph}},
    };
    const Measure measure = [&](QStringView s) { return font.measure(s); };
    for (const Case& c : cases) {
        EXPECT_EQ(wrapParagraph(paragraph, c.width, measure), c.lines) << c.width;
    }
}

}  // namespace
}  // namespace sketchcad
