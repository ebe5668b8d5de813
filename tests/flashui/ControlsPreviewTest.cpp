// The controls preview's flash controls without a web engine: places in canvas terms, reloading a
// corner, removal, selection and drags through the mouse, clipping of the mouse to the preview,
// and keeping places when the view scrolls or the window moves. No flash player is offered, so
// no stage is made and everything here is the C++ side.
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CFlashWnd.h"
#include "flash/ui/FlashEngine.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString kMovies = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");

void Mouse(QWidget* widget, QEvent::Type type, int x, int y, Qt::MouseButtons buttons)
{
    const QPointF point(x, y);
    QMouseEvent event(type, point, widget->mapToGlobal(point),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class ControlsPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An empty player folder: controls are kept but not played.
        qputenv("SKINMAKER_FLASH_PLAYER", m_noPlayer.path().toUtf8());
        m_preview = new CControlsPreviewCtrl(&m_page);
        m_selected.emplace(m_preview, &CControlsPreviewCtrl::flashSelected);
        m_moved.emplace(m_preview, &CControlsPreviewCtrl::flashMoved);
        m_preview->setGeometry(0, 0, 600, 400);
        m_preview->ShowCorner(0);
    }
    void TearDown() override { qunsetenv("SKINMAKER_FLASH_PLAYER"); }

    void Drag(int x, int y, int dx, int dy)
    {
        Mouse(m_preview, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        Mouse(m_preview, QEvent::MouseMove, x + dx, y + dy, Qt::LeftButton);
        Mouse(m_preview, QEvent::MouseButtonRelease, x + dx, y + dy, Qt::NoButton);
    }

    skintest::ScratchDir m_noPlayer;
    // What the page heard.
    bool Heard() const { return !m_selected->isEmpty() || !m_moved->isEmpty(); }
    void Forget()
    {
        m_selected->clear();
        m_moved->clear();
    }

    QWidget m_page;
    CControlsPreviewCtrl* m_preview = nullptr;
    std::optional<QSignalSpy> m_selected;
    std::optional<QSignalSpy> m_moved;
};

} // namespace

TEST_F(ControlsPreviewTest, ControlsOpenAtTheViewsTopLeftAndKeepCanvasPlacesWhileScrolling)
{
    EXPECT_FALSE(CControlsPreviewCtrl::FlashPlaybackAvailable());
    ASSERT_EQ(m_preview->AddFlash(kMovies + "clock.swf", 0), 0);
    EXPECT_EQ(m_preview->GetFlashSize(0), QSize(80, 80));
    // Opened at the view's top-left, canvas (0, 0): the corner point (150, 150) minus that.
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(150, 150));
    m_preview->SetFlashOffset(10, 20, 0, 0);
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(10, 20));

    // Corner 3 scrolls the view to (404, 380); the clock keeps its place on the canvas, and a new
    // control opens at the view's top-left again.
    m_preview->ShowCorner(3);
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(10, 20));
    ASSERT_EQ(m_preview->AddFlash(kMovies + "weather.swf", 3), 1);
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(854 - 404, 630 - 380));
    m_preview->MoveFlashBy(5, -3, 1);
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(445, 253));

    // A smaller view after the wizard was resized and moved: every control stays on its place.
    m_preview->resize(500, 300);
    m_preview->FollowWindowMove();
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(10, 20));
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(445, 253));

    // The same corner again reloads its control with the new movie and size.
    EXPECT_EQ(m_preview->AddFlash(kMovies + "meter.swf", 0), 0);
    EXPECT_EQ(m_preview->FlashCount(), 2);
    EXPECT_EQ(m_preview->FlashPath(0), kMovies + "meter.swf");
    EXPECT_EQ(m_preview->GetFlashSize(0), QSize(200, 60));
    EXPECT_EQ(m_preview->FlashCorner(1), 3);
    // An opened package may hold a second control at a corner: it takes a slot of its own.
    EXPECT_EQ(m_preview->AddFlash(kMovies + "clock.swf", 0, false), 2);
    EXPECT_EQ(m_preview->FlashPath(0), kMovies + "meter.swf");
    EXPECT_EQ(m_preview->FlashCorner(2), 0);
    m_preview->RemoveFlash(2);

    // Not a movie, or no corner: nothing changes.
    EXPECT_EQ(m_preview->AddFlash(QStringLiteral(SKIN_SOURCE_DIR "/res/png/4.png"), 1), -1);
    EXPECT_EQ(m_preview->AddFlash(kMovies + "clock.swf", 4), -1);
    EXPECT_EQ(m_preview->FlashCount(), 2);
    EXPECT_FALSE(FlashEngineLoaded());
}

