#include "flash/ui/CControlsPreviewCtrl.h"

#include "flash/ui/CFlashWnd.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/CFlashStage.h"
#include "imaging/ImageLoading.h"
#include "skin/CornerItemsModel.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>

CControlsPreviewCtrl::CControlsPreviewCtrl(QWidget* parent) : CPlayerCanvasCtrl(parent)
{
    SetItemsEnabled(false);
    // The web view is drawn into the window like any widget (see PrepareWebEngine), so the
    // window keeps its native surface when the first control appears.
}

CControlsPreviewCtrl::~CControlsPreviewCtrl()
{
    // The boxes close their movies in the stage, so they go first.
    m_movies.clear();
}

void CControlsPreviewCtrl::SetModel(CornerItemsModel* model, QItemSelectionModel* selection)
{
    m_model = model;
    m_selection = selection;
    const auto sync = [this] { SetControls(m_model->Items()); };
    connect(model, &QAbstractItemModel::modelReset, this, sync);
    connect(model, &QAbstractItemModel::rowsInserted, this, sync);
    connect(model, &QAbstractItemModel::dataChanged, this, sync);
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        for (int row = last; row >= first; --row)
            RemoveControl(row);
        SetControls(m_model->Items());
    });
    connect(selection, &QItemSelectionModel::selectionChanged, this, &CControlsPreviewCtrl::FollowSelection);
    connect(model, &QAbstractItemModel::modelReset, this, &CControlsPreviewCtrl::FollowSelection);
    SetControls(m_model->Items());
    FollowSelection();
}

void CControlsPreviewCtrl::FollowSelection()
{
    const QModelIndexList rows = m_selection->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    m_selected = IsIndex(row) ? row : -1;
    for (int i = 0; i < FlashCount(); ++i)
        m_movies[i]->SetShaded(i == m_selected);
}

void CControlsPreviewCtrl::SetControls(const QList<CornerItem>& controls)
{
    m_controls = controls;
    if (!m_controls.isEmpty())
        PrepareStage();
    m_movies.resize(m_controls.size());
    for (auto& movie : m_movies) {
        if (!movie) {
            movie = std::make_unique<CFlashWnd>(m_stage.get());
            movie->Show(m_visible);
        }
    }
    if (!IsIndex(m_selected))
        m_selected = -1;
    if (!IsIndex(m_dragging))
        m_dragging = -1;
    PlaceMovies();
}

void CControlsPreviewCtrl::RemoveControl(int index)
{
    if (!IsIndex(index))
        return;
    m_controls.removeAt(index);
    m_movies.erase(m_movies.begin() + index);
    m_dragging = -1;
    if (m_selection == nullptr)
        SelectFlash(-1);
}

QRect CControlsPreviewCtrl::ControlRect(int index) const
{
    if (!IsIndex(index))
        return {};
    const CornerItem& control = m_controls[index];
    return {Anchor(control.corner) - control.offset - Scroll(), control.size};
}

void CControlsPreviewCtrl::SelectFlash(int index)
{
    if (m_selection != nullptr) {
        if (IsIndex(index))
            m_selection->setCurrentIndex(m_model->index(index, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            m_selection->clear();
        return;
    }
    m_selected = IsIndex(index) ? index : -1;
    for (int i = 0; i < FlashCount(); ++i)
        m_movies[i]->SetShaded(i == m_selected);
}

void CControlsPreviewCtrl::ShowFlash(bool visible)
{
    m_visible = visible;
    for (auto& movie : m_movies)
        movie->Show(visible);
    SyncStageVisible();
    if (!visible)
        m_dragging = -1;
    SyncOverlay();
    update();
}

void CControlsPreviewCtrl::FollowWindowMove()
{
    if (m_stage)
        m_stage->FitAnchor();
    ShowCorner(CurrentCorner());
}

void CControlsPreviewCtrl::PrepareStage()
{
    if (m_stage || m_stagePending || !FlashPlaybackAvailable())
        return;
    m_stagePending = true;
    PreloadFlashEngine(this, [this] {
        m_stagePending = false;
        EnsureStage();
    });
}

bool CControlsPreviewCtrl::StageReady() const
{
    return m_stage && m_stage->IsLoaded();
}

bool CControlsPreviewCtrl::FlashPlaybackAvailable()
{
    return FlashPlayerInstalled();
}

QString CControlsPreviewCtrl::FlashPlaybackMissingText()
{
    return tr("未安装Flash播放组件：控件仍可添加、保存和打开，但不能在预览中播放。");
}

void CControlsPreviewCtrl::ViewChanged()
{
    PlaceMovies();
    SyncOverlay();
}

void CControlsPreviewCtrl::DrawOverlay(QPainter& painter)
{
    // With a loaded stage the overlay lies in the page, above the movies, and painting it here as
    // well would darken it.
    if (!StageShowsOverlay())
        Look().DrawTabOverlay(painter, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, kChromeHeight);
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
    const QPoint delta = point - m_dragLast;
    m_dragLast = point;
    if (!delta.isNull())
        emit flashDragged(m_dragging, delta);
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

void CControlsPreviewCtrl::showEvent(QShowEvent* event)
{
    CPlayerCanvasCtrl::showEvent(event);
    window()->installEventFilter(this);
    SyncStageVisible();
}

bool CControlsPreviewCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && watched == window())
        SyncStageVisible();
    return CPlayerCanvasCtrl::eventFilter(watched, event);
}

void CControlsPreviewCtrl::SyncStageVisible()
{
    if (m_stage)
        m_stage->SetVisible(m_visible && !window()->isMinimized());
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
        if ((ControlRect(i) & rect()).contains(point))
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
    SyncStageVisible();
    m_stage->onLoaded = [this] {
        m_overlaySent.clear();
        SyncOverlay();
        update();
    };
    m_stage->onFirstFrame = [this](int) { emit firstFrameDrawn(); };
    for (auto& movie : m_movies)
        movie->AttachStage(m_stage.get());
}

void CControlsPreviewCtrl::PlaceMovies()
{
    for (int i = 0; i < FlashCount(); ++i)
        m_movies[i]->Play(m_controls[i].file, ControlRect(i));
}

void CControlsPreviewCtrl::SyncOverlay()
{
    if (!StageShowsOverlay())
        return;
    const QString resource = PngResourcePath(Look().IsTabTextWhite() ? 137 : 4);
    const QRect place(QPoint(kWindowLeft, kWindowTop) - Scroll(),
                      QSize(kWindowRight - kWindowLeft, kChromeHeight));
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
