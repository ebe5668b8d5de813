#include "app/CSkinViewerWnd.h"

#include "controls/CLinkLabel.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CFlashWnd.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/CFlashStage.h"
#include "skin/SkinPackage.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room the items take outside the player window: left, top, right, bottom.
QMargins ItemMargins(const SkinViewPicture::Layout& layout)
{
    const QRect& w = layout.window;
    return {w.left(), w.top(), layout.canvas.width() - w.right() - 1,
            layout.canvas.height() - w.bottom() - 1};
}

} // namespace

CSkinViewerWnd::CSkinViewerWnd(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("皮肤预览"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_missingRow = new QWidget(this);
    auto* row = new QHBoxLayout(m_missingRow);
    row->setContentsMargins(8, 6, 8, 6);
    m_missing = new QLabel(tr("没有找到音乐盒，下面是皮肤穿在音乐盒上的样子。"), m_missingRow);
    m_install = new CLinkLabel(m_missingRow);
    m_install->setText(tr("安装音乐盒"));
    m_install->SetSitePage(SitePage::Home);
    row->addWidget(m_missing);
    row->addWidget(m_install);
    row->addStretch();
    m_missingRow->hide();
    column->addWidget(m_missingRow);

    m_flashNote = new QLabel(this);
    m_flashNote->setContentsMargins(8, 4, 8, 4);
    m_flashNote->hide();
    column->addWidget(m_flashNote);

    m_openWarning = new QLabel(this);
    m_openWarning->setContentsMargins(8, 4, 8, 4);
    m_openWarning->setWordWrap(true);
    m_openWarning->hide();
    column->addWidget(m_openWarning);

    m_canvas = new QWidget(this);
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas->installEventFilter(this);
    column->addWidget(m_canvas, 1);
    resize(kPlayerDefaultSize + QSize(80, 80));
}

CSkinViewerWnd::~CSkinViewerWnd()
{
    m_movies.clear(); // the movies close on the stage before it goes
}

bool CSkinViewerWnd::OpenPackageFile(const QString& packagePath, QString* error)
{
    SkinContent skin;
    const OpenResult opened = OpenPackage(packagePath, skin);
    SkinViewResult view;
    if (opened.ok)
        view = SkinViewOfSkin(skin);
    if (!opened.ok || !view.ok) {
        if (error != nullptr)
            *error = opened.ok ? view.error : opened.error;
        return false;
    }
    setWindowTitle(tr("皮肤预览 - %1").arg(QFileInfo(packagePath).fileName()));
    m_openWarning->setText(opened.warning);
    m_openWarning->setVisible(!opened.warning.isEmpty());
    SetView(std::move(view.view));
    return true;
}

void CSkinViewerWnd::SetView(SkinView view)
{
    m_skin.SetView(std::move(view));
    m_movies.clear();
    const qsizetype controls = m_skin.View().controls.size();
    if (controls > 0 && !m_stage && CControlsPreviewCtrl::FlashPlaybackAvailable())
        m_stage = CreateFlashStage(m_canvas);
    if (m_stage) {
        for (qsizetype i = 0; i < controls; ++i)
            m_movies.push_back(std::make_unique<CFlashWnd>(m_stage.get()));
    }
    m_flashNote->setVisible(controls > 0 && !m_stage);
    m_flashNote->setText(tr("Flash 播放组件不可用：控件画成标有文件名的方框。"));
    // The canvas may not be narrower than the header's outer strips, nor lower than the title bar.
    const QMargins margins = ItemMargins(m_skin.LayOut(kPlayerDefaultSize));
    m_canvas->setMinimumSize(m_skin.MinimumWidth() + margins.left() + margins.right(),
                             kPlayerMinimumHeight + margins.top() + margins.bottom());
    Relayout();
}

void CSkinViewerWnd::SetPlayerMissing(bool missing)
{
    m_missingRow->setVisible(missing);
}

bool CSkinViewerWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas) {
        if (event->type() == QEvent::Resize) {
            Relayout();
        } else if (event->type() == QEvent::Paint) {
            QPainter painter(m_canvas);
            painter.fillRect(m_canvas->rect(), QColor(192, 192, 192));
            // The player draws the skin at its own pixels; a scaled screen enlarges them smoothly.
            painter.setRenderHint(QPainter::SmoothPixmapTransform, m_canvas->devicePixelRatioF() != 1.0);
            painter.drawImage(0, 0, m_picture);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CSkinViewerWnd::Relayout()
{
    if (m_skin.View().header.isNull())
        return;
    const QMargins margins = ItemMargins(m_skin.LayOut(kPlayerDefaultSize));
    m_window = QSize(std::max(m_skin.MinimumWidth(), m_canvas->width() - margins.left() - margins.right()),
                     std::max(kPlayerMinimumHeight, m_canvas->height() - margins.top() - margins.bottom()));
    m_layout = m_skin.LayOut(m_window);
    m_picture = m_skin.Render(m_window, !m_stage);
    PlaceMovies();
    m_canvas->update();
}

void CSkinViewerWnd::PlaceMovies()
{
    if (!m_stage)
        return;
    m_stage->FitAnchor();
    const QList<SkinViewItem>& controls = m_skin.View().controls;
    for (size_t i = 0; i < m_movies.size(); ++i)
        m_movies[i]->Play(controls[static_cast<qsizetype>(i)].file,
                          m_layout.controls[static_cast<qsizetype>(i)]);
}
