#include "ControlTestSupport.h"
#include "controls/CPreviewCtrl.h"
#include "imaging/CSkinImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

// A 704 x 141 preview (the page size) inside a recording parent, showing a picture whose
// header rectangle is 700 pixels wide, so that picture and client pixels map one to one.
class PreviewCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(800, 300);
        preview = new CPreviewCtrl(&parent);
        regions.emplace(preview, &CPreviewCtrl::regionChanged);
        preview->setGeometry(10, 10, 704, 141);
        ASSERT_TRUE(WritePicture(dir.file("pic.png"), 1400, 300, QColor(200, 100, 50), true));
        ASSERT_TRUE(picture->LoadFromFile(dir.file("pic.png")));
    }

    void ShowWithSelection()
    {
        preview->SetPicture(picture);
        preview->SetPictureRect(100, 10, 800, 71);
        preview->ResetSelection();
    }

    ScratchDir dir;
    QWidget parent;
    std::optional<QSignalSpy> regions;
    CPreviewCtrl* preview = nullptr;
    SharedPicture picture = std::make_shared<CSkinImage>();
};

TEST_F(PreviewCtrlTest, DefaultSelectionIsAFifteenPixelBandLeftOfCentre)
{
    preview->ResetSelection();
    EXPECT_FALSE(preview->SelectionEnabled()) << "no selection without a picture";

    ShowWithSelection();
    EXPECT_TRUE(preview->SelectionEnabled());
    EXPECT_EQ(preview->HeaderBand(), (SkinRect{0, 0, 704, 63}));
    EXPECT_EQ(preview->Selection(), (SkinRect{337, 0, 352, 62}));
}

TEST_F(PreviewCtrlTest, SelectionEdgesClampToTheHeaderAndKeepOnePixel)
{
    ShowWithSelection();
    EXPECT_EQ(preview->Selection().left, 337);
    EXPECT_EQ(preview->Selection().right, 352);
    EXPECT_EQ(regions->count(), 0) << "reading reports nothing";

    SkinRect got = preview->SetSelectionEdges(-50, 900);
    EXPECT_EQ(got.left, 4);
    EXPECT_EQ(got.right, 700);
    EXPECT_EQ(preview->Selection(), got);
    ASSERT_EQ(regions->count(), 1);

    // The left edge cannot pass the old right edge - 1, the right edge not the old left + 1.
    preview->SetSelection(300, 0, 310, 62);
    got = preview->SetSelectionEdges(500, 600);
    EXPECT_EQ(got.left, 309);
    EXPECT_EQ(got.right, 600);

    preview->SetSelection(300, 0, 310, 62);
    got = preview->SetSelectionEdges(100, 50);
    EXPECT_EQ(got.left, 100);
    EXPECT_EQ(got.right, 301);

    // Both edges moved at once past each other: the selection never comes out crossed.
    preview->SetSelection(100, 0, 200, 62);
    got = preview->SetSelectionEdges(150, 120);
    EXPECT_EQ(got.left, 150);
    EXPECT_EQ(got.right, 151);
    const SkinRect region = preview->GetRegion();
    EXPECT_LT(region.left, region.right);
}

TEST_F(PreviewCtrlTest, RegionIsTheSelectionInPicturePixels)
{
    ShowWithSelection();
    preview->NotifyRegion();
    ASSERT_EQ(regions->count(), 1);
    // The header starts 2 pixels in and is 700 wide: selection 337..352 is picture 435..450.
    const SkinRect expected{100 + 335, 10, 100 + 350, 71};
    EXPECT_EQ(LastRect(*regions), expected);
    EXPECT_EQ(preview->GetRegion(), expected);

    // A header twice as wide in picture pixels doubles the offsets.
    preview->SetPictureRect(0, 0, 1400, 122);
    preview->NotifyRegion();
    EXPECT_EQ(preview->GetRegion(), (SkinRect{670, 0, 700, 122}));
}

