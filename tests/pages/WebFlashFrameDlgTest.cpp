// The controls page: one row per control in the preview's order, the same corner reusing its row,
// arrows and drags read back as shifts, delete and clear, and the controls it exchanges with the
// project, several at one corner and more than the preview holds included.
#include "pages/CWebFlashFrameDlg.h"

#include "flash/ui/CControlsPreviewCtrl.h"
#include "skin/SkinProject.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class WebFlashFrameDlgTest : public ::testing::Test {
protected:
    WebFlashFrameDlgTest()
    {
        page.resize(874, 567);
        page.show();
        clock = Movie("clock.swf", 80, 80);
        wide = Movie("wide.swf", 120, 40);
        tall = Movie("tall.swf", 30, 90);
    }

    QString Movie(const QString& name, int width, int height)
    {
        const QString path = dir.file(name);
        EXPECT_TRUE(skintest::WriteAll(path, skintest::SwfMovie(width, height)));
        return path;
    }
    void Choose(int corner, const QString& path)
    {
        page.CornerTabs()->setCurrentIndex(corner);
        dialogs.openPaths.enqueue(path);
        page.LocalFileButton()->click();
    }
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < page.ControlList()->topLevelItemCount(); ++row)
            texts.append(page.ControlList()->topLevelItem(row)->text(column));
        return texts;
    }
    int CurrentRow() const
    {
        return page.ControlList()->indexOfTopLevelItem(page.ControlList()->currentItem());
    }
    QPoint Shown() const { return {page.XEdit()->text().toInt(), page.YEdit()->text().toInt()}; }
    CControlsPreviewCtrl* Preview() const { return page.Preview(); }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(at), Preview()->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(Preview(), &event);
    }

    skintest::ScratchDir dir;
    FakeDialogs dialogs;
    CWebFlashFrameDlg page{nullptr};
    QString clock;
    QString wide;
    QString tall;
};

TEST_F(WebFlashFrameDlgTest, OneRowPerCornerInTheOrderChosen)
{
    Choose(0, clock);
    Choose(0, wide);
    ASSERT_EQ(dialogs.openRequests.size(), 2);
    EXPECT_EQ(dialogs.openRequests[0].filter, QStringLiteral("Flash (*.swf)"));
    EXPECT_EQ(dialogs.openRequests[0].defaultSuffix, QStringLiteral("swf"));
    EXPECT_EQ(Column(1), QStringList{"wide"});
    EXPECT_EQ(Column(2), QStringList{QDir::toNativeSeparators(wide)});
    ASSERT_EQ(Preview()->FlashCount(), 1);
    EXPECT_EQ(page.Control(0).file, wide);

    Choose(1, tall);
    Choose(3, clock);
    Choose(2, wide);
    EXPECT_EQ(Column(0), (QStringList{"左上角", "右上角", "右下角", "左下角"}));
    EXPECT_EQ(Column(1), (QStringList{"wide", "tall", "clock", "wide"}));
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(page.Control(row).corner, (std::array{Corner::LeftTop, Corner::RightTop,
                                                        Corner::RightBottom, Corner::LeftBottom})[row])
            << row;
    EXPECT_EQ(CurrentRow(), 3);
    EXPECT_EQ(Preview()->SelectedFlash(), 3);

    // Cancelling the dialog changes nothing; a file that is no movie is refused with a message.
    page.LocalFileButton()->click();
    const QString notMovie = dir.file("picture.swf");
    ASSERT_TRUE(skintest::WriteAll(notMovie, skintest::PngPicture(10, 10)));
    Choose(2, notMovie);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(notMovie)));
    EXPECT_EQ(page.RowCount(), 4);
    EXPECT_EQ(page.Control(3).file, wide);
}

TEST_F(WebFlashFrameDlgTest, ArrowsAndKeysStepTheSelectedControlTypingDoesNot)
{
    Choose(3, clock);
    const QPoint start = page.Control(0).offset;
    for (int i = 0; i < 5; ++i)
        page.XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    page.YArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(page.Control(0).offset, start - QPoint(5, -1));
    EXPECT_EQ(Shown(), QPoint(5, -1));

    page.XEdit()->selectAll();
    QTest::keyClicks(page.XEdit(), "x12");
    EXPECT_EQ(page.XEdit()->text(), QStringLiteral("12"));
    EXPECT_EQ(page.Control(0).offset, start - QPoint(5, -1));
    page.XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Shown(), QPoint(6, -1));

    EXPECT_TRUE(page.NudgeSelected(0, 2));
    EXPECT_EQ(Shown(), QPoint(6, 1));
    EXPECT_EQ(page.RowShift(0), QPoint(6, 1));
    EXPECT_EQ(page.Control(0).offset, start - QPoint(6, 1));

    // Without a selected control, arrows and keys move nothing.
    page.DeleteButton()->click();
    EXPECT_EQ(page.RowCount(), 0);
    Choose(0, wide);
    page.ControlList()->clearSelection();
    EXPECT_EQ(Preview()->SelectedFlash(), -1);
    EXPECT_FALSE(page.XEdit()->isEnabled());
    const QPoint placed = page.Control(0).offset;
    page.XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FALSE(page.NudgeSelected(1, 0));
    EXPECT_EQ(page.Control(0).offset, placed);
}

