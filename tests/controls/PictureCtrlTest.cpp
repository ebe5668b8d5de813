#include "ControlTestSupport.h"
#include "controls/CPictureCtrl.h"
#include "skin/HeaderCrop.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

TEST(CropGeometry, PictureIsFittedAndCentred)
{
    // Same aspect as the control: fills it.
    EXPECT_EQ(FitDisplay({1400, 600}, {700, 300}), (SkinRect{0, 0, 700, 300}));
    // Very wide: full width, centred vertically.
    EXPECT_EQ(FitDisplay({2000, 200}, {700, 300}), (SkinRect{0, 115, 700, 185}));
    // Tall: full height, centred horizontally.
    EXPECT_EQ(FitDisplay({300, 600}, {700, 300}), (SkinRect{275, 0, 425, 300}));
    EXPECT_EQ(FitDisplay({0, 0}, {700, 300}), SkinRect{});
}

TEST(CropGeometry, CropIsDrawnInTheDisplayTruncating)
{
    EXPECT_EQ(CropToDisplay({0, 239, 1400, 361}, {0, 0, 700, 300}, {1400, 600}),
              (SkinRect{0, 119, 700, 180}));
    EXPECT_EQ(CropToDisplay({2, 20, 50, 40}, {275, 0, 425, 300}, {300, 600}), (SkinRect{276, 10, 300, 20}));
    EXPECT_EQ(CropToDisplay({1, 1, 5, 5}, {0, 0, 300, 300}, {0, 0}), SkinRect{});
}

// A 700 x 300 crop control in a recording parent, holding a 1400 x 600 picture: the display
// fills the control and one client pixel is two picture pixels.
class PictureCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(720, 320);
        ctrl = new CPictureCtrl(&parent);
        crops.emplace(ctrl, &CPictureCtrl::cropChanged);
        ctrl->setGeometry(0, 0, 700, 300);
        ASSERT_TRUE(WritePicture(dir.file("wide.png"), 1400, 600, QColor(200, 100, 60)));
    }

    void LoadAndPaint(const QString& name)
    {
        SharedPicture picture = LoadedPicture(dir.file(name));
        ASSERT_NE(picture, nullptr);
        ctrl->SetPicture(std::move(picture));
        Grab(ctrl);
    }

    // Drags from one point to another through a few intermediate moves, then releases.
    void Drag(QPoint from, QPoint to)
    {
        Press(ctrl, from.x(), from.y());
        for (int step = 1; step <= 4; ++step)
            Move(ctrl, from.x() + (to.x() - from.x()) * step / 4, from.y() + (to.y() - from.y()) * step / 4);
        Release(ctrl, to.x(), to.y());
    }

    // The header's shape, in picture pixels.
    static bool AspectKept(const SkinRect& r) { return r.Height() == CropHeightForWidth(int(r.Width())); }

    ScratchDir dir;
    QWidget parent;
    std::optional<QSignalSpy> crops;
    CPictureCtrl* ctrl = nullptr;
};

TEST_F(PictureCtrlTest, LoadMakesTheDefaultCropInPicturePixelsAndReportsIt)
{
    EXPECT_FALSE(ctrl->HasPicture());
    Grab(ctrl);
    EXPECT_EQ(crops->count(), 0);

    LoadAndPaint("wide.png");
    EXPECT_EQ(ctrl->Display(), (SkinRect{0, 0, 700, 300}));
    // The whole width, 122 rows (700:61), centred: its header is exactly 700 pixels wide.
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 239, 1400, 361}));
    EXPECT_EQ(ctrl->ShownCrop(), (SkinRect{0, 119, 700, 180}));
    ASSERT_EQ(crops->count(), 1);
    EXPECT_EQ(LastRect(*crops), ctrl->Crop());
    Grab(ctrl);
    EXPECT_EQ(crops->count(), 1) << "paints keep the crop";

    const auto& handles = ctrl->HandleRects();
    EXPECT_EQ(handles[0], (SkinRect{-5, 114, 5, 124}));
    EXPECT_EQ(handles[2], (SkinRect{695, 175, 705, 185}));
}

TEST_F(PictureCtrlTest, PictureExactly700By61IsCroppedWhole)
{
    ctrl->setGeometry(0, 0, 700, 61);
    ASSERT_TRUE(WritePicture(dir.file("header.bmp"), 700, 61, Qt::darkGreen));
    LoadAndPaint("header.bmp");
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 0, 700, 61}));
    EXPECT_EQ(LastRect(*crops), (SkinRect{0, 0, 700, 61}));
}

TEST_F(PictureCtrlTest, PaintShowsTheCropAtFullStrengthOverTheDimmedPicture)
{
    LoadAndPaint("wide.png");
    const QImage shot = Grab(ctrl);
    const QColor inside = shot.pixelColor(350, 150);
    EXPECT_NEAR(inside.red(), 200, 1);
    EXPECT_NEAR(inside.green(), 100, 1);
    const QColor outside = shot.pixelColor(350, 50);
    EXPECT_NEAR(outside.red(), 100, 2);
    EXPECT_NEAR(outside.green(), 50, 2);
    EXPECT_EQ(shot.pixelColor(2, 114), QColor(Qt::white)) << "top-left handle outline";
}

