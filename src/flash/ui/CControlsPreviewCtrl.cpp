#include "flash/ui/CControlsPreviewCtrl.h"

#include "flash/core/SwfHeader.h"
#include "flash/ui/CFlashWnd.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/CFlashStage.h"
#include "imaging/ImageLoading.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kHeaderHeight = 64;

bool IsCorner(int corner)
{
    return corner >= 0 && corner < 4;
}

} // namespace

CControlsPreviewCtrl::CControlsPreviewCtrl(QWidget* parent) : CPlayerCanvasCtrl(parent)
{
    SetItemsEnabled(false);
}

CControlsPreviewCtrl::~CControlsPreviewCtrl()
{
    // The controls close their movies in the stage, so they go first.
    m_flash.clear();
}

int CControlsPreviewCtrl::AddFlash(const QString& path, int corner, bool reuseCorner)
{
    if (!IsCorner(corner) || !ReadSwfFrameSize(path).ok)
        return -1;
    int index = -1;
    for (int i = 0; i < FlashCount() && reuseCorner; ++i) {
        if (m_flash[i].corner == corner)
            index = i;
    }
    if (index < 0) {
        if (FlashCount() >= kMaxFlash)
            return -1;
        EnsureStage();
        m_flash.push_back({std::make_unique<CFlashWnd>(this, m_stage.get()), corner});
        index = FlashCount() - 1;
    }
    CFlashWnd& window = *m_flash[index].window;
    window.OpenMovie(path);
    window.Show(m_visible);
    return index;
}

void CControlsPreviewCtrl::RemoveFlash(int index)
{
    if (!IsIndex(index))
        return;
    m_flash.erase(m_flash.begin() + index);
    SelectFlash(-1);
    m_dragging = -1;
}

void CControlsPreviewCtrl::RemoveAllFlash()
{
    m_flash.clear();
    m_selected = -1;
    m_dragging = -1;
}

void CControlsPreviewCtrl::SetFlashOffset(int x, int y, int corner, int index)
{
    if (!IsIndex(index) || !IsCorner(corner))
        return;
    m_flash[index].corner = corner;
    const QPoint target = Anchor(corner) - QPoint(x, y) - Scroll();
    const QPoint shift = target - m_flash[index].window->WindowRect().topLeft();
    m_flash[index].window->MoveBy(shift.x(), shift.y());
}

QPoint CControlsPreviewCtrl::GetFlashOffset(int index) const
{
    if (!IsIndex(index))
        return {};
    return Anchor(m_flash[index].corner) - (m_flash[index].window->WindowRect().topLeft() + Scroll());
}

QSize CControlsPreviewCtrl::GetFlashSize(int index) const
{
    return IsIndex(index) ? m_flash[index].window->StageSize() : QSize();
}

void CControlsPreviewCtrl::MoveFlashBy(int dx, int dy, int index)
{
    if (IsIndex(index))
        m_flash[index].window->MoveBy(dx, dy);
}

void CControlsPreviewCtrl::SelectFlash(int index)
{
    m_selected = IsIndex(index) ? index : -1;
    for (int i = 0; i < FlashCount(); ++i)
        m_flash[i].window->SetShaded(i == m_selected);
}

int CControlsPreviewCtrl::SelectedFlash() const
{
    return m_selected;
}

void CControlsPreviewCtrl::ShowFlash(bool visible)
{
    m_visible = visible;
    for (Slot& slot : m_flash)
        slot.window->Show(visible);
    if (m_stage)
        m_stage->SetVisible(visible);
    if (!visible)
        m_dragging = -1;
    update();
}

void CControlsPreviewCtrl::FollowWindowMove()
{
    for (Slot& slot : m_flash)
        slot.window->FollowAnchor();
    ShowCorner(CurrentCorner());
}

int CControlsPreviewCtrl::FlashCount() const
{
    return static_cast<int>(m_flash.size());
}

int CControlsPreviewCtrl::FlashCorner(int index) const
{
    return IsIndex(index) ? m_flash[index].corner : -1;
}

QString CControlsPreviewCtrl::FlashPath(int index) const
{
    return IsIndex(index) ? m_flash[index].window->Path() : QString();
}

