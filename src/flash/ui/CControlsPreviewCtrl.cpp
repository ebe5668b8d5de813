#include "flash/ui/CControlsPreviewCtrl.h"

#include "flash/ui/LocalWebHost.h"

#include <QDir>
#include <QMouseEvent>

// The control windows and the stage that plays them follow; until then no control is held.
class CFlashWnd {};
class CFlashStage {};

CControlsPreviewCtrl::CControlsPreviewCtrl(QWidget* parent) : CPlayerCanvasCtrl(parent)
{
    SetItemsEnabled(false);
}

CControlsPreviewCtrl::~CControlsPreviewCtrl() = default;

int CControlsPreviewCtrl::AddFlash(const QString&, int)
{
    return -1;
}

void CControlsPreviewCtrl::RemoveFlash(int) {}

void CControlsPreviewCtrl::RemoveAllFlash() {}

void CControlsPreviewCtrl::SetFlashOffset(int, int, int, int) {}

QPoint CControlsPreviewCtrl::GetFlashOffset(int) const
{
    return {};
}

QSize CControlsPreviewCtrl::GetFlashSize(int) const
{
    return {};
}

void CControlsPreviewCtrl::MoveFlashBy(int, int, int) {}

void CControlsPreviewCtrl::SelectFlash(int index)
{
    m_selected = IsIndex(index) ? index : -1;
}

int CControlsPreviewCtrl::SelectedFlash() const
{
    return m_selected;
}

void CControlsPreviewCtrl::ShowFlash(bool visible)
{
    m_visible = visible;
}

void CControlsPreviewCtrl::FollowWindowMove() {}

int CControlsPreviewCtrl::FlashCount() const
{
    return static_cast<int>(m_flash.size());
}

int CControlsPreviewCtrl::FlashCorner(int) const
{
    return -1;
}

QString CControlsPreviewCtrl::FlashPath(int) const
{
    return {};
}

bool CControlsPreviewCtrl::FlashPlaybackAvailable()
{
    const QDir folder(LocalWebHost::PlayerFolder());
    return folder.exists(QStringLiteral("ruffle.js")) &&
           !folder.entryList({QStringLiteral("*.wasm")}, QDir::Files).isEmpty();
}

QString CControlsPreviewCtrl::FlashPlaybackMissingText()
{
    return tr("Flash playback is not installed: the controls are kept and saved, but not played.");
}

void CControlsPreviewCtrl::ShowCorner(int corner)
{
    CPlayerCanvasCtrl::ShowCorner(corner);
}

void CControlsPreviewCtrl::ScrollBy(int dx, int dy)
{
    CPlayerCanvasCtrl::ScrollBy(dx, dy);
}

void CControlsPreviewCtrl::mousePressEvent(QMouseEvent* event)
{
    CPlayerCanvasCtrl::mousePressEvent(event);
}

void CControlsPreviewCtrl::mouseMoveEvent(QMouseEvent* event)
{
    CPlayerCanvasCtrl::mouseMoveEvent(event);
}

void CControlsPreviewCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    CPlayerCanvasCtrl::mouseReleaseEvent(event);
}

void CControlsPreviewCtrl::resizeEvent(QResizeEvent* event)
{
    CPlayerCanvasCtrl::resizeEvent(event);
}

void CControlsPreviewCtrl::moveEvent(QMoveEvent* event)
{
    CPlayerCanvasCtrl::moveEvent(event);
}

void CControlsPreviewCtrl::showEvent(QShowEvent* event)
{
    CPlayerCanvasCtrl::showEvent(event);
}

bool CControlsPreviewCtrl::IsIndex(int index) const
{
    return index >= 0 && index < FlashCount();
}

int CControlsPreviewCtrl::HitTest(const QPoint&) const
{
    return -1;
}

void CControlsPreviewCtrl::EnsureStage() {}

void CControlsPreviewCtrl::PlaceAll() {}

void CControlsPreviewCtrl::SendToPage(int, int) {}
