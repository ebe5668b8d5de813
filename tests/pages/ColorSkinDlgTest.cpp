#include "controls/CColorPreviewCtrl.h"
#include "controls/CSkinButton2.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorNames.h"
#include "imaging/ImageLoading.h"
#include "pages/CColorSkinDlg.h"
#include "skin/SkinDocument.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int kNone = CColorSkinDlg::kFirstPresetId;

class ColorPage : public ::testing::Test {
protected:
    ColorPage() : page(document, nullptr)
    {
        page.resize(874, 567);
        page.show();
    }

    void Click(int id) { QTest::mouseClick(page.Swatch(id), Qt::LeftButton); }

    // Ids of the selected main-colour swatches (presets and the custom one).
    QList<int> SelectedMainSwatches() const
    {
        QList<int> ids;
        for (int i = 0; i < CColorSkinDlg::kPresetCount; ++i) {
            if (page.Swatch(kNone + i)->IsSelected())
                ids.append(kNone + i);
        }
        if (page.Swatch(CColorSkinDlg::kCustomSwatchId)->IsSelected())
            ids.append(CColorSkinDlg::kCustomSwatchId);
        for (int i = 0; i < CColorSkinDlg::kSuggestionCount; ++i) {
            if (page.Swatch(CColorSkinDlg::kFirstSuggestionId + i)->IsSelected())
                ids.append(CColorSkinDlg::kFirstSuggestionId + i);
        }
        return ids;
    }

    void OpenWith(ColorRef colour, bool white)
    {
        SkinContent project;
        project.mainColour = colour;
        project.whiteTabText = white;
        document.Load(project);
    }

    FakeDialogs dialogs;
    SkinDocument document;
    CColorSkinDlg page;
};

} // namespace

TEST(ColorPresets, MatchTheTableExactly)
{
    const ColorRef expected[] = {0,
                                 MakeColorRef(70, 113, 184),
                                 MakeColorRef(197, 108, 195),
                                 MakeColorRef(191, 63, 111),
                                 MakeColorRef(122, 183, 136),
                                 MakeColorRef(198, 120, 107),
                                 MakeColorRef(191, 159, 63),
                                 MakeColorRef(117, 188, 170),
                                 MakeColorRef(177, 179, 178),
                                 MakeColorRef(191, 121, 63)};
    for (int i = 0; i < CColorSkinDlg::kPresetCount; ++i)
        EXPECT_EQ(CColorSkinDlg::PresetMainColor(i), expected[i]) << "preset " << i;
    EXPECT_EQ(CColorSkinDlg::PresetShownColor(0), 0xFFE8BAu);
    EXPECT_EQ(CColorSkinDlg::PresetShownColor(3), expected[3]);
}

TEST(ColorPresets, OnlyTwoPresetsChangeWhenReopened)
{
    for (int i = 1; i < CColorSkinDlg::kPresetCount; ++i) {
        const ColorRef preset = CColorSkinDlg::PresetMainColor(i);
        const ColorRef reopened = CColorSkinDlg::ReopenedColor(preset);
        if (i == 2)
            EXPECT_EQ(reopened, 0xC26DC4u);
        else if (i == 5)
            EXPECT_EQ(reopened, 0x6C79C5u);
        else
            EXPECT_EQ(reopened, preset) << "preset " << i;
    }
}

TEST_F(ColorPage, StartsWithNoColourAndBlackTabs)
{
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone});
    EXPECT_TRUE(page.Swatch(CColorSkinDlg::kBlackTabId)->IsSelected());
    EXPECT_FALSE(page.Swatch(CColorSkinDlg::kWhiteTabId)->IsSelected());
    EXPECT_EQ(page.MainColor(), 0u);
    for (int i = 0; i < CColorSkinDlg::kPresetCount; ++i)
        EXPECT_EQ(page.Swatch(kNone + i)->GetColor(), CColorSkinDlg::PresetShownColor(i));
    EXPECT_EQ(page.Swatch(CColorSkinDlg::kCustomSwatchId)->GetColor(), MakeColorRef(200, 0, 0));
    EXPECT_EQ(page.Swatch(CColorSkinDlg::kWhiteTabId)->GetColor(), 0xFFFFFFu);
    EXPECT_EQ(page.MoreColorsButton()->text(), QStringLiteral("更多颜色..."));
}