TEST_F(PreviewCtrlTest, OnePixelSelectionStillYieldsARegionOnePixelWide)
{
    ShowWithSelection();
    // 70 picture pixels over a 700-pixel header: one client pixel maps to a tenth of a pixel.
    preview->SetPictureRect(0, 0, 70, 6);
    preview->SetSelection(337, 0, 338, 62);
    preview->NotifyRegion();
    EXPECT_EQ(preview->GetRegion(), (SkinRect{33, 0, 34, 6}));
}

TEST_F(PreviewCtrlTest, EdgeDragsStopOnePixelShortOfTheOtherEdge)
{
    ShowWithSelection();
    // Left edge zone: 0..3 pixels left of the selection.
    Press(preview, 336, 20);
    Move(preview, 600, 20);
    EXPECT_EQ(preview->Selection().left, 351);
    EXPECT_EQ(preview->Selection().right, 352);
    Move(preview, -300, 20); // overshoot past the inner limit
    EXPECT_EQ(preview->Selection().left, 4);
    Release(preview, -300, 20);
    EXPECT_EQ(regions->count(), 1);

    // Right edge zone: 1..3 pixels right of the selection.
    Press(preview, 354, 20);
    Move(preview, 0, 20);
    EXPECT_EQ(preview->Selection().right, 5);
    Move(preview, 2000, 20);
    EXPECT_EQ(preview->Selection().right, 700);
    Release(preview, 2000, 20);
    EXPECT_EQ(preview->Selection(), (SkinRect{4, 0, 700, 62}));

    // Once released, the edge no longer follows the mouse.
    Move(preview, 300, 20, false);
    EXPECT_EQ(preview->Selection(), (SkinRect{4, 0, 700, 62}));
}

TEST_F(PreviewCtrlTest, MoveDragStopsAtTheInnerLimitsWithItsWidth)
{
    ShowWithSelection();
    Press(preview, 345, 20);
    Move(preview, 45, 20);
    EXPECT_EQ(preview->Selection().left, 37);
    Move(preview, -400, 20);
    EXPECT_EQ(preview->Selection(), (SkinRect{4, 0, 19, 62}));
    Move(preview, 2000, 20);
    EXPECT_EQ(preview->Selection(), (SkinRect{685, 0, 700, 62}));
    // Without the button the move drag does nothing.
    Move(preview, 500, 20, false);
    EXPECT_EQ(preview->Selection().left, 685);
    Release(preview, 500, 20);
    EXPECT_EQ(regions->count(), 1);

    // A press outside the selection (widened by 4) starts nothing.
    Press(preview, 100, 20);
    Move(preview, 120, 20);
    EXPECT_EQ(preview->Selection(), (SkinRect{685, 0, 700, 62}));
    Release(preview, 120, 20);
}

TEST_F(PreviewCtrlTest, PlainClickReportsTheCurrentRegion)
{
    ShowWithSelection();
    Press(preview, 345, 20);
    Release(preview, 345, 20);
    ASSERT_EQ(regions->count(), 1);
    EXPECT_EQ(LastRect(*regions), (SkinRect{435, 10, 450, 71}));
    EXPECT_EQ(preview->Selection(), (SkinRect{337, 0, 352, 62}));
}

TEST_F(PreviewCtrlTest, WithoutSelectionTheMouseChangesNothing)
{
    preview->SetPicture(picture);
    preview->SetPictureRect(100, 10, 800, 71);
    Press(preview, 345, 20);
    Move(preview, 100, 20);
    EXPECT_FALSE(preview->SelectionEnabled());
    EXPECT_EQ(preview->Selection(), SkinRect{});
}

TEST_F(PreviewCtrlTest, PictureCalls)
{
    EXPECT_FALSE(preview->SetPicture(nullptr));
    EXPECT_FALSE(preview->HasPicture());
    EXPECT_TRUE(preview->SetPicture(picture));
    EXPECT_TRUE(preview->HasPicture());
    EXPECT_EQ(preview->Picture(), picture);
    preview->ClearPicture();
    EXPECT_FALSE(preview->HasPicture());
    EXPECT_EQ(preview->Picture(), nullptr);

    // Only the low byte of the tab text flag counts.
    preview->SetTabTextWhite(256);
    EXPECT_EQ(preview->TabTextWhite(), 0);
    preview->SetTabTextWhite(0x101);
    EXPECT_EQ(preview->TabTextWhite(), 1);
}

