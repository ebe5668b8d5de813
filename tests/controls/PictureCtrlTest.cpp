#include "ControlTestSupport.h"
#include "controls/CPictureCtrl.h"
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

TEST(CropGeometry, InitialCropIsTheLargestCentred700By61)
{
    // Proportionally taller display than 700:61: full width, centred vertically.
    EXPECT_EQ(InitialCrop({0, 0, 700, 300}), (SkinRect{0, 120, 700, 181}));
    // Proportionally wider: full height, centred horizontally.
    EXPECT_EQ(InitialCrop({0, 0, 700, 50}), (SkinRect{64, 0, 637, 50}));
    EXPECT_EQ(InitialCrop({275, 0, 425, 300}), (SkinRect{275, 144, 425, 157}));
    // Exactly 700 x 61: the width comes out 699, one pixel in from the left.
    EXPECT_EQ(InitialCrop({0, 0, 700, 61}), (SkinRect{1, 0, 700, 61}));
}

TEST(CropGeometry, CropMapsToPicturePixelsTruncating)
{
    EXPECT_EQ(CropToPicture({0, 120, 700, 181}, {0, 0, 700, 300}, {1400, 600}),
              (SkinRect{0, 240, 1400, 362}));
    EXPECT_EQ(CropToPicture({276, 10, 300, 20}, {275, 0, 425, 300}, {300, 600}), (SkinRect{2, 20, 50, 40}));
    EXPECT_EQ(CropToPicture({1, 1, 5, 5}, {0, 0, 0, 300}, {300, 600}), SkinRect{});
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

    static bool AspectKept(const SkinRect& r)
    {
        return std::abs(r.Width() * 61.0 / 700.0 - r.Height()) < 1.0 + 1e-9;
    }

    ScratchDir dir;
    QWidget parent;
    std::optional<QSignalSpy> crops;
    CPictureCtrl* ctrl = nullptr;
};

TEST_F(PictureCtrlTest, LoadMakesTheInitialCropAndReportsItInPicturePixels)
{
    EXPECT_FALSE(ctrl->HasPicture());
    Grab(ctrl);
    EXPECT_EQ(crops->count(), 0);

    LoadAndPaint("wide.png");
    EXPECT_EQ(ctrl->Display(), (SkinRect{0, 0, 700, 300}));
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 120, 700, 181}));
    ASSERT_EQ(crops->count(), 1);
    EXPECT_EQ(LastRect(*crops), (SkinRect{0, 240, 1400, 362}));
    Grab(ctrl);
    EXPECT_EQ(crops->count(), 1) << "paints keep the crop";

    const auto& handles = ctrl->HandleRects();
    EXPECT_EQ(handles[0], (SkinRect{-5, 115, 5, 125}));
    EXPECT_EQ(handles[2], (SkinRect{695, 176, 705, 186}));
}

TEST_F(PictureCtrlTest, DisplayExactly700By61GetsA699PixelCrop)
{
    ctrl->setGeometry(0, 0, 700, 61);
    ASSERT_TRUE(WritePicture(dir.file("header.bmp"), 700, 61, Qt::darkGreen));
    LoadAndPaint("header.bmp");
    EXPECT_EQ(ctrl->Crop(), (SkinRect{1, 0, 700, 61}));
    EXPECT_EQ(LastRect(*crops), (SkinRect{1, 0, 700, 61}));
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
    EXPECT_EQ(shot.pixelColor(2, 115), QColor(Qt::white)) << "top-left handle outline";
}