TEST_F(WebFlashFrameDlgTest, GrabbingAControlSelectsItsRowAndADragShowsItsShift)
{
    Choose(0, clock);
    Choose(1, wide);
    ASSERT_EQ(CurrentRow(), 1);
    page.CornerTabs()->setCurrentIndex(0);
    const QPoint topLeft = CPlayerCanvasCtrl::Anchor(Corner::LeftTop) - page.Control(0).offset;
    const QPoint grip = topLeft + QPoint(10, 10) - Preview()->Scroll();
    Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_EQ(Preview()->SelectedFlash(), 0);
    Mouse(QEvent::MouseMove, grip + QPoint(7, -3), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, grip + QPoint(7, -3), Qt::NoButton);
    EXPECT_EQ(Shown(), QPoint(7, -3));
    EXPECT_EQ(page.RowShift(0), QPoint(7, -3));
    EXPECT_EQ(page.RowShift(1), QPoint(0, 0));

    // Entering the step again on another corner's tab leaves every control where it was.
    const QPoint offsets[2] = {page.Control(0).offset, page.Control(1).offset};
    page.CornerTabs()->setCurrentIndex(3);
    SkinProject project;
    page.LoadFromProject(project);
    EXPECT_EQ(page.Control(0).offset, offsets[0]);
    EXPECT_EQ(page.Control(1).offset, offsets[1]);
}

TEST_F(WebFlashFrameDlgTest, DeleteMovesLaterRowsUpAndClearEmptiesListAndPreview)
{
    Choose(0, clock);
    Choose(1, wide);
    Choose(2, tall);
    page.XArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    page.ControlList()->setCurrentItem(page.ControlList()->topLevelItem(1));
    EXPECT_EQ(Preview()->SelectedFlash(), 1);
    page.DeleteButton()->click();
    EXPECT_EQ(Column(0), (QStringList{"左上角", "左下角"}));
    ASSERT_EQ(Preview()->FlashCount(), 2);
    EXPECT_EQ(page.Control(1).file, tall);
    EXPECT_EQ(page.RowShift(1), QPoint(-1, 0));
    EXPECT_EQ(Preview()->SelectedFlash(), -1);
    page.DeleteButton()->click();
    EXPECT_EQ(page.RowCount(), 2);

    page.ControlList()->setCurrentItem(page.ControlList()->topLevelItem(1));
    page.ClearButton()->click();
    EXPECT_EQ(page.RowCount(), 0);
    EXPECT_EQ(Preview()->FlashCount(), 0);
    EXPECT_EQ(page.XEdit()->text(), QStringLiteral("-1"));
}

TEST_F(WebFlashFrameDlgTest, EveryControlOfAProjectPlaysAndIsSavedBackAsItCame)
{
    // All four corners held, two more at the left-top and one more at the right-bottom corner.
    SkinProject project;
    const QString movies[3] = {clock, wide, tall};
    for (int corner = 0; corner < 4; ++corner)
        project.cornerControls[corner] = {
            movies[corner % 3], kCorners[corner], QPoint(10 * corner, -corner), {}};
    project.extraControls = {{tall, Corner::LeftTop, {3, 4}, {}},
                             {clock, Corner::RightBottom, {-20, 7}, {}},
                             {wide, Corner::LeftTop, {0, 0}, {}}};
    page.ShowOpenedProject(project);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_EQ(Column(0), (QStringList{"左上角", "右上角", "左下角", "右下角", "左上角", "右下角", "左上角"}));
    EXPECT_EQ(Column(1), (QStringList{"clock", "wide", "tall", "clock", "tall", "clock", "wide"}));
    EXPECT_EQ(page.CornerTabs()->currentIndex(), 0);
    ASSERT_EQ(Preview()->FlashCount(), 7);
    for (int row = 0; row < 7; ++row) {
        const FlashControl& control = row < 4 ? project.cornerControls[row] : project.extraControls[row - 4];
        EXPECT_EQ(page.Control(row).corner, control.corner) << row;
        EXPECT_EQ(page.Control(row).offset, control.position) << row;
    }

    SkinProject saved;
    saved.cornerControls[1] = {wide, Corner::RightTop, {}, {}};
    page.SaveToProject(saved);
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_EQ(saved.cornerControls[corner].path, project.cornerControls[corner].path) << corner;
        EXPECT_EQ(saved.cornerControls[corner].position, project.cornerControls[corner].position) << corner;
    }
    EXPECT_EQ(saved.cornerControls[1].size, QSize(120, 40));
    ASSERT_EQ(saved.extraControls.size(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(saved.extraControls[k].path, project.extraControls[k].path) << k;
        EXPECT_EQ(saved.extraControls[k].corner, project.extraControls[k].corner) << k;
        EXPECT_EQ(saved.extraControls[k].position, project.extraControls[k].position) << k;
    }

    // More than the preview holds: the first 20 and a message that counts the rest, including
    // those the package declared beyond what it gave.
    for (int k = 0; k < 16; ++k)
        project.extraControls.append({wide, kCorners[k % 4], {k, k}, {}});
    project.extraControlsLeftOut = 2;
    page.ShowOpenedProject(project);
    EXPECT_EQ(page.RowCount(), 20);
    EXPECT_EQ(Preview()->FlashCount(), 20);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("另有5个")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(page.Control(19).offset, QPoint(12, 12));
}

} // namespace
