// Frame 9 offscreen: places, the start state, paging, list and pictures in step, insertion.
#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "cad/memory/application.h"
#include "pagekit/page_host.h"
#include "pagekit/twips.h"
#include "support/qstring_printer.h"
#include "support/test_page_host.h"
#include "symbols/symbol_browser_page.h"
#include "symbols/symbol_thumbnail.h"
#include "ui/recording_ui.h"

namespace symbols {
namespace {

using namespace Qt::StringLiterals;
using Look = SymbolThumbnail::Look;

const QString kSwitchHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;

using TestHost = support::TestPageHost;

class SymbolBrowserTest : public ::testing::Test {
protected:
    SymbolBrowserTest() {
        frame.resize(pagekit::twipsRect(0, 0, 6900, 5445).size());
        browser->setUp();
        host.link.objAcad = cad::Application(app);
    }

    template <typename W = QWidget>
    W* find(const QString& name) const {
        W* w = frame.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    SymbolThumbnail* picture(int i) const {
        return find<SymbolThumbnail>(u"PicBlock(%1)"_s.arg(i));
    }
    QListWidget* list() const { return find<QListWidget>(u"LstBlock"_s); }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    void click(const QString& name) const { find<QPushButton>(name)->click(); }
    void clickPicture(int i) const { QTest::mouseClick(picture(i), Qt::LeftButton); }
    // What a double click delivers: a click, then the double click and its release.
    void doubleClickPicture(int i) const {
        clickPicture(i);
        QTest::mouseDClick(picture(i), Qt::LeftButton);
        QTest::mouseRelease(picture(i), Qt::LeftButton);
    }

    // The page whose twenty pictures are the ones shown; 0 when that is not exactly one page.
    int shownPage() const {
        QList<int> shown;
        for (int i = 0; i < kSymbolCount; ++i) {
            if (picture(i)->isVisibleTo(&frame)) {
                shown.append(i);
            }
        }
        const bool onePage =
            shown.size() == 20 && shown.first() % 20 == 0 && shown.last() == shown.first() + 19;
        return onePage ? shown.first() / 20 + 1 : 0;
    }
    // Pictures showing the selected look: exactly the highlighted ones.
    QList<int> highlighted() const {
        QList<int> result;
        for (int i = 0; i < kSymbolCount; ++i) {
            if (picture(i)->look() == Look::Selected) {
                result.append(i);
            }
        }
        return result;
    }
    void expectPage(int page) const {
        EXPECT_EQ(shownPage(), page);
        EXPECT_EQ(enabled(u"CmdPre"_s), page > 1);
        EXPECT_EQ(enabled(u"CmdNext"_s), page < 4);
    }

    QWidget frame;
    TestHost host;
    ui::RecordingUi& ui = host.recording;
    SymbolBrowser* browser = new SymbolBrowser(&frame, host);
    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
};

TEST_F(SymbolBrowserTest, ControlsSitAtTheirPlacesWithTheirCaptions) {
    struct Place {
        const char16_t* name;
        const char16_t* caption;
        QRect place;
    };
    const Place places[] = {
        {u"LstBlock", nullptr, pagekit::twipsRect(120, 240, 1815, 4545)},
        {u"CmdPre", u"上一页", pagekit::twipsRect(360, 4920, 1095, 375)},
        {u"CmdNext", u"下一页", pagekit::twipsRect(1920, 4920, 1095, 375)},
        {u"cmdBlock", u"插入", pagekit::twipsRect(3840, 4920, 1095, 375)},
    };
    for (const Place& p : places) {
        const QString name = QString::fromUtf16(p.name);
        EXPECT_EQ(find(name)->geometry(), p.place) << name.toStdString();
        if (p.caption != nullptr) {
            EXPECT_EQ(find<QPushButton>(name)->text(), QString::fromUtf16(p.caption));
        }
    }
    EXPECT_EQ(list()->count(), kSymbolCount);
    for (int i = 0; i < kSymbolCount; ++i) {
        EXPECT_EQ(list()->item(i)->text(), symbolNames().at(i));
    }
}

TEST_F(SymbolBrowserTest, PicturesShareTheirSlotAcrossPagesColumnByColumn) {
    // index, then the slot's left and top in twips
    const int slots[][3] = {{0, 2040, 240},   {4, 2040, 4080},  {5, 3240, 240},  {19, 5640, 4080},
                            {27, 3240, 2160}, {67, 3240, 2160}, {40, 2040, 240}, {79, 5640, 4080}};
    for (const auto& [index, left, top] : slots) {
        EXPECT_EQ(picture(index)->geometry(), pagekit::twipsRect(left, top, 1095, 735)) << index;
    }
}

TEST_F(SymbolBrowserTest, StartsOnPageOneWithNothingChosen) {
    expectPage(1);
    EXPECT_FALSE(enabled(u"cmdBlock"_s));
    EXPECT_TRUE(highlighted().isEmpty());
    EXPECT_EQ(browser->curSymbolName(), QString());
    EXPECT_EQ(browser->lastSymbolIndex(), 0);
    EXPECT_TRUE(list()->selectedItems().isEmpty());
}

TEST_F(SymbolBrowserTest, ChoosingAnEntryOnAnotherPageShowsThatPageHighlighted) {
    list()->setCurrentRow(67);
    expectPage(4);
    EXPECT_EQ(highlighted(), QList<int>{67});
    EXPECT_TRUE(enabled(u"cmdBlock"_s));
    EXPECT_EQ(browser->curSymbolName(), u"荧光灯1"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：荧光灯1"_s);
}

TEST_F(SymbolBrowserTest, EntryZeroAsFirstChoiceStaysHighlighted) {
    clickPicture(0);
    EXPECT_EQ(highlighted(), QList<int>{0});
    EXPECT_EQ(picture(0)->frameShape(), QFrame::Box);
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(browser->lastSymbolIndex(), 0);
    EXPECT_EQ(ui.lastHint(), u"提示：安全灯"_s);
}

TEST_F(SymbolBrowserTest, NextChoiceTakesTheHighlightAwayFromTheLast) {
    clickPicture(5);
    EXPECT_EQ(list()->currentRow(), 5);
    list()->setCurrentRow(25);
    EXPECT_EQ(picture(5)->look(), Look::Normal);
    EXPECT_EQ(picture(5)->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(highlighted(), QList<int>{25});
    EXPECT_EQ(picture(25)->frameShape(), QFrame::Box);
    expectPage(2);
    EXPECT_EQ(browser->lastSymbolIndex(), 25);
    EXPECT_EQ(ui.lastHint(), u"提示：防爆开关2"_s);
}

TEST_F(SymbolBrowserTest, KeyboardMovesTheChoiceLikeAClick) {
    list()->setCurrentRow(19);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(browser->curSymbolName(), u"防爆插座2"_s);
    expectPage(2);
    EXPECT_EQ(highlighted(), QList<int>{20});
}

TEST_F(SymbolBrowserTest, PagingStopsAtBothEnds) {
    const std::pair<const char16_t*, int> steps[] = {
        {u"CmdNext", 2}, {u"CmdNext", 3}, {u"CmdNext", 4}, {u"CmdNext", 4},
        {u"CmdPre", 3},  {u"CmdPre", 2},  {u"CmdPre", 1},  {u"CmdPre", 1},
    };
    for (const auto& [name, page] : steps) {
        SCOPED_TRACE(page);
        auto* button = find<QPushButton>(QString::fromUtf16(name));
        if (shownPage() != page) {
            button->click();
            expectPage(page);
            continue;
        }
        // At the end the button is disabled; its handler, run anyway, must leave the page be.
        EXPECT_FALSE(button->isEnabled());
        button->setEnabled(true);
        button->click();
        EXPECT_EQ(shownPage(), page);
        button->setEnabled(false);
    }
}

TEST_F(SymbolBrowserTest, PagingAwayKeepsTheChoice) {
    clickPicture(3);
    click(u"CmdNext"_s);
    expectPage(2);
    EXPECT_EQ(highlighted(), QList<int>{3});
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(browser->curSymbolName(), u"暗装插座3"_s);
    EXPECT_TRUE(enabled(u"cmdBlock"_s));
}

TEST_F(SymbolBrowserTest, DoubleClickOnAPictureChoosesAndInsertsIt) {
    app->script().queuePoint({10, 20, 0});
    doubleClickPicture(10);
    EXPECT_EQ(browser->curSymbolName(), u"电流表"_s);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：电流表"_s, kSwitchHint}));
    EXPECT_EQ(cad::Document(doc).ModelSpace().Count(), 2);
    EXPECT_EQ(doc->undoGroups(), 1);
}

TEST_F(SymbolBrowserTest, InsertButtonAndListDoubleClickInsertTheChosenSymbol) {
    list()->setCurrentRow(79);
    app->script().queuePoint({0, 0, 0});
    click(u"cmdBlock"_s);
    EXPECT_EQ(cad::Document(doc).ModelSpace().Count(), 6);
    app->script().queuePoint({50, 0, 0});
    Q_EMIT list()->itemDoubleClicked(list()->item(79));
    EXPECT_EQ(cad::Document(doc).ModelSpace().Count(), 12);
    EXPECT_EQ(doc->undoGroups(), 2);
}

TEST_F(SymbolBrowserTest, SignatureDrawsNothingAndSaysItIsReserved) {
    list()->setCurrentRow(50);
    click(u"cmdBlock"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：签字项只能作者使用"_s);
    EXPECT_EQ(cad::Document(doc).ModelSpace().Count(), 0);
}

TEST_F(SymbolBrowserTest, EscAtThePromptAddsNothingAndLeavesTheSwitchHint) {
    app->script().queueCancel();
    doubleClickPicture(7);
    EXPECT_EQ(ui.lastHint(), kSwitchHint);
    EXPECT_EQ(cad::Document(doc).ModelSpace().Count(), 0);
    EXPECT_EQ(app->script().prompts.size(), 1);
}

// Rendered at twice the pixels, as on a high-DPI screen.
QImage rendered(SymbolThumbnail* picture) {
    QImage image(picture->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::magenta);
    picture->render(&image);
    return image;
}

TEST_F(SymbolBrowserTest, EveryThumbnailDrawsItsSymbolWhiteInsideTheMarginOnItsLook) {
    for (int i = 0; i < kSymbolCount; ++i) {
        SCOPED_TRACE(symbolNames().at(i).toStdString());
        for (const Look look : {Look::Normal, Look::Selected}) {
            picture(i)->setLook(look);
            const QImage image = rendered(picture(i));
            const QColor background = look == Look::Selected ? QColor(0, 128, 0) : Qt::black;
            EXPECT_EQ(image.pixelColor(3, 3).rgb(), background.rgb());
            int lit = 0, outside = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, y)) > 160) {
                        ++lit;
                        const bool edge =
                            x < 4 || y < 4 || x >= image.width() - 4 || y >= image.height() - 4;
                        outside += edge ? 1 : 0;
                    }
                }
            }
            EXPECT_GT(lit, 60);
            EXPECT_EQ(outside, 0);
        }
    }
}

TEST_F(SymbolBrowserTest, SelectedThumbnailHasASingleLineBorder) {
    picture(0)->setLook(Look::Selected);
    const QImage selected = rendered(picture(0));
    EXPECT_NE(selected.pixelColor(0, selected.height() / 2), QColor(0, 128, 0));
    EXPECT_EQ(selected.pixelColor(3, selected.height() / 2), QColor(0, 128, 0));
    picture(0)->setLook(Look::Normal);
    const QImage normal = rendered(picture(0));
    EXPECT_EQ(normal.pixelColor(0, normal.height() / 2), QColor(Qt::black));
}

}  // namespace
}  // namespace symbols
