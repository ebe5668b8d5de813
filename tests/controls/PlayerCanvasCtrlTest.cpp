// The decorated player preview: corner items, their limits, the view and the mouse.
#include "ControlTestSupport.h"
#include "controls/CFramePreviewCtrl.h"
#include "skin/CornerPlacement.h"
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
        moves.emplace(preview, &CPlayerCanvasCtrl::itemDragged);
        // The owner applies drags as the frame page does.
        QObject::connect(preview, &CPlayerCanvasCtrl::itemDragged, [this](Corner corner, QPoint delta) {
            const QSize size = preview->ItemSize(corner);
            preview->SetItemOffset(ClampCornerOffset(corner, size, preview->ItemOffset(corner) - delta),
                                   corner);
        });
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
    ASSERT_TRUE(preview->LoadItemPicture(decoration, Corner::RightBottom));
    EXPECT_EQ(preview->ItemRect(Corner::RightBottom), QRect(804, 590, 100, 80));
    EXPECT_EQ(preview->ItemOffset(Corner::RightBottom), QPoint(50, 40));
    EXPECT_EQ(preview->CurrentCorner(), Corner::RightBottom);
    EXPECT_EQ(preview->Scroll(), QPoint(1004 - 600, 780 - 400));

    // The limits: the quarter (502, 390)-(854, 630) grown by the item's size on every side.
    const QSize size(100, 80);
    EXPECT_EQ(ClampCornerOffset(Corner::RightBottom, size, QPoint(50, 40) - QPoint(1000, -1000)),
              QPoint(854 - 854, 630 - 310));
    EXPECT_EQ(ClampCornerOffset(Corner::RightBottom, size, QPoint(5000, 5000)), QPoint(854 - 402, 630 - 310));
    EXPECT_EQ(ClampCornerOffset(Corner::RightBottom, size, QPoint(-5000, -5000)),
              QPoint(854 - 854, 630 - 630));
    EXPECT_EQ(ClampCornerOffset(Corner::RightBottom, size, QPoint(3, 4)), QPoint(3, 4));

    // Offsets place the item without clamping and read back unchanged.
    preview->SetItemOffset({-500, 7}, Corner::RightBottom);
    EXPECT_EQ(preview->ItemOffset(Corner::RightBottom), QPoint(-500, 7));
    EXPECT_EQ(preview->ItemRect(Corner::RightBottom), QRect(1354, 623, 100, 80));
}

TEST_F(CanvasTest, AFileThatIsNotAPngLeavesTheCornerAsItWas)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, Corner::RightTop));
    preview->SetItemOffset({50 - 5, 40 - 6}, Corner::RightTop);
    const QString jpeg = dir.file("photo.jpg");
    ASSERT_TRUE(QImage(30, 30, QImage::Format_RGB32).save(jpeg, "JPG"));
    ASSERT_TRUE(skintest::WriteAll(dir.file("broken.png"), QByteArray("\x89PNG\r\n\x1a\nrest", 12)));
    for (const QString& bad : {jpeg, dir.file("broken.png"), dir.file("missing.png")}) {
        EXPECT_FALSE(preview->LoadItemPicture(bad, Corner::RightTop)) << bad.toStdString();
        EXPECT_EQ(preview->ItemOffset(Corner::RightTop), QPoint(50 - 5, 40 - 6));
        EXPECT_EQ(preview->ItemSize(Corner::RightTop), QSize(100, 80));
    }
    EXPECT_FALSE(preview->LoadItemPicture(jpeg, Corner::LeftBottom));
    EXPECT_FALSE(preview->HasItem(Corner::LeftBottom));
}

TEST_F(CanvasTest, DraggingTheCurrentItemStopsAtItsLimitsAndReportsEachMove)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, Corner::LeftTop));
    ASSERT_EQ(preview->Scroll(), QPoint(0, 0));
    // The item covers (100, 110)-(200, 190) on the canvas.
    Press(preview, 120, 130);
    Move(preview, 130, 125);
    Move(preview, 700, 125); // right edge at most 502 + 100
    Release(preview, 700, 125);
    EXPECT_EQ(moves->count(), 2);
    EXPECT_EQ(preview->ItemRect(Corner::LeftTop), QRect(502, 105, 100, 80));
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
    preview->ShowCorner(Corner::RightBottom);
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

    preview->ShowCorner(Corner::LeftTop);
    Press(preview, 300, 200);
    Move(preview, 330, 200);
    Release(preview, 330, 200);
    EXPECT_EQ(preview->Scroll(), QPoint(0, 0));
}

TEST_F(CanvasTest, DecorationsLieUnderTheWindowBodyAndResetClearsThem)
{
    ASSERT_TRUE(preview->LoadItemPicture(decoration, Corner::LeftTop));
    preview->SetItemOffset({50, 40 - 50}, Corner::LeftTop); // (100, 160)-(200, 240): the body begins at y 214
    // Outside the window the decoration shows; inside, the body covers it; the canvas is grey.
    QImage shot = Grab(preview);
    EXPECT_EQ(QColor(shot.pixel(110, 170)), QColor(255, 0, 0));
    EXPECT_NE(QColor(shot.pixel(180, 230)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(192, 192, 192));

    preview->ResetItems();
    EXPECT_FALSE(preview->HasItem(Corner::LeftTop));
    shot = Grab(preview);
    EXPECT_EQ(QColor(shot.pixel(110, 170)), QColor(192, 192, 192));
}

} // namespace
