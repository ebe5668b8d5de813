// The decorated player preview: corner items, their limits, the view and the mouse.
#include "ControlTestSupport.h"
#include "controls/CFramePreviewCtrl.h"
#include "controls/CPngItem.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using skintest::Grab;
using skintest::Move;
using skintest::Press;
using skintest::Release;

namespace {

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest()
    {
        preview = new CFramePreviewCtrl(&parent);
        moves.emplace(preview, &CPlayerCanvasCtrl::itemMoved);
        preview->resize(600, 400);
        decoration = dir.file("deco.png");
        EXPECT_TRUE(skintest::WritePicture(decoration, 100, 80, QColor(255, 0, 0)));
    }

    skintest::ScratchDir dir;
    QWidget parent;
    std::optional<QSignalSpy> moves;
    CFramePreviewCtrl* preview = nullptr;
    QString decoration;
};

TEST_F(CanvasTest, RightBottomDecorationIsCentredAndClampedToItsLimits)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, 3));
    EXPECT_EQ(preview->Item(3).ItemRect(), (SkinRect{804, 590, 904, 670}));
    EXPECT_EQ(preview->GetItemOffset(3), QPoint(50, 40));
    EXPECT_EQ(preview->Item(3).Limits(), (SkinRect{402, 310, 954, 710}));
    EXPECT_EQ(preview->CurrentCorner(), 3);
    EXPECT_EQ(preview->Scroll(), QPoint(1004 - 600, 780 - 400));

    int dx = 1000;
    int dy = -1000;
    preview->MoveItem(dx, dy, 3);
    EXPECT_EQ(dx, 50);
    EXPECT_EQ(dy, 310 - 590);
    int sx = 0;
    int sy = 0;
    preview->GetItemShift(sx, sy, 3);
    EXPECT_EQ(QPoint(sx, sy), QPoint(50, -280));

    // Offsets place the item without clamping and read back unchanged.
    preview->SetItemOffset({-500, 7}, 3);
    EXPECT_EQ(preview->GetItemOffset(3), QPoint(-500, 7));
    EXPECT_EQ(preview->Item(3).ItemRect(), (SkinRect{1354, 623, 1454, 703}));
}

TEST_F(CanvasTest, AFileThatIsNotAPngLeavesTheCornerAsItWas)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, 1));
    int dx = 5;
    int dy = 6;
    preview->MoveItem(dx, dy, 1);
    const QString jpeg = dir.file("photo.jpg");
    ASSERT_TRUE(QImage(30, 30, QImage::Format_RGB32).save(jpeg, "JPG"));
    ASSERT_TRUE(skintest::WriteAll(dir.file("broken.png"), QByteArray("\x89PNG\r\n\x1a\nrest", 12)));
    for (const QString& bad : {jpeg, dir.file("broken.png"), dir.file("missing.png")}) {
        EXPECT_FALSE(preview->LoadItemPicture(bad, 1)) << bad.toStdString();
        EXPECT_EQ(preview->GetItemOffset(1), QPoint(50 - 5, 40 - 6));
        EXPECT_EQ(preview->Item(1).Width(), 100);
    }
    EXPECT_FALSE(preview->LoadItemPicture(jpeg, 2));
    EXPECT_FALSE(preview->HasItem(2));
}

TEST_F(CanvasTest, DraggingTheCurrentItemStopsAtItsLimitsAndReportsEachMove)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, 0));
    ASSERT_EQ(preview->Scroll(), QPoint(0, 0));
    // The item covers (100, 110)-(200, 190) on the canvas.
    Press(preview, 120, 130);
    Move(preview, 130, 125);
    Move(preview, 700, 125); // right edge at most 502 + 100
    Release(preview, 700, 125);
    EXPECT_EQ(moves->count(), 2);
    EXPECT_EQ(preview->Item(0).ItemRect(), (SkinRect{502, 105, 602, 185}));
    EXPECT_EQ(preview->Scroll(), QPoint(0, 0));

    // A press beside the item pans instead.
    Press(preview, 300, 300);
    Move(preview, 270, 300);
    Release(preview, 270, 300);
    EXPECT_EQ(moves->count(), 2);
    EXPECT_EQ(preview->Scroll(), QPoint(30, 0));
}

TEST_F(CanvasTest, PanningStopsAtTheCanvasEdges)
{
    preview->ShowCorner(3);
    const QPoint end(1004 - 600, 780 - 400);
    ASSERT_EQ(preview->Scroll(), end);
    Press(preview, 300, 200);
    Move(preview, 330, 200);
    EXPECT_EQ(preview->Scroll(), end - QPoint(30, 0));
    Move(preview, 2000, 2000);
    EXPECT_EQ(preview->Scroll(), QPoint(0, 0));
    Move(preview, -3000, -3000);
    EXPECT_EQ(preview->Scroll(), end);
    Release(preview, -3000, -3000);

    preview->ShowCorner(0);
    Press(preview, 300, 200);
    Move(preview, 330, 200);
    Release(preview, 330, 200);
    EXPECT_EQ(preview->Scroll(), QPoint(0, 0));
}

TEST_F(CanvasTest, DecorationsLieUnderTheWindowBodyAndResetClearsThem)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, 0));
    int dx = 0;
    int dy = 50; // (100, 160)-(200, 240): the body begins at y 214
    preview->MoveItem(dx, dy, 0);
    // Outside the window the decoration shows; inside, the body covers it; the canvas is grey.
    QImage shot = Grab(preview);
    EXPECT_EQ(QColor(shot.pixel(110, 170)), QColor(255, 0, 0));
    EXPECT_NE(QColor(shot.pixel(180, 230)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(192, 192, 192));

    preview->ResetItems();
    EXPECT_FALSE(preview->HasItem(0));
    shot = Grab(preview);
    EXPECT_EQ(QColor(shot.pixel(110, 170)), QColor(192, 192, 192));
}

} // namespace