TEST_F(PictureCtrlTest, CornerDragsStopAtTheMinimumSizeWithTheAspectAndTheOppositeCornerKept)
{
    LoadAndPaint("wide.png");
    const SkinRect start = ctrl->Crop();
    const SkinRect shown = ctrl->ShownCrop();
    const QPoint corners[4] = {{shown.left, shown.top},
                               {shown.right, shown.top},
                               {shown.right, shown.bottom},
                               {shown.left, shown.bottom}};
    const QPoint pictureCorners[4] = {{start.left, start.top},
                                      {start.right, start.top},
                                      {start.right, start.bottom},
                                      {start.left, start.bottom}};
    for (int handle = 0; handle < 4; ++handle) {
        SCOPED_TRACE(handle + 1);
        ctrl->SetPicture(LoadedPicture(dir.file("wide.png")));
        Grab(ctrl);
        ASSERT_EQ(ctrl->Crop(), start);
        // Dragged onto and past the opposite corner: the crop stops at its least height, 10
        // picture pixels, keeps its shape, and the opposite corner stays.
        const QPoint opposite = corners[(handle + 2) % 4];
        const QPoint past = opposite + (opposite - corners[handle]) / 10;
        Drag(corners[handle], past);
        const SkinRect crop = ctrl->Crop();
        EXPECT_EQ(crop.Height(), kMinCropHeight);
        EXPECT_EQ(crop.Width(), CropWidthForHeight(kMinCropHeight));
        EXPECT_TRUE(AspectKept(crop));
        const QPoint anchor(handle == 0 || handle == 3 ? crop.right : crop.left,
                            handle <= 1 ? crop.bottom : crop.top);
        EXPECT_EQ(anchor, pictureCorners[(handle + 2) % 4]);
    }
}

TEST_F(PictureCtrlTest, TheSmallerOfTheTwoProposedSizesLeads)
{
    LoadAndPaint("wide.png");
    // Bottom-right handle pulled left and down: the pointer's width (100 screen pixels, 200
    // picture pixels) is the smaller proposal, so it leads and the height follows.
    Drag({700, 180}, {100, 290});
    SkinRect crop = ctrl->Crop();
    EXPECT_EQ(crop.left, 0);
    EXPECT_EQ(crop.top, 239);
    EXPECT_EQ(crop.Width(), 200);
    EXPECT_TRUE(AspectKept(crop));
    // Pulled far right and a little down, the pointer's height is the smaller proposal: the
    // crop ends at the pointer's row (140 screen, 280 picture pixels) and the width follows.
    const SkinRect shown = ctrl->ShownCrop();
    Drag({shown.right, shown.bottom}, {690, 140});
    crop = ctrl->Crop();
    EXPECT_EQ(crop.top, 239);
    EXPECT_EQ(crop.bottom, 280);
    EXPECT_TRUE(AspectKept(crop));
}

TEST_F(PictureCtrlTest, ResizeDragsNeverLeaveThePicture)
{
    LoadAndPaint("wide.png");
    // Pulled far past the top-left corner, the crop grows as far as the picture lets it.
    Drag({0, 119}, {-400, -400});
    SkinRect crop = ctrl->Crop();
    EXPECT_EQ(crop.right, 1400);
    EXPECT_EQ(crop.bottom, 361);
    EXPECT_GE(crop.left, 0);
    EXPECT_GE(crop.top, 0);
    EXPECT_TRUE(AspectKept(crop));
    // A small crop pulled far to the right and down stops at the picture's edges.
    Drag({0, 119}, {600, 160}); // shrink from the top-left first
    const SkinRect small = ctrl->Crop();
    const SkinRect shown = ctrl->ShownCrop();
    Drag({shown.right, shown.bottom}, {2000, 2000});
    crop = ctrl->Crop();
    EXPECT_EQ(crop.left, small.left);
    EXPECT_EQ(crop.top, small.top);
    EXPECT_LE(crop.right, 1400);
    EXPECT_LE(crop.bottom, 600);
    EXPECT_TRUE(AspectKept(crop));
}

TEST_F(PictureCtrlTest, MoveDragStopsAtThePictureEdges)
{
    LoadAndPaint("wide.png");
    Drag({700, 180}, {350, 150});
    const SkinRect shrunk = ctrl->Crop();
    SkinRect shown = ctrl->ShownCrop();
    const QPoint inside((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2);
    Drag(inside, inside + QPoint(-2000, -2000));
    SkinRect crop = ctrl->Crop();
    EXPECT_EQ(crop.left, 0);
    EXPECT_EQ(crop.top, 0);
    EXPECT_EQ(crop.Width(), shrunk.Width());
    EXPECT_EQ(crop.Height(), shrunk.Height());

    shown = ctrl->ShownCrop();
    const QPoint centre((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2);
    Drag(centre, centre + QPoint(5000, 5000));
    crop = ctrl->Crop();
    EXPECT_EQ(crop.right, 1400);
    EXPECT_EQ(crop.bottom, 600);
    EXPECT_EQ(crop.Width(), shrunk.Width());
    // The release reported the crop in picture pixels.
    EXPECT_EQ(LastRect(*crops), crop);
}

TEST_F(PictureCtrlTest, NudgeMovesOneScreenPixelInPicturePixelsAndStillReportsAtTheBorder)
{
    ctrl->Nudge(1, 0);
    EXPECT_EQ(crops->count(), 0) << "nothing to nudge without a picture";

    LoadAndPaint("wide.png");
    const int reports = crops->count();
    ctrl->Nudge(0, 1);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 241, 1400, 363}));
    EXPECT_EQ(LastRect(*crops), ctrl->Crop());
    // The crop spans the full width: sideways nudges move nothing but still report.
    ctrl->Nudge(-1, 0);
    ctrl->Nudge(1, 0);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 241, 1400, 363}));
    EXPECT_EQ(crops->count(), reports + 3);
}

