// The wizard under a dark desktop theme (Fusion with a dark palette): every text of our own pages
// must stay readable against what it is drawn on.
#include "app/CWizardDlg.h"
#include "imaging/CSkinImage.h"
#include "imaging/TextContrast.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CWizardPage.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPalette DarkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Mid, QColor(0x26, 0x26, 0x26));
    // The blue many dark themes keep for links: too dark to read on the window as it is.
    dark.setColor(QPalette::Link, QColor(0x2a, 0x5d, 0xb0));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

// A text as drawn: what it stands on is the colour most pixels of its box's edge have (texts keep
// a margin there); its ink is the colour its palette gives it, and some pixel must lean to that ink.
struct Drawn {
    QColor background;
    QColor ink;
    double contrast = 1;
    bool inkShown = false;
};

Drawn MeasureText(const QImage& shot, const QRect& box, const QColor& ink)
{
    QHash<QRgb, int> edge;
    const QRect r = box.intersected(shot.rect());
    for (int x = r.left(); x <= r.right(); ++x) {
        ++edge[shot.pixel(x, r.top()) | 0xff000000u];
        ++edge[shot.pixel(x, r.bottom()) | 0xff000000u];
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        ++edge[shot.pixel(r.left(), y) | 0xff000000u];
        ++edge[shot.pixel(r.right(), y) | 0xff000000u];
    }
    Drawn drawn;
    drawn.ink = ink;
    int most = 0;
    for (auto it = edge.cbegin(); it != edge.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            drawn.background = QColor::fromRgb(it.key());
        }
    }
    drawn.contrast = ContrastRatio(ink, drawn.background);
    // Some pixel is nearer the ink than the background (small glyphs are anti-aliased throughout).
    const auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    for (int y = r.top(); y <= r.bottom() && !drawn.inkShown; ++y) {
        for (int x = r.left(); x <= r.right() && !drawn.inkShown; ++x) {
            const QColor pixel = QColor::fromRgb(shot.pixel(x, y));
            drawn.inkShown = distance(pixel, ink) < distance(pixel, drawn.background);
        }
    }
    return drawn;
}

// The colour a text is written in: a label's foreground role; a radio button's or check box's
// label is window text.
QColor InkOf(const QWidget* widget)
{
    if (qobject_cast<const QLabel*>(widget) != nullptr)
        return widget->palette().color(widget->foregroundRole());
    return widget->palette().color(QPalette::WindowText);
}

// Our own texts on a page: labels (links and notes among them) with text, radio buttons and check
// boxes. Push buttons and edits are drawn by the style on its own faces.
QList<QWidget*> TextsOf(QWidget* page)
{
    QList<QWidget*> texts;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->width() <= 0 || widget->height() <= 0)
            continue;
        if (const auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->text().trimmed().isEmpty() && label->pixmap().isNull())
                texts.append(widget);
        } else if (qobject_cast<QRadioButton*>(widget) != nullptr ||
                   qobject_cast<QCheckBox*>(widget) != nullptr) {
            texts.append(widget);
        }
    }
    return texts;
}

class DarkTheme : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_style = QApplication::style()->name();
        s_palette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }
    static void TearDownTestSuite()
    {
        QApplication::setStyle(QStyleFactory::create(s_style));
        QApplication::setPalette(s_palette);
    }

    // Checks every text on the page showing; returns how many were looked at.
    int ExpectReadable(CWizardDlg& wizard, int step)
    {
        const QImage shot = wizard.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int looked = 0;
        QWidget* page = wizard.Page(step);
        QList<QWidget*> texts = TextsOf(page);
        for (QWidget* bar : wizard.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (bar->isVisible() && !bar->property("text").toString().isEmpty())
                texts.append(bar);
        }
        for (QWidget* widget : texts) {
            const QRect box(widget->mapTo(&wizard, QPoint(0, 0)), widget->size());
            const Drawn drawn = MeasureText(shot, box, InkOf(widget));
            const std::string name = QStringLiteral("step %1 %2 (%3)")
                                         .arg(step)
                                         .arg(widget->objectName(), widget->property("text").toString())
                                         .toStdString();
            EXPECT_GE(drawn.contrast, kReadableContrast) << name << ": ink " << drawn.ink.name().toStdString()
                                                         << " on " << drawn.background.name().toStdString();
            EXPECT_TRUE(drawn.inkShown) << name << ": not drawn in " << drawn.ink.name().toStdString();
            ++looked;
        }
        return looked;
    }

    FakeDialogs dialogs;
    static inline QString s_style;
    static inline QPalette s_palette;
};

TEST_F(DarkTheme, EveryTextOfEveryStepIsReadable)
{
    CWizardDlg wizard;
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    EXPECT_GT(ExpectReadable(wizard, HeaderStep), 3);

    const SharedPicture picture = skintest::PlainPicture();
    ASSERT_NE(picture, nullptr);
    wizard.Document().SetPicture(QStringLiteral("picture.png"), picture);
    emit wizard.HeadPage()->pictureReady();
    for (int step = ColorStep; step <= SaveStep; ++step) {
        QTest::mouseClick(wizard.CommandButton(ID_NEXT), Qt::LeftButton);
        ASSERT_EQ(wizard.CurrentIndex(), step);
        EXPECT_GT(ExpectReadable(wizard, step), 0) << step;
    }
    if (HasFailure()) {
        // Kept for a look at what failed.
        const QString shot = QDir::temp().filePath(QStringLiteral("dark-theme-failure.png"));
        if (wizard.grab().save(shot))
            ADD_FAILURE() << "the last step as drawn: " << shot.toStdString();
    }
}

} // namespace
