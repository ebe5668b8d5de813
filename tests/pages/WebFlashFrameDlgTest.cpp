// The controls page: one row per control in the preview's order, the same corner reusing its row,
// arrows and drags read back as shifts, delete and clear, and the controls it exchanges with the
// project, several at one corner and more than the preview holds included.
#include "pages/CWebFlashFrameDlg.h"

#include "flash/ui/CControlsPreviewCtrl.h"
#include "skin/SkinDescription.h"
#include "skin/SkinDocument.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
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
        const QAbstractItemModel* model = page.ControlList()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, column).data().toString());
        return texts;
    }
    int CurrentRow() const { return page.ControlList()->currentIndex().row(); }
    void SetCurrentRow(int row) { page.ControlList()->setCurrentIndex(page.Model()->index(row, 0)); }
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
    SkinDocument document;
    CWebFlashFrameDlg page{document, nullptr};
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

TEST_F(WebFlashFrameDlgTest, ANewControlIsCentredOnItsCornerAndStaysInView)
{
    const QRect view(QPoint(0, 0), Preview()->size());
    Choose(3, clock);
    Choose(1, wide);
    EXPECT_EQ(page.Control(0).offset, QPoint(40, 40));
    EXPECT_EQ(page.Control(1).offset, QPoint(60, 20));
    EXPECT_EQ(Shown(), QPoint(0, 0));
    // A tab's view shows its corner's control, and a neighbour's as far as the view reaches.
    page.CornerTabs()->setCurrentIndex(2);
    EXPECT_TRUE(view.intersects(Preview()->ControlRect(0)));
    page.CornerTabs()->setCurrentIndex(0);
    EXPECT_TRUE(view.intersects(Preview()->ControlRect(1)));
    page.CornerTabs()->setCurrentIndex(3);
    EXPECT_TRUE(view.contains(Preview()->ControlRect(0)));
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
    EXPECT_EQ(page.Control(0).offset, offsets[0]);
    EXPECT_EQ(page.Control(1).offset, offsets[1]);
}

TEST_F(WebFlashFrameDlgTest, DeleteMovesLaterRowsUpAndClearEmptiesListAndPreview)
{
    Choose(0, clock);
    Choose(1, wide);
    Choose(2, tall);
    page.XArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    SetCurrentRow(1);
    EXPECT_EQ(Preview()->SelectedFlash(), 1);
    page.DeleteButton()->click();
    EXPECT_EQ(Column(0), (QStringList{"左上角", "左下角"}));
    ASSERT_EQ(Preview()->FlashCount(), 2);
    EXPECT_EQ(page.Control(1).file, tall);
    EXPECT_EQ(page.RowShift(1), QPoint(-1, 0));
    EXPECT_EQ(Preview()->SelectedFlash(), -1);
    page.DeleteButton()->click();
    EXPECT_EQ(page.RowCount(), 2);

    SetCurrentRow(1);
    page.ClearButton()->click();
    EXPECT_EQ(page.RowCount(), 0);
    EXPECT_EQ(Preview()->FlashCount(), 0);
    EXPECT_EQ(page.XEdit()->text(), QStringLiteral("-1"));
}

TEST_F(WebFlashFrameDlgTest, EveryControlOfASkinPlaysAndIsSavedBackAsItCame)
{
    // All four corners held, two more at the left-top and one more at the right-bottom corner.
    SkinContent project;
    const QString movies[3] = {clock, wide, tall};
    for (int corner = 0; corner < 4; ++corner)
        project.items.append({CornerItemKind::Control,
                              kCorners[corner],
                              QPoint(10 * corner, -corner),
                              {},
                              movies[corner % 3],
                              {},
                              false});
    const QList<CornerItem> extras = {
        {CornerItemKind::Control, Corner::LeftTop, {3, 4}, {}, tall, {}, false},
        {CornerItemKind::Control, Corner::RightBottom, {-20, 7}, {}, clock, {}, false},
        {CornerItemKind::Control, Corner::LeftTop, {0, 0}, {}, wide, {}, false}};
    project.items.append(extras);
    document.Load(project);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_EQ(Column(0), (QStringList{"左上角", "右上角", "左下角", "右下角", "左上角", "右下角", "左上角"}));
    EXPECT_EQ(Column(1), (QStringList{"clock", "wide", "tall", "clock", "tall", "clock", "wide"}));
    EXPECT_EQ(page.CornerTabs()->currentIndex(), 0);
    ASSERT_EQ(Preview()->FlashCount(), 7);
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(page.Control(row).corner, project.items[row].corner) << row;
        EXPECT_EQ(page.Control(row).offset, project.items[row].offset) << row;
    }

    // The file's split: the first of each corner is its own, the rest extra in list order.
    const PackageControls saved = SplitControls(document.Content().items);
    for (int corner = 0; corner < 4; ++corner) {
        ASSERT_TRUE(saved.corner[corner].has_value()) << corner;
        EXPECT_EQ(saved.corner[corner]->file, project.items[corner].file) << corner;
        EXPECT_EQ(saved.corner[corner]->offset, project.items[corner].offset) << corner;
    }
    ASSERT_EQ(saved.extra.size(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(saved.extra[k].file, extras[k].file) << k;
        EXPECT_EQ(saved.extra[k].corner, extras[k].corner) << k;
        EXPECT_EQ(saved.extra[k].offset, extras[k].offset) << k;
    }
    // A control chosen at a corner takes the place of that corner's own one, at its stage size.
    Choose(1, wide);
    EXPECT_EQ(page.RowCount(), 7);
    EXPECT_EQ(page.Control(1).size, QSize(120, 40));
}

} // namespace