TEST_F(PictureCtrlTest, CornerDragsStopAtTheMinimumSizeWithTheAspectKept)
{
    LoadAndPaint("wide.png");
    const SkinRect start = ctrl->Crop();
    const QPoint corners[4] = {{start.left, start.top},
                               {start.right, start.top},
                               {start.right, start.bottom},
                               {start.left, start.bottom}};
    for (int handle = 0; handle < 4; ++handle) {
        SCOPED_TRACE(handle + 1);
        ctrl->SetPicture(LoadedPicture(dir.file("wide.png")));
        Grab(ctrl);
        ASSERT_EQ(ctrl->Crop(), start);
        // Dragged onto the opposite corner: the height leads and stops at 10 pixels; the
        // width follows, 114.75 pixels truncated one way or the other.
        const QPoint opposite = corners[(handle + 2) % 4];
        Press(ctrl, corners[handle].x(), corners[handle].y());
        for (int step = 1; step <= 4; ++step)
            Move(ctrl, corners[handle].x() + (opposite.x() - corners[handle].x()) * step / 4,
                 corners[handle].y() + (opposite.y() - corners[handle].y()) * step / 4);
        SkinRect crop = ctrl->Crop();
        EXPECT_EQ(crop.Height(), 10);
        EXPECT_EQ(crop.Width(), handle == 0 || handle == 3 ? 115 : 114);
        // The corner opposite the handle stayed where it was.
        const QPoint anchor(handle == 0 || handle == 3 ? crop.right : crop.left,
                            handle <= 1 ? crop.bottom : crop.top);
        EXPECT_EQ(anchor, opposite);

        // Pulled on past the opposite corner it shrinks no further.
        const QPoint past = opposite + (opposite - corners[handle]) / 10;
        Move(ctrl, past.x(), past.y());
        Release(ctrl, past.x(), past.y());
        crop = ctrl->Crop();
        EXPECT_GE(crop.Width(), 114);
        EXPECT_LE(crop.Width(), 115);
        EXPECT_GE(crop.Height(), 9);
        EXPECT_TRUE(AspectKept(crop));
    }
}

TEST_F(PictureCtrlTest, NarrowTallDragLetsTheWidthLeadDownToItsMinimum)
{
    LoadAndPaint("wide.png");
    // Bottom-right handle pulled left and down: the candidate is proportionally taller,
    // so the width follows the pointer and stops at 114 pixels.
    Drag({700, 181}, {50, 290});
    const SkinRect crop = ctrl->Crop();
    EXPECT_EQ(crop.left, 0);
    EXPECT_EQ(crop.top, 120);
    EXPECT_EQ(crop.Width(), 114);
    EXPECT_TRUE(AspectKept(crop));
}

TEST_F(PictureCtrlTest, ResizeDragsNeverLeaveTheDisplay)
{
    LoadAndPaint("wide.png");
    Drag({700, 181}, {350, 150}); // shrink from the bottom-right
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 120, 344, 150}));
    Drag({172, 135}, {1172, 135}); // move it against the right edge
    EXPECT_EQ(ctrl->Crop(), (SkinRect{356, 120, 700, 150}));

    // A wide candidate from the top-right handle whose derived width would cross the
    // display's right edge: the move is ignored whole.
    Press(ctrl, 700, 120);
    Move(ctrl, 750, 118);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{356, 120, 700, 150}));
    Release(ctrl, 750, 118);

    // Pulled far past the top-left corner, the crop grows to the full width and stops there.
    Drag({356, 120}, {-400, -400});
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 89, 700, 150}));
}

TEST_F(PictureCtrlTest, MoveDragStopsAtTheDisplayEdges)
{
    LoadAndPaint("wide.png");
    Drag({700, 181}, {350, 150});
    const SkinRect shrunk = ctrl->Crop();
    const QPoint inside((shrunk.left + shrunk.right) / 2, (shrunk.top + shrunk.bottom) / 2);
    Drag(inside, inside + QPoint(-2000, -2000));
    SkinRect crop = ctrl->Crop();
    EXPECT_EQ(crop.left, 0);
    EXPECT_EQ(crop.top, 0);
    EXPECT_EQ(crop.Width(), shrunk.Width());
    EXPECT_EQ(crop.Height(), shrunk.Height());

    const QPoint centre((crop.left + crop.right) / 2, (crop.top + crop.bottom) / 2);
    Drag(centre, centre + QPoint(5000, 5000));
    crop = ctrl->Crop();
    EXPECT_EQ(crop.right, 700);
    EXPECT_EQ(crop.bottom, 300);
    EXPECT_EQ(crop.Width(), shrunk.Width());
    // The release reported the crop in picture pixels.
    EXPECT_EQ(LastRect(*crops), CropToPicture(crop, ctrl->Display(), {1400, 600}));
    EXPECT_EQ(LastRect(*crops).right, 1400);
}