TEST_F(ColorPage, PresetClicksSelectOneSwatchAndRecolourThePreview)
{
    const QImage original = page.Preview()->PlayerPicture();
    Click(kNone + 2);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone + 2});
    EXPECT_EQ(page.MainColor(), CColorSkinDlg::PresetMainColor(2));
    EXPECT_EQ(page.Preview()->MainColor(), page.MainColor());
    EXPECT_EQ(page.Preview()->PlayerPicture(), RecolorBitmap(original, page.MainColor(), 0));

    Click(kNone + 9);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone + 9});

    Click(kNone);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone});
    EXPECT_EQ(page.MainColor(), 0u);
    EXPECT_EQ(page.Preview()->PlayerPicture(), original);

    SkinContent project;
    Click(kNone + 4);
    project = document.Content();
    EXPECT_EQ(project.mainColour, CColorSkinDlg::PresetMainColor(4));
}

TEST_F(ColorPage, ColourDialogFillsTheCustomSwatch)
{
    dialogs.colors.enqueue(QColor(10, 20, 30));
    QTest::mouseClick(page.MoreColorsButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.colorInitials.size(), 1);
    EXPECT_EQ(dialogs.colorInitials[0], QColor(0, 0, 0));
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{CColorSkinDlg::kCustomSwatchId});
    EXPECT_EQ(page.Swatch(CColorSkinDlg::kCustomSwatchId)->GetColor(), MakeColorRef(10, 20, 30));
    EXPECT_EQ(page.MainColor(), MakeColorRef(10, 20, 30));

    // Cancel changes nothing.
    QTest::mouseClick(page.MoreColorsButton(), Qt::LeftButton);
    EXPECT_EQ(page.MainColor(), MakeColorRef(10, 20, 30));
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{CColorSkinDlg::kCustomSwatchId});

    // Black means no main colour; the swatch still shows black.
    dialogs.colors.enqueue(QColor(0, 0, 0));
    QTest::mouseClick(page.MoreColorsButton(), Qt::LeftButton);
    EXPECT_EQ(page.MainColor(), 0u);
    EXPECT_EQ(page.Swatch(CColorSkinDlg::kCustomSwatchId)->GetColor(), 0u);

    // A preset after a custom colour deselects the custom swatch.
    Click(kNone);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone});
}

TEST_F(ColorPage, TabSwatchesChooseTheTabTextColour)
{
    SkinContent project;
    Click(CColorSkinDlg::kWhiteTabId);
    EXPECT_TRUE(page.Swatch(CColorSkinDlg::kWhiteTabId)->IsSelected());
    EXPECT_FALSE(page.Swatch(CColorSkinDlg::kBlackTabId)->IsSelected());
    EXPECT_TRUE(page.Preview()->IsTabTextWhite());
    project = document.Content();
    EXPECT_TRUE(project.whiteTabText);

    Click(CColorSkinDlg::kBlackTabId);
    EXPECT_FALSE(page.Swatch(CColorSkinDlg::kWhiteTabId)->IsSelected());
    EXPECT_FALSE(page.Preview()->IsTabTextWhite());
    project = document.Content();
    EXPECT_FALSE(project.whiteTabText);
}

TEST_F(ColorPage, OpenedColoursFindTheirSwatch)
{
    OpenWith(0xC26DC4, false);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone + 2});
    EXPECT_EQ(page.MainColor(), 0xC26DC4u);

    OpenWith(0x6C79C5, true);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone + 5});
    EXPECT_TRUE(page.Swatch(CColorSkinDlg::kWhiteTabId)->IsSelected());
    EXPECT_FALSE(page.Swatch(CColorSkinDlg::kBlackTabId)->IsSelected());
    EXPECT_TRUE(page.Preview()->IsTabTextWhite());

    OpenWith(CColorSkinDlg::PresetMainColor(7), false);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone + 7});

    OpenWith(0, false);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone});
    EXPECT_EQ(page.Preview()->MainColor(), 0u);

    // Anything else goes to the custom swatch, even the colour the "no colour" swatch shows.
    for (ColorRef colour : {ColorRef(0x123456), ColorRef(0xFFE8BA)}) {
        OpenWith(colour, false);
        EXPECT_EQ(SelectedMainSwatches(), QList<int>{CColorSkinDlg::kCustomSwatchId});
        EXPECT_EQ(page.Swatch(CColorSkinDlg::kCustomSwatchId)->GetColor(), colour);
        EXPECT_EQ(page.MainColor(), colour);
        EXPECT_EQ(page.Preview()->MainColor(), colour);
    }

    SkinContent project;
    project = document.Content();
    EXPECT_EQ(project.mainColour, 0xFFE8BAu);
}

