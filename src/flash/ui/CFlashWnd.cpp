#include "flash/ui/CFlashWnd.h"

#include "flash/web/CFlashStage.h"

CFlashWnd::CFlashWnd(CFlashStage* stage) : m_stage(stage)
{
    if (m_stage != nullptr)
        m_movieId = m_stage->NewMovieId();
}

CFlashWnd::~CFlashWnd()
{
    if (m_stage != nullptr)
        m_stage->CloseMovie(m_movieId);
}

void CFlashWnd::Play(const QString& path, const QRect& rect)
{
    const bool reopen = path != m_path || rect.size() != m_rect.size();
    m_path = path;
    m_rect = rect;
    if (m_stage == nullptr)
        return;
    if (reopen) {
        m_stage->OpenMovie(m_movieId, m_path, m_rect);
        SendState();
    } else {
        m_stage->MoveMovie(m_movieId, m_rect.topLeft());
    }
}

void CFlashWnd::Show(bool visible)
{
    m_shown = visible;
    if (m_stage != nullptr)
        m_stage->ShowMovie(m_movieId, visible);
}

void CFlashWnd::SetShaded(bool shaded)
{
    m_shaded = shaded;
    if (m_stage != nullptr)
        m_stage->ShadeMovie(m_movieId, shaded);
}

void CFlashWnd::AttachStage(CFlashStage* stage)
{
    if (m_stage != nullptr || stage == nullptr)
        return;
    m_stage = stage;
    m_movieId = m_stage->NewMovieId();
    if (!m_path.isEmpty())
        m_stage->OpenMovie(m_movieId, m_path, m_rect);
    SendState();
}

void CFlashWnd::SendState()
{
    m_stage->ShowMovie(m_movieId, m_shown);
    m_stage->ShadeMovie(m_movieId, m_shaded);
}