TEST_F(PictureCtrlTest, NudgeMovesOnePixelAndStillReportsAtTheBorder)
{
    ctrl->Nudge(1, 0);
    EXPECT_EQ(crops->count(), 0) << "nothing to nudge without a picture";

    LoadAndPaint("wide.png");
    const int reports = crops->count();
    ctrl->Nudge(0, 1);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 121, 700, 182}));
    EXPECT_EQ(LastRect(*crops), (SkinRect{0, 242, 1400, 364}));
    // The crop spans the full width: sideways nudges move nothing but still report.
    ctrl->Nudge(-1, 0);
    ctrl->Nudge(1, 0);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 121, 700, 182}));
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

TEST_F(PictureCtrlTest, ResizeKeepsTheCropOnTheSamePartOfThePicture)
{
    LoadAndPaint("wide.png");
    Drag({700, 181}, {350, 150});
    const SkinRect before = CropToPicture(ctrl->Crop(), ctrl->Display(), {1400, 600});
    ctrl->resize(350, 150);
    Grab(ctrl);
    EXPECT_EQ(ctrl->Display(), (SkinRect{0, 0, 350, 150}));
    const SkinRect after = CropToPicture(ctrl->Crop(), ctrl->Display(), {1400, 600});
    EXPECT_NEAR(after.left, before.left, 4);
    EXPECT_NEAR(after.top, before.top, 4);
    EXPECT_NEAR(after.right, before.right, 4);
    EXPECT_NEAR(after.bottom, before.bottom, 4);
}

// Dragging repaints from the two cached layers: the picture is scaled once per picture and size.
TEST_F(PictureCtrlTest, DragsNeverResampleThePicture)
{
    LoadAndPaint("wide.png");
    EXPECT_EQ(ctrl->LayerBuilds(), 1);
    const QImage* scaled = ctrl->Picture()->GetScaledBitmap(700, 300, ResampleFilter::Hermite);
    ASSERT_NE(scaled, nullptr);
    const qint64 key = scaled->cacheKey();

    Press(ctrl, 700, 181);
    for (int i = 0; i < 40; ++i) {
        Move(ctrl, 700 - i * 12, 181 - i);
        Grab(ctrl);
    }
    Release(ctrl, 220, 141);
    const SkinRect crop = ctrl->Crop();
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

} // namespace

TEST_F(PictureCtrlTest, GivenCropIsFramedInsteadOfTheFirstCropEvenBeforeTheControlHasASize)
{
    LoadAndPaint("wide.png");
    crops->clear();
    ctrl->SetCrop({0, 0, 1400, 600});
    EXPECT_EQ(ctrl->Crop(), ctrl->Display());
    ctrl->SetCrop({200, 100, 900, 161});
    EXPECT_EQ(ctrl->Crop(), (SkinRect{100, 50, 450, 80}));
    EXPECT_EQ(crops->count(), 0) << "the owner already holds the crop it gave";

    // Without a size there is no display yet: the crop waits and the first-crop rule does not run.
    ctrl->resize(0, 0);
    Grab(ctrl);
    ctrl->SetPicture(LoadedPicture(dir.file("wide.png")));
    ctrl->SetCrop({0, 0, 1400, 600});
    ctrl->resize(700, 300);
    Grab(ctrl);
    EXPECT_EQ(ctrl->Crop(), (SkinRect{0, 0, 700, 300}));
    EXPECT_EQ(crops->count(), 0);
}