bool CControlsPreviewCtrl::FlashPlaybackAvailable()
{
    return FlashPlayerInstalled();
}

QString CControlsPreviewCtrl::FlashPlaybackMissingText()
{
    return QStringLiteral("未安装Flash播放组件：控件仍可添加、保存和打开，但不能在预览中播放。");
}

void CControlsPreviewCtrl::ShowCorner(int corner)
{
    const QPoint before = Scroll();
    CPlayerCanvasCtrl::ShowCorner(corner);
    FollowScroll(before);
}

void CControlsPreviewCtrl::ScrollBy(int dx, int dy)
{
    const QPoint before = Scroll();
    CPlayerCanvasCtrl::ScrollBy(dx, dy);
    FollowScroll(before);
}

void CControlsPreviewCtrl::DrawOverlay(QPainter& painter)
{
    // Without a loaded stage the overlay is painted here; with one it lies in the page, above the
    // movies, and painting it here as well would darken it.
    if (StageShowsOverlay())
        SyncOverlay();
    else
        Look().DrawTabOverlay(painter, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, kHeaderHeight);
}

void CControlsPreviewCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const int index = event->button() == Qt::LeftButton ? HitTest(point) : -1;
    if (index < 0) {
        CPlayerCanvasCtrl::mousePressEvent(event);
        return;
    }
    SelectFlash(index);
    m_dragging = index;
    m_dragLast = point;
    setCursor(Qt::PointingHandCursor);
    emit flashSelected(index);
}

void CControlsPreviewCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_dragging < 0) {
        setCursor(HitTest(point) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        CPlayerCanvasCtrl::mouseMoveEvent(event);
        return;
    }
    const QPoint shift = point - m_dragLast;
    m_dragLast = point;
    if (shift.isNull())
        return;
    m_flash[m_dragging].window->MoveBy(shift.x(), shift.y());
    emit flashMoved(m_dragging);
}

void CControlsPreviewCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_dragging >= 0) {
        m_dragging = -1;
        setCursor(HitTest(event->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        return;
    }
    CPlayerCanvasCtrl::mouseReleaseEvent(event);
}

void CControlsPreviewCtrl::resizeEvent(QResizeEvent* event)
{
    CPlayerCanvasCtrl::resizeEvent(event);
    if (m_stage)
        m_stage->FitAnchor();
}

bool CControlsPreviewCtrl::IsIndex(int index) const
{
    return index >= 0 && index < FlashCount();
}

int CControlsPreviewCtrl::HitTest(const QPoint& point) const
{
    if (!m_visible)
        return -1;
    // Later controls lie above earlier ones.
    for (int i = FlashCount() - 1; i >= 0; --i) {
        if (m_flash[i].window->HitTest(point))
            return i;
    }
    return -1;
}

void CControlsPreviewCtrl::EnsureStage()
{
    if (m_stage || !FlashPlaybackAvailable())
        return;
    m_stage = CreateFlashStage(this);
    if (!m_stage)
        return;
    m_stage->SetVisible(m_visible);
    m_stage->onLoaded = [this] {
        m_overlaySent.clear();
        update();
    };
    for (Slot& slot : m_flash)
        slot.window->AttachStage(m_stage.get());
}

void CControlsPreviewCtrl::FollowScroll(const QPoint& before)
{
    const QPoint shift = before - Scroll();
    if (shift.isNull())
        return;
    for (Slot& slot : m_flash)
        slot.window->MoveBy(shift.x(), shift.y());
    if (StageShowsOverlay())
        SyncOverlay();
}

void CControlsPreviewCtrl::SyncOverlay()
{
    const QString resource = PngResourcePath(Look().IsTabTextWhite() ? 137 : 4);
    const QRect place(QPoint(kWindowLeft, kWindowTop) - Scroll(),
                      QSize(kWindowRight - kWindowLeft, kHeaderHeight));
    const QString sent = QStringLiteral("%1 %2 %3").arg(resource).arg(place.x()).arg(place.y());
    if (sent == m_overlaySent)
        return;
    m_overlaySent = sent;
    m_stage->SetOverlay(resource, place);
}

bool CControlsPreviewCtrl::StageShowsOverlay() const
{
    return m_stage && m_stage->IsLoaded() && m_visible;
}
