#include "flash/ui/CWebFlashWnd.h"

#include "flash/ui/CProgressDlg.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/CGalleryView.h"
#include "platform/SiteLinks.h"
#include "ui/CDialogProvider.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

QUrl CWebFlashWnd::GalleryPageUrl()
{
    const QString path = SitePath(SitePage::ControlGallery);
    if (!qEnvironmentVariableIsEmpty("SKINMAKER_SITE"))
        return QUrl(SiteUrl(path));
    const QString base = LocalSiteBaseUrl();
    return base.isEmpty() ? QUrl() : QUrl(base + path);
}

CWebFlashWnd::CWebFlashWnd(QWidget* owner, const QUrl& galleryUrl) : QDialog(owner)
{
    setWindowTitle(tr("选择控件"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setFixedSize(244 * 6 / 4, 222 * 13 / 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = CreateGalleryView(this, galleryUrl);
    if (m_view) {
        m_view->Widget()->setObjectName(QStringLiteral("view2000"));
        layout->addWidget(m_view->Widget());
        m_view->onFlashDown = [this](const QString& text) { m_request.HandleRequest(text); };
        m_view->onAlert = [this](const QString& text) {
            CDialogProvider::Instance().MessageBox(this, text, QStringLiteral("Custom Browser"),
                                                   QMessageBox::Ok, IconOf(MessageKind::Information));
        };
    }

    // Escape closes the window even while the page has the focus: the web view keeps every key
    // it is given, so the key is looked at before it reaches the view.
    qApp->installEventFilter(this);

    // The progress dialog shows once the event loop runs again; by then the download may be over.
    connect(&m_request, &CDownloadRequest::DownloadStarted, this, &CWebFlashWnd::OnDownloadStarted,
            Qt::QueuedConnection);
    connect(&m_request, &CDownloadRequest::DownloadDone, this, &CWebFlashWnd::OnDownloadDone);
    connect(&m_request, &CDownloadRequest::DownloadProgress, this, [this](qint64 received, qint64 total) {
        if (m_progress)
            m_progress->SetProgress(received, total);
    });
}

CWebFlashWnd::~CWebFlashWnd()
{
    qApp->removeEventFilter(this);
    m_request.CancelDownload();
}

bool CWebFlashWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CWebFlashWnd::OnDownloadStarted()
{
    // A download that ended before this queued start arrived needs no dialog any more.
    if (!m_request.IsBusy())
        return;
    if (!m_progress) {
        m_progress = new CProgressDlg(this);
        connect(m_progress, &CProgressDlg::CancelPressed, this, [this] { m_request.CancelDownload(); });
    }
    m_progress->ShowCentred();
}

void CWebFlashWnd::OnDownloadDone(bool success)
{
    if (m_progress)
        m_progress->hide();
    if (!success) {
        // Captioned with the name the user knows the program by, not its ASCII id.
        CDialogProvider::Instance().MessageBox(this, FailureText(), QGuiApplication::applicationDisplayName(),
                                               QMessageBox::Ok, IconOf(MessageKind::Failure));
        return;
    }
    emit controlDownloaded(m_request.Name(), m_request.LocalPath());
}