TEST_F(ColorPage, ResetReturnsToTheStart)
{
    dialogs.colors.enqueue(QColor(200, 10, 10));
    QTest::mouseClick(page.MoreColorsButton(), Qt::LeftButton);
    Click(CColorSkinDlg::kWhiteTabId);
    document.Reset();
    page.ResetPage();
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{kNone});
    EXPECT_EQ(page.MainColor(), 0u);
    EXPECT_EQ(page.Preview()->MainColor(), 0u);
    EXPECT_TRUE(page.Swatch(CColorSkinDlg::kBlackTabId)->IsSelected());
    EXPECT_FALSE(page.WhiteTabText());
}

TEST_F(ColorPage, SuggestionsFollowThePictureAndAreChosenLikeACustomColour)
{
    // 60 % green, then orange.
    QImage image(1000, 100, QImage::Format_RGB32);
    image.fill(qRgb(230, 140, 40));
    QPainter(&image).fillRect(0, 0, 600, 100, QColor(60, 160, 70));
    skintest::ScratchDir dir;
    ASSERT_TRUE(image.save(dir.file("two.png")));
    auto picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(picture->LoadFromFile(dir.file("two.png")));
    SkinContent project;
    project.picture = picture;
    project.crop = {0, 0, 1000, 100};
    document.Load(project);
    const std::vector<ColorSuggestion> suggested = page.Suggestions();
    ASSERT_EQ(suggested, SuggestColors(picture->Picture(), project.crop));
    ASSERT_EQ(suggested.size(), 2u);
    const int first = CColorSkinDlg::kFirstSuggestionId;
    for (int i = 0; i < CColorSkinDlg::kSuggestionCount; ++i) {
        EXPECT_EQ(page.Swatch(first + i)->isVisible(), i < 2);
        if (i < 2) {
            EXPECT_EQ(page.Swatch(first + i)->GetColor(), suggested[i].color);
        }
    }
    EXPECT_TRUE(page.Swatch(first)->toolTip().contains(ColorName(suggested[0].color)));
    EXPECT_EQ(page.Swatch(first)->y(), page.Swatch(CColorSkinDlg::kBlackTabId)->y() + 28);
    EXPECT_GT(page.Preview()->y(), page.Swatch(first)->geometry().bottom());

    Click(first);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{first});
    EXPECT_EQ(page.Preview()->MainColor(), suggested[0].color);
    project = document.Content();
    EXPECT_EQ(project.mainColour, suggested[0].color);

    // Entered again with only the orange part: the chosen green stays, now on the custom swatch.
    project.crop = {700, 0, 1000, 100};
    document.Load(project);
    ASSERT_EQ(page.Suggestions().size(), 1u);
    EXPECT_FALSE(page.Swatch(first + 1)->isVisible());
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{CColorSkinDlg::kCustomSwatchId});
    EXPECT_EQ(page.Swatch(CColorSkinDlg::kCustomSwatchId)->GetColor(), suggested[0].color);
    EXPECT_EQ(page.MainColor(), suggested[0].color);

    // A package saved with the orange suggestion comes back with its picture and the colour rebuilt
    // from its numbers: the suggestion is selected.
    SkinContent reopened = project;
    reopened.mainColour = CColorSkinDlg::ReopenedColor(page.Suggestions()[0].color);
    document.Load(reopened);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{first});
}

TEST_F(ColorPage, PreviewKeepsThePlayerShape)
{
    for (const QSize size : {QSize(874, 567), QSize(500, 700), QSize(1600, 1200)}) {
        page.resize(size);
        const QRect preview = page.Preview()->geometry();
        EXPECT_EQ(preview.left(), 10);
        EXPECT_LE(preview.width(), 704);
        EXPECT_LE(preview.height(), 480);
        EXPECT_LE(preview.width(), size.width() - 20);
        EXPECT_LE(preview.bottom() + 1, size.height() - 10);
        const bool heightDecides = preview.width() == preview.height() * 704 / 480;
        const bool widthDecides = preview.height() == preview.width() * 480 / 704;
        EXPECT_TRUE(heightDecides || widthDecides) << preview.width() << "x" << preview.height();
    }
    page.resize(1600, 1200);
    EXPECT_EQ(page.Preview()->size(), QSize(704, 480));
}

