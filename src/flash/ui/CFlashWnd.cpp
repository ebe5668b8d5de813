#include "flash/ui/CFlashWnd.h"

#include "flash/core/SwfHeader.h"
#include "flash/web/CFlashStage.h"

#include <QWidget>

CFlashWnd::CFlashWnd(QWidget* anchor, CFlashStage* stage) : m_anchor(anchor), m_stage(stage)
{
    if (m_stage != nullptr)
        m_movieId = m_stage->NewMovieId();
}

CFlashWnd::~CFlashWnd()
{
    if (m_stage != nullptr)
        m_stage->CloseMovie(m_movieId);
}

bool CFlashWnd::OpenMovie(const QString& path)
{
    m_path = path;
    const SwfFrameSize size = ReadSwfFrameSize(path);
    m_load = {0, 0};
    m_window = QRect(m_load, QSize(size.width, size.height));
    m_shown = true;
    if (m_stage != nullptr) {
        if (m_window.isEmpty())
            m_stage->CloseMovie(m_movieId);
        else
            m_stage->OpenMovie(m_movieId, path, m_window);
        SendState();
    }
    return size.ok;
}

void CFlashWnd::CloseMovie()
{
    m_path.clear();
    m_window = QRect(m_window.topLeft(), QSize(0, 0));
    m_shown = false;
    if (m_stage != nullptr)
        m_stage->CloseMovie(m_movieId);
}

void CFlashWnd::Show(bool visible)
{
    m_shown = visible;
    if (m_stage != nullptr)
        m_stage->ShowMovie(m_movieId, visible);
}

void CFlashWnd::SetDraggable(bool draggable)
{
    m_draggable = draggable;
}

void CFlashWnd::SetShaded(bool shaded)
{
    m_shaded = shaded;
    if (m_stage != nullptr)
        m_stage->ShadeMovie(m_movieId, shaded);
}

QPoint CFlashWnd::GetOffset() const
{
    return m_window.topLeft() - m_load;
}

void CFlashWnd::PlaceAtOffset(int dx, int dy)
{
    m_window.moveTopLeft(m_load + QPoint(dx, dy));
    Place();
}

void CFlashWnd::MoveBy(int dx, int dy)
{
    m_window.translate(dx, dy);
    Place();
}

void CFlashWnd::FollowAnchor()
{
    if (m_stage != nullptr)
        m_stage->FitAnchor();
    Place();
}

void CFlashWnd::AttachStage(CFlashStage* stage)
{
    if (m_stage != nullptr || stage == nullptr)
        return;
    m_stage = stage;
    m_movieId = m_stage->NewMovieId();
    if (!m_path.isEmpty() && !m_window.isEmpty())
        m_stage->OpenMovie(m_movieId, m_path, m_window);
    SendState();
}

QRect CFlashWnd::VisibleRect() const
{
    if (!m_shown || m_window.isEmpty())
        return {};
    return m_window & m_anchor->rect();
}

bool CFlashWnd::HitTest(const QPoint& point) const
{
    return m_draggable && VisibleRect().contains(point);
}

void CFlashWnd::Place()
{
    if (m_stage != nullptr)
        m_stage->MoveMovie(m_movieId, m_window.topLeft());
}

void CFlashWnd::SendState()
{
    m_stage->ShowMovie(m_movieId, m_shown);
    m_stage->ShadeMovie(m_movieId, m_shaded);
}