TEST_F(PictureCtrlTest, MouseIsIgnoredWhileLoadingOrWithoutPicture)
{
    Press(ctrl, 100, 150);
    Release(ctrl, 100, 150);
    EXPECT_EQ(crops->count(), 0);

    LoadAndPaint("wide.png");
    const int reports = crops->count();
    const SkinRect crop = ctrl->Crop();
    ctrl->BeginLoading();
    Press(ctrl, 350, 150);
    Move(ctrl, 100, 100);
    Release(ctrl, 100, 100);
    ctrl->Nudge(0, 1);
    EXPECT_EQ(crops->count(), reports) << "a release while loading reports nothing";
    EXPECT_FALSE(ctrl->HasPicture());
    // a failed load goes back to the picture still held, with the crop it had
    ctrl->EndLoading();
    EXPECT_TRUE(ctrl->HasPicture());
    EXPECT_EQ(ctrl->Crop(), crop);

    // unless the picture was dropped meanwhile
    ctrl->BeginLoading();
    ctrl->ClearPicture();
    ctrl->EndLoading();
    EXPECT_FALSE(ctrl->HasPicture());
    EXPECT_TRUE(ctrl->Crop().IsNull());
}

TEST_F(PictureCtrlTest, ResizeKeepsTheCropExactlyOnTheSamePartOfThePicture)
{
    LoadAndPaint("wide.png");
    Drag({700, 180}, {350, 150});
    const SkinRect before = ctrl->Crop();
    ctrl->resize(350, 150);
    Grab(ctrl);
    EXPECT_EQ(ctrl->Display(), (SkinRect{0, 0, 350, 150}));
    EXPECT_EQ(ctrl->Crop(), before);
}

// Dragging repaints from the two cached layers: the picture is scaled once per picture and size.
TEST_F(PictureCtrlTest, DragsNeverResampleThePicture)
{
    LoadAndPaint("wide.png");
    EXPECT_EQ(ctrl->LayerBuilds(), 1);
    const QImage* scaled = ctrl->Picture()->GetScaledBitmap(700, 300, ResampleFilter::Hermite);
    ASSERT_NE(scaled, nullptr);
    const qint64 key = scaled->cacheKey();

    Press(ctrl, 700, 180);
    for (int i = 0; i < 40; ++i) {
        Move(ctrl, 700 - i * 12, 180 - i);
        Grab(ctrl);
    }
    Release(ctrl, 220, 141);
    const SkinRect crop = ctrl->ShownCrop();
    Press(ctrl, crop.left + 20, crop.top + 5);
    for (int i = 0; i < 40; ++i) {
        Move(ctrl, crop.left + 20 + i * 9, crop.top + 5 + i * 3);
        Grab(ctrl);
    }
    Release(ctrl, crop.left + 380, crop.top + 125);
    for (int i = 0; i < 10; ++i) {
        ctrl->Nudge(-1, -1);
        Grab(ctrl);
    }

    EXPECT_EQ(ctrl->LayerBuilds(), 1);
    const QImage* after = ctrl->Picture()->GetScaledBitmap(700, 300, ResampleFilter::Hermite);
    EXPECT_EQ(after, scaled);
    EXPECT_EQ(after->cacheKey(), key);
}

TEST_F(PictureCtrlTest, GivenCropIsFramedAndNotReported)
{
    LoadAndPaint("wide.png");
    crops->clear();
    ctrl->SetCrop({0, 0, 1400, 600});
    EXPECT_EQ(ctrl->ShownCrop(), ctrl->Display());
    ctrl->SetCrop({200, 100, 900, 161});
    EXPECT_EQ(ctrl->ShownCrop(), (SkinRect{100, 50, 450, 80}));
    EXPECT_EQ(crops->count(), 0) << "the owner already holds the crop it gave";

    // Without a size there is no display yet: the crop is kept and framed once there is one.
    ctrl->resize(0, 0);
    Grab(ctrl);
    ctrl->SetCrop({0, 0, 1400, 600});
    ctrl->resize(700, 300);
    Grab(ctrl);
    EXPECT_EQ(ctrl->ShownCrop(), (SkinRect{0, 0, 700, 300}));
    EXPECT_EQ(crops->count(), 0);
}

} // namespace
