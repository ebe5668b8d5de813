// The controls preview's flash controls without a web engine: where the controls it is given lie
// while the view scrolls and the window changes, selection and drags through the mouse reported
// as deltas, clipping of the mouse to the preview, and removal. No flash player is offered, so no
// stage is made and everything here is the C++ side.
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/FlashEngine.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString kMovies = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
CornerItem Control(Corner corner, QPoint offset, QSize size, const QString& file)
{
    return {CornerItemKind::Control, corner, offset, size, file, {}, false};
}
const CornerItem kClock =
    Control(Corner::LeftTop, {150, 150}, {80, 80}, kMovies + "clock.swf"); // at the view's (0, 0)
const CornerItem kMeter = Control(Corner::LeftTop, {150, 150}, {200, 60}, kMovies + "meter.swf"); // the same
const CornerItem kWeather =
    Control(Corner::RightTop, {754, 130}, {120, 60}, kMovies + "weather.swf"); // view (100, 20)

void Mouse(QWidget* widget, QEvent::Type type, int x, int y, Qt::MouseButtons buttons)
{
    const QPointF point(x, y);
    QMouseEvent event(type, point, widget->mapToGlobal(point),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// The preview with an owner that keeps the controls and applies the drags, as the page does.
class ControlsPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An empty player folder: controls are kept but not played.
        qputenv("SKINMAKER_FLASH_PLAYER", m_noPlayer.path().toUtf8());
        m_preview = new CControlsPreviewCtrl(&m_page);
        m_preview->setGeometry(0, 0, 600, 400);
        m_preview->ShowCorner(Corner::LeftTop);
        m_selected.emplace(m_preview, &CControlsPreviewCtrl::flashSelected);
        m_dragged.emplace(m_preview, &CControlsPreviewCtrl::flashDragged);
        QObject::connect(m_preview, &CControlsPreviewCtrl::flashDragged, [this](int index, QPoint delta) {
            m_controls[index].offset -= delta;
            m_preview->SetControls(m_controls);
        });
    }
    void TearDown() override { qunsetenv("SKINMAKER_FLASH_PLAYER"); }

    void Show(const QList<CornerItem>& controls)
    {
        m_controls = controls;
        m_preview->SetControls(m_controls);
    }
    void Drag(int x, int y, int dx, int dy)
    {
        Mouse(m_preview, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        Mouse(m_preview, QEvent::MouseMove, x + dx, y + dy, Qt::LeftButton);
        Mouse(m_preview, QEvent::MouseButtonRelease, x + dx, y + dy, Qt::NoButton);
    }
    bool Heard() const { return !m_selected->isEmpty() || !m_dragged->isEmpty(); }
    void Forget()
    {
        m_selected->clear();
        m_dragged->clear();
    }

    skintest::ScratchDir m_noPlayer;
    QWidget m_page;
    CControlsPreviewCtrl* m_preview = nullptr;
    QList<CornerItem> m_controls;
    std::optional<QSignalSpy> m_selected;
    std::optional<QSignalSpy> m_dragged;
};

} // namespace

TEST_F(ControlsPreviewTest, ControlsLieAtTheirCornerMinusOffsetWhereverTheViewIs)
{
    EXPECT_FALSE(CControlsPreviewCtrl::FlashPlaybackAvailable());
    Show({kClock, Control(Corner::RightBottom, {854 - 404 - 30, 630 - 380 - 40}, {80, 80}, kClock.file)});
    EXPECT_EQ(m_preview->ControlRect(0), QRect(0, 0, 80, 80));
    // Corner 3 scrolls the view to (404, 380); the controls keep their places on the canvas.
    m_preview->ShowCorner(Corner::RightBottom);
    EXPECT_EQ(m_preview->Scroll(), QPoint(404, 380));
    EXPECT_EQ(m_preview->ControlRect(0), QRect(-404, -380, 80, 80));
    EXPECT_EQ(m_preview->ControlRect(1), QRect(30, 40, 80, 80));

    // A smaller view after the wizard was resized and moved: the same.
    m_preview->resize(500, 300);
    m_preview->FollowWindowMove();
    EXPECT_EQ(m_preview->Scroll(), QPoint(504, 480));
    EXPECT_EQ(m_preview->ControlRect(1), QRect(-70, -60, 80, 80));
    EXPECT_EQ(m_preview->ControlRect(2), QRect());
    EXPECT_FALSE(FlashEngineLoaded());
}