TEST_F(ControlsPreviewTest, PressSelectsTheTopmostControlAndDragsItAnywhereInItsRectangle)
{
    m_preview->AddFlash(kMovies + "meter.swf", 0);        // 200 x 60 at (0, 0)
    m_preview->AddFlash(kMovies + "weather.swf", 1);      // 120 x 60, above it
    m_preview->SetFlashOffset(854 - 100, 150 - 20, 1, 1); // view (100, 20)-(220, 80)

    // Where both lie the later one is grabbed; it is selected, dragged, and the page told.
    Drag(150, 50, 7, 4);
    EXPECT_EQ(m_preview->SelectedFlash(), 1);
    ASSERT_EQ(m_selected->count(), 1);
    EXPECT_EQ(m_selected->constFirst().constFirst().toInt(), 1);
    ASSERT_EQ(m_moved->count(), 1);
    EXPECT_EQ(m_moved->constFirst().constFirst().toInt(), 1);
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(854 - 107, 150 - 24));

    // The earlier one where only it lies, at a corner pixel of its rectangle.
    Drag(0, 59, 10, 0);
    EXPECT_EQ(m_preview->SelectedFlash(), 0);
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(140, 150));

    // The background selects nothing and moves nothing.
    Forget();
    Drag(400, 300, 10, 10);
    EXPECT_FALSE(Heard());
    EXPECT_EQ(m_preview->SelectedFlash(), 0);

    // Hidden controls take no press.
    m_preview->ShowFlash(false);
    Drag(150, 50, 5, 5);
    EXPECT_FALSE(Heard());
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(854 - 107, 150 - 24));
}

TEST_F(ControlsPreviewTest, OnlyThePartInsideThePreviewTakesTheMouse)
{
    m_preview->AddFlash(kMovies + "clock.swf", 0);
    // Dragged past the right edge: a drag is never stopped, the part outside is cut off.
    Drag(40, 40, 600 - 40 - 30, 0); // now at (530, 0)-(610, 80): 70 pixels inside
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(150 - 530, 150));
    m_preview->SelectFlash(-1);
    Forget();
    Mouse(m_preview, QEvent::MouseButtonPress, 605, 40, Qt::LeftButton);
    Mouse(m_preview, QEvent::MouseButtonRelease, 605, 40, Qt::NoButton);
    EXPECT_EQ(m_preview->SelectedFlash(), -1);
    EXPECT_FALSE(Heard());
    Drag(595, 40, -100, 0);
    EXPECT_EQ(m_preview->SelectedFlash(), 0);
    EXPECT_EQ(m_preview->GetFlashOffset(0), QPoint(150 - 430, 150));
}

TEST_F(ControlsPreviewTest, RemovingMovesLaterControlsDownAndClearsTheSelection)
{
    m_preview->AddFlash(kMovies + "clock.swf", 0);
    m_preview->AddFlash(kMovies + "weather.swf", 1);
    m_preview->AddFlash(kMovies + "meter.swf", 2);
    m_preview->SetFlashOffset(3, 4, 2, 2);
    m_preview->SelectFlash(2);
    m_preview->RemoveFlash(0);
    ASSERT_EQ(m_preview->FlashCount(), 2);
    EXPECT_EQ(m_preview->SelectedFlash(), -1);
    EXPECT_EQ(m_preview->FlashCorner(0), 1);
    EXPECT_EQ(m_preview->FlashPath(1), kMovies + "meter.swf");
    EXPECT_EQ(m_preview->GetFlashOffset(1), QPoint(3, 4));
    m_preview->RemoveFlash(5);
    EXPECT_EQ(m_preview->FlashCount(), 2);
    m_preview->RemoveAllFlash();
    EXPECT_EQ(m_preview->FlashCount(), 0);
    EXPECT_EQ(m_preview->AddFlash(kMovies + "clock.swf", 3), 0);
}

TEST(FlashWnd, OffsetFromTheLoadPlaceDraggableAndClosed)
{
    QWidget anchor;
    anchor.resize(300, 200);
    CFlashWnd window(&anchor, nullptr);
    EXPECT_FALSE(window.OpenMovie(QStringLiteral(SKIN_SOURCE_DIR "/res/png/4.png")));
    EXPECT_TRUE(window.VisibleRect().isEmpty());
    ASSERT_TRUE(window.OpenMovie(kMovies + "weather.swf"));
    EXPECT_EQ(window.GetOffset(), QPoint(0, 0));
    window.PlaceAtOffset(250, 30);
    EXPECT_EQ(window.GetOffset(), QPoint(250, 30));
    EXPECT_EQ(window.VisibleRect(), QRect(250, 30, 50, 60));
    window.SetDraggable(false);
    EXPECT_FALSE(window.HitTest({260, 40}));
    window.SetDraggable(true);
    EXPECT_TRUE(window.HitTest({260, 40}));
    window.CloseMovie();
    EXPECT_FALSE(window.HitTest({260, 40}));
}