TEST(ColorPreview, ComposesPlayerHeaderAndTabs)
{
    EXPECT_EQ(CColorPreviewCtrl::Margin(704), 2);
    EXPECT_EQ(CColorPreviewCtrl::HeaderBottom(704, 480), 64);
    EXPECT_EQ(CColorPreviewCtrl::Margin(352), 1);

    skintest::ScratchDir dir;
    QImage header(1400, 122, QImage::Format_RGB32);
    header.fill(QColor(0, 200, 0));
    ASSERT_TRUE(header.save(dir.file("header.png")));
    SharedPicture picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(picture->LoadFromFile(dir.file("header.png")));

    CColorPreviewCtrl preview;
    preview.resize(704, 480);
    preview.SetMainColor(MakeColorRef(70, 113, 184));
    preview.SetPicture(picture);
    preview.SetPictureRect(0, 0, 1400, 122);
    const QImage shot = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(704, 480));

    // Below the header: the recoloured player, drawn opaque at its own size.
    const QImage player = Opaque(preview.PlayerPicture()).convertToFormat(QImage::Format_RGB32);
    for (const QPoint point : {QPoint(10, 100), QPoint(350, 300), QPoint(700, 470), QPoint(1, 1)})
        EXPECT_EQ(shot.pixel(point), player.pixel(point)) << point.x() << "," << point.y();

    // The header area: the user's picture wherever the black tab overlay is clear.
    QImage tabs;
    ASSERT_TRUE(LoadPngResource(tabs, 4));
    const QImage overlay = tabs.scaled(700, 62);
    const auto clear = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (qAlpha(overlay.pixel(std::clamp(x + dx, 0, 699), std::clamp(y + dy, 0, 61))) != 0)
                    return false;
            }
        }
        return true;
    };
    int checked = 0;
    for (int y = 3; y < 61; y += 5) {
        for (int x = 3; x < 699; x += 7) {
            if (clear(x, y)) {
                // The resampler may lose a unit to truncation.
                const QRgb pixel = shot.pixel(x, y);
                EXPECT_LE(qRed(pixel), 1) << x << "," << y;
                EXPECT_NEAR(qGreen(pixel), 200, 1) << x << "," << y;
                EXPECT_LE(qBlue(pixel), 1) << x << "," << y;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

// Every swatch names its colour to tooltips and screen readers; the custom square is disabled
// until it holds a colour, and then chooses that colour again.
TEST_F(ColorPage, SwatchesNameTheirColoursAndTheEmptyCustomSquareIsDisabled)
{
    for (int i = 0; i < CColorSkinDlg::kPresetCount; ++i) {
        CSkinButton2* swatch = page.Swatch(kNone + i);
        EXPECT_FALSE(swatch->accessibleName().isEmpty()) << i;
        EXPECT_EQ(swatch->toolTip(), swatch->accessibleName()) << i;
        if (i > 0) {
            EXPECT_TRUE(swatch->toolTip().contains(ColorName(CColorSkinDlg::PresetMainColor(i)))) << i;
        }
    }
    EXPECT_TRUE(page.Swatch(CColorSkinDlg::kWhiteTabId)->accessibleName().contains(QStringLiteral("白色")));

    CSkinButton2* custom = page.Swatch(CColorSkinDlg::kCustomSwatchId);
    EXPECT_FALSE(custom->isEnabled());
    EXPECT_TRUE(custom->toolTip().contains(QStringLiteral("更多颜色")));
    dialogs.colors.enqueue(QColor(0x2E, 0x7B, 0xCF));
    QTest::mouseClick(page.MoreColorsButton(), Qt::LeftButton);
    EXPECT_TRUE(custom->isEnabled());
    EXPECT_TRUE(custom->accessibleName().contains(QStringLiteral("蓝色（#2E7BCF）")));
    Click(kNone + 2);
    Click(CColorSkinDlg::kCustomSwatchId);
    EXPECT_EQ(SelectedMainSwatches(), QList<int>{CColorSkinDlg::kCustomSwatchId});
    EXPECT_EQ(page.MainColor(), MakeColorRef(0x2E, 0x7B, 0xCF));
}