TEST_F(PreviewCtrlTest, PaintsTheHeaderInsetAndDimsOutsideTheSelection)
{
    ASSERT_TRUE(WritePicture(dir.file("plain.png"), 700, 200, QColor(200, 100, 60)));
    SharedPicture plain = std::make_shared<CSkinImage>();
    ASSERT_TRUE(plain->LoadFromFile(dir.file("plain.png")));
    preview->SetPicture(plain);
    preview->SetPictureRect(0, 20, 700, 81);

    // Row 55 lies below the tab captions of the overlay.
    QImage shot = Grab(preview);
    const QColor full = shot.pixelColor(100, 55);
    EXPECT_NEAR(full.red(), 200, 1);
    EXPECT_NEAR(full.green(), 100, 1);
    EXPECT_NEAR(full.blue(), 60, 1);

    preview->ResetSelection();
    shot = Grab(preview);
    const QColor dim = shot.pixelColor(100, 55);
    EXPECT_NEAR(dim.red(), 100, 2);
    EXPECT_NEAR(dim.green(), 50, 2);
    EXPECT_NEAR(dim.blue(), 30, 2);
    const QColor selected = shot.pixelColor(344, 55);
    EXPECT_NEAR(selected.red(), 200, 1);
    EXPECT_NEAR(selected.blue(), 60, 1);
    EXPECT_EQ(shot.pixelColor(333, 61), QColor(Qt::white)) << "the lower left handle square";
}

// A one-pixel selection on a ten-pixel crop copies a strip that rounds to nothing: the handles
// must still be there to grab.
TEST_F(PreviewCtrlTest, HandlesStayWhenTheSelectedStripRoundsToNothing)
{
    ASSERT_TRUE(WritePicture(dir.file("narrow.png"), 700, 200, QColor(200, 100, 60)));
    auto plain = std::make_shared<CSkinImage>();
    ASSERT_TRUE(plain->LoadFromFile(dir.file("narrow.png")));
    preview->SetPicture(plain);
    preview->SetPictureRect(0, 20, 10, 21);
    preview->ResetSelection();
    const SkinRect s = preview->SetSelectionEdges(341, 342);
    const QImage shot = Grab(preview);
    EXPECT_EQ(shot.pixelColor(s.left - 6, s.bottom - 1), QColor(Qt::white)) << "the lower left handle";
    EXPECT_EQ(shot.pixelColor(s.right + 5, s.top + 2), QColor(Qt::white)) << "the upper right handle";
}

// Dragging the selection repaints from cached layers: neither the picture layer nor the
// picture object's header rendition is remade while the mouse moves.
TEST_F(PreviewCtrlTest, SelectionDragNeverResamplesThePicture)
{
    ShowWithSelection();
    Grab(preview);
    const int builds = preview->PictureLayerBuilds();
    EXPECT_EQ(builds, 1);
    const QImage* header =
        picture->GetCroppedScaledBitmap(700, 61, {100, 10, 800, 71}, ResampleFilter::Hermite);
    ASSERT_NE(header, nullptr);
    const qint64 key = header->cacheKey();

    Press(preview, 345, 20);
    for (int x = 340; x > 40; x -= 7) {
        Move(preview, x, 20);
        Grab(preview);
    }
    Release(preview, 40, 20);
    Press(preview, preview->Selection().right + 2, 20);
    for (int x = 100; x < 690; x += 11) {
        Move(preview, x, 20);
        Grab(preview);
    }
    Release(preview, 690, 20);

    EXPECT_EQ(preview->PictureLayerBuilds(), builds);
    const QImage* after =
        picture->GetCroppedScaledBitmap(700, 61, {100, 10, 800, 71}, ResampleFilter::Hermite);
    EXPECT_EQ(after, header);
    EXPECT_EQ(after->cacheKey(), key);

    // A new size rebuilds the layer once.
    preview->resize(600, 120);
    Grab(preview);
    Grab(preview);
    EXPECT_EQ(preview->PictureLayerBuilds(), builds + 1);
}

} // namespace
