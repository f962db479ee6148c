// Every caption of the window fits its control in the programs' own font: at 100 %, and run
// again by CTest with QT_SCALE_FACTOR=1.5 at 150 %, where fonts round differently.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "shell/main_window.h"
#include "shell/tab_strip.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

// The width a control's caption needs and the width it has; nullopt for a control that shows no
// caption of one line.
struct Fit {
    int needs;
    int has;
};

std::optional<Fit> captionFit(const QWidget& w) {
    const QFontMetrics fm = w.fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText) {
            return std::nullopt;
        }
        return Fit{fm.size(0, label->text()).width(), label->contentsRect().width()};
    }
    if (qobject_cast<const QRadioButton*>(&w) || qobject_cast<const QCheckBox*>(&w)) {
        return Fit{w.sizeHint().width(), w.width()};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&w)) {
        const QStyle* style = button->style();
        const int margins = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                            2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return Fit{fm.size(Qt::TextShowMnemonic, button->text()).width(), w.width() - margins};
    }
    if (const auto* list = qobject_cast<const QListWidget*>(&w)) {
        // The widest entry beside the vertical scroll bar, which lists longer than the box have.
        const int bar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        return Fit{list->sizeHintForColumn(0), list->contentsRect().width() - bar};
    }
    return std::nullopt;
}

// The runs on Windows' own platform say which style and scale they are for
// (ELECAIDE_CAPTIONS_ON="windowsvista 1.5"), so one that fell back to another fails.
void expectAskedStyleAndScale(const QWidget& window) {
    const QString asked = qEnvironmentVariable("ELECAIDE_CAPTIONS_ON");
    if (!asked.isEmpty()) {
        EXPECT_EQ(u"%1 %2"_s.arg(window.style()->name()).arg(window.devicePixelRatioF()), asked);
    }
}

TEST(CaptionFitTest, EveryLabelAndButtonShowsItsWholeCaption) {
    ui::RecordingUi ui;
    shell::MainWindow window(&ui);
    window.show();
    expectAskedStyleAndScale(window);
    QStringList clipped;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        w->ensurePolished();
        if (const auto fit = captionFit(*w); fit && fit->needs > fit->has) {
            clipped << u"%1 \"%2\": needs %3 px, has %4"_s
                           .arg(w->objectName(), w->property("text").toString())
                           .arg(fit->needs)
                           .arg(fit->has);
        }
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(u'\n').toStdString();
}

TEST(CaptionFitTest, EveryTabShowsItsWholeCaption) {
    ui::RecordingUi ui;
    shell::MainWindow window(&ui);
    window.show();
    const auto* strip = window.findChild<shell::TabStrip*>(u"tabContainer"_s);
    ASSERT_NE(strip, nullptr);
    for (int i = 0; i < strip->count(); ++i) {
        EXPECT_LE(strip->fontMetrics().horizontalAdvance(strip->caption(i)),
                  strip->tabRect(i).width())
            << strip->caption(i).toStdString();
    }
}

}  // namespace