TEST_F(ControlsPreviewTest, PressSelectsTheTopmostControlAndDragsItAnywhereInItsRectangle)
{
    Show({kMeter, kWeather}); // (0, 0)-(200, 60) and (100, 20)-(220, 80), above it

    // Where both lie the later one is grabbed; it is selected, and the drag reported as a delta.
    Drag(150, 50, 7, 4);
    EXPECT_EQ(m_preview->SelectedFlash(), 1);
    ASSERT_EQ(m_selected->count(), 1);
    EXPECT_EQ(m_selected->constFirst().constFirst().toInt(), 1);
    ASSERT_EQ(m_dragged->count(), 1);
    EXPECT_EQ(m_dragged->constFirst().at(0).toInt(), 1);
    EXPECT_EQ(m_dragged->constFirst().at(1).toPoint(), QPoint(7, 4));
    EXPECT_EQ(m_controls[1].offset, QPoint(854 - 107, 150 - 24));

    // The earlier one where only it lies, at a corner pixel of its rectangle.
    Drag(0, 59, 10, 0);
    EXPECT_EQ(m_preview->SelectedFlash(), 0);
    EXPECT_EQ(m_controls[0].offset, QPoint(140, 150));

    // The background selects nothing and moves nothing.
    Forget();
    Drag(400, 300, 10, 10);
    EXPECT_FALSE(Heard());
    EXPECT_EQ(m_preview->SelectedFlash(), 0);

    // Hidden controls take no press.
    m_preview->ShowFlash(false);
    Drag(150, 50, 5, 5);
    EXPECT_FALSE(Heard());
}

TEST_F(ControlsPreviewTest, OnlyThePartInsideThePreviewTakesTheMouse)
{
    Show({kClock});
    // Dragged past the right edge: a drag is never stopped, the part outside is cut off.
    Drag(40, 40, 600 - 40 - 30, 0); // now at (530, 0)-(610, 80): 70 pixels inside
    EXPECT_EQ(m_controls[0].offset, QPoint(150 - 530, 150));
    m_preview->SelectFlash(-1);
    Forget();
    Mouse(m_preview, QEvent::MouseButtonPress, 605, 40, Qt::LeftButton);
    Mouse(m_preview, QEvent::MouseButtonRelease, 605, 40, Qt::NoButton);
    EXPECT_EQ(m_preview->SelectedFlash(), -1);
    EXPECT_FALSE(Heard());
    Drag(595, 40, -100, 0);
    EXPECT_EQ(m_preview->SelectedFlash(), 0);
    EXPECT_EQ(m_controls[0].offset, QPoint(150 - 430, 150));
}

TEST_F(ControlsPreviewTest, RemovingMovesLaterControlsDownAndClearsTheSelection)
{
    Show({kClock, kWeather, Control(Corner::LeftBottom, {3, 4}, {200, 60}, kMeter.file)});
    m_preview->SelectFlash(2);
    m_preview->RemoveControl(0);
    ASSERT_EQ(m_preview->FlashCount(), 2);
    EXPECT_EQ(m_preview->SelectedFlash(), -1);
    EXPECT_EQ(m_preview->Controls()[0], kWeather);
    EXPECT_EQ(m_preview->ControlRect(1), QRect(QPoint(147, 626), QSize(200, 60)));
    m_preview->RemoveControl(5);
    EXPECT_EQ(m_preview->FlashCount(), 2);
    m_preview->SetControls({});
    EXPECT_EQ(m_preview->FlashCount(), 0);
}
