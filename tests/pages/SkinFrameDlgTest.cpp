// The frame decoration page: corner tabs, browse and clear, the shift edits and arrows, drags
// read back, and the decorations it exchanges with the project.
#include "pages/CSkinFrameDlg.h"

#include "controls/CFramePreviewCtrl.h"
#include "skin/SkinDocument.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SkinFrameDlgTest : public ::testing::Test {
protected:
    SkinFrameDlgTest()
    {
        page.resize(874, 567);
        big = dir.file("big.png");
        small = dir.file("small.png");
        EXPECT_TRUE(skintest::WriteAll(big, skintest::PngPicture(100, 80)));
        EXPECT_TRUE(skintest::WriteAll(small, skintest::PngPicture(20, 10)));
    }

    void Choose(int corner, const QString& path)
    {
        page.CornerTabs()->setCurrentIndex(corner);
        dialogs.openPaths.enqueue(path);
        page.BrowseButton()->click();
    }
    void Arrow(QScrollBar* bar, QAbstractSlider::SliderAction action) { bar->triggerAction(action); }
    QPoint Shown() const { return {page.XEdit()->text().toInt(), page.YEdit()->text().toInt()}; }

    skintest::ScratchDir dir;
    FakeDialogs dialogs;
    SkinDocument document;
    CSkinFrameDlg page{document, nullptr};
    QString big;
    QString small;
};

TEST_F(SkinFrameDlgTest, EachCornerKeepsItsOwnPictureAndShifts)
{
    EXPECT_EQ(page.PathEdit()->text(), QStringLiteral(".png格式文件"));
    EXPECT_FALSE(page.XEdit()->isEnabled());
    // Arrows on a corner without a picture change nothing.
    Arrow(page.XArrows(), QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Shown(), QPoint(0, 0));

    Choose(1, big);
    ASSERT_EQ(dialogs.openRequests.size(), 1);
    EXPECT_EQ(dialogs.openRequests[0].filter, QStringLiteral("Images (*.png)"));
    EXPECT_EQ(dialogs.openRequests[0].defaultSuffix, QStringLiteral("png"));
    EXPECT_TRUE(page.XEdit()->isEnabled());
    Arrow(page.XArrows(), QAbstractSlider::SliderSingleStepSub);
    Arrow(page.YArrows(), QAbstractSlider::SliderSingleStepAdd);
    Arrow(page.YArrows(), QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Shown(), QPoint(-1, 2));
    EXPECT_EQ(page.CornerShift(Corner::RightTop), QPoint(-1, 2));

    Choose(2, small);
    // Only digits can be typed. The edits then show where the limits let the picture go (5 pixels
    // below its centred place for a 20 x 10 picture), which is the corner's shift.
    page.YEdit()->selectAll();
    QTest::keyClicks(page.YEdit(), "-9");
    EXPECT_EQ(Shown(), QPoint(0, 9)) << "applied when complete, not per keystroke";
    EXPECT_EQ(page.CornerPlacement(Corner::LeftBottom).offset, QPoint(10, 5));
    QTest::keyClick(page.YEdit(), Qt::Key_Return);
    EXPECT_EQ(page.CornerShift(Corner::LeftBottom), QPoint(0, 5));
    EXPECT_EQ(Shown(), QPoint(0, 5));
    EXPECT_EQ(page.CornerPlacement(Corner::LeftBottom).offset, QPoint(10, 0));

    page.CornerTabs()->setCurrentIndex(1);
    EXPECT_EQ(page.PathEdit()->text(), QDir::toNativeSeparators(big));
    EXPECT_EQ(Shown(), QPoint(-1, 2));
    EXPECT_EQ(page.Preview()->CurrentCorner(), Corner::RightTop);

    // Clearing one corner leaves the others as they were.
    page.ClearButton()->click();
    EXPECT_TRUE(page.CornerPath(Corner::RightTop).isEmpty());
    EXPECT_FALSE(page.Preview()->HasItem(Corner::RightTop));
    EXPECT_FALSE(page.XEdit()->isEnabled());
    EXPECT_EQ(page.CornerPath(Corner::LeftBottom), small);
    EXPECT_EQ(page.CornerShift(Corner::LeftBottom), QPoint(0, 5));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A value still being typed when another tab is chosen goes to the corner it was typed for.
    page.CornerTabs()->setCurrentIndex(2);
    page.XEdit()->selectAll();
    QTest::keyClicks(page.XEdit(), "3");
    page.CornerTabs()->setCurrentIndex(0);
    EXPECT_EQ(page.CornerPlacement(Corner::LeftBottom).offset, QPoint(7, 0));
}

TEST_F(SkinFrameDlgTest, APictureThatIsNotAPngIsRefusedWithAMessage)
{
    Choose(3, big);
    const QString jpeg = dir.file("photo.png"); // a JPEG under a PNG name
    ASSERT_TRUE(QImage(30, 30, QImage::Format_RGB32).save(jpeg, "JPG"));
    Choose(3, jpeg);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("PNG")));
    EXPECT_EQ(page.CornerPath(Corner::RightBottom), big);
    EXPECT_EQ(page.CornerPlacement(Corner::RightBottom).size, QSize(100, 80));

    Choose(0, jpeg);
    EXPECT_TRUE(page.CornerPath(Corner::LeftTop).isEmpty());
    EXPECT_FALSE(page.XEdit()->isEnabled());
    EXPECT_EQ(document.DecorationAt(Corner::LeftTop), -1);
}

TEST_F(SkinFrameDlgTest, DraggedShiftsTravelAsOffsetsAndComeBack)
{
    Choose(0, big);
    Choose(3, small);
    emit page.Preview()->itemDragged(Corner::RightBottom, QPoint(7, -8));
    EXPECT_EQ(Shown(), QPoint(7, -8));
    EXPECT_EQ(page.CornerShift(Corner::RightBottom), QPoint(7, -8));

    const SkinContent project = document.Content();
    const auto decoration = [&](Corner corner) {
        const int index = document.DecorationAt(corner);
        return index < 0 ? CornerItem() : project.items[index];
    };
    EXPECT_EQ(decoration(Corner::LeftTop).file, big);
    EXPECT_EQ(decoration(Corner::LeftTop).offset, QPoint(50, 40));
    EXPECT_EQ(document.DecorationAt(Corner::RightTop), -1);
    EXPECT_EQ(document.DecorationAt(Corner::LeftBottom), -1);
    EXPECT_EQ(decoration(Corner::RightBottom).file, small);
    EXPECT_EQ(decoration(Corner::RightBottom).offset, QPoint(10 - 7, 5 + 8));

    SkinDocument openedDocument;
    CSkinFrameDlg opened(openedDocument, nullptr);
    opened.resize(874, 567);
    openedDocument.Load(project);
    EXPECT_EQ(opened.CornerTabs()->currentIndex(), 0);
    EXPECT_EQ(opened.PathEdit()->text(), QDir::toNativeSeparators(big));
    EXPECT_TRUE(opened.XEdit()->isEnabled());
    EXPECT_EQ(opened.CornerShift(Corner::RightBottom), QPoint(7, -8));
    EXPECT_EQ(opened.Preview()->ItemOffset(Corner::RightBottom), QPoint(3, 13));

    // Remake empties every corner.
    openedDocument.Reset();
    opened.ResetPage();
    for (Corner corner : kCorners)
        EXPECT_FALSE(opened.Preview()->HasItem(corner)) << CornerIndex(corner);
    EXPECT_EQ(opened.PathEdit()->text(), QStringLiteral(".png格式文件"));
}

} // namespace
