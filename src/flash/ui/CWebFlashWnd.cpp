#include "flash/ui/CWebFlashWnd.h"

#include "flash/ui/CProgressDlg.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/CGalleryView.h"
#include "platform/SiteLinks.h"
#include "ui/CDialogProvider.h"
#include "ui/PageMessages.h"

#include <QCoreApplication>
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
    setWindowTitle(QStringLiteral("选择控件"));
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
                                                   QMessageBox::Ok, QMessageBox::Critical);
        };
    }

    // The start is posted and the result sent, as the page messages between them say.
    connect(&m_request, &CDownloadRequest::DownloadStarted, this,
            [this] { QCoreApplication::postEvent(this, new CPageEvent(PM_DOWNLOAD_STARTED)); });
    connect(&m_request, &CDownloadRequest::DownloadDone, this, [this](bool success) {
        CPageEvent done(PM_DOWNLOAD_DONE, 0, success ? 1 : 0);
        SendPageMessage(this, done);
    });
    connect(&m_request, &CDownloadRequest::DownloadProgress, this, [this](qint64 received, qint64 total) {
        if (m_progress)
            m_progress->SetProgress(received, total);
    });
}

CWebFlashWnd::~CWebFlashWnd()
{
    m_request.CancelDownload();
}

bool CWebFlashWnd::event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case PM_DOWNLOAD_STARTED:
        OnDownloadStarted();
        return true;
    case PM_DOWNLOAD_DONE:
        OnDownloadDone(static_cast<CPageEvent*>(event)->lParam == 1);
        return true;
    default:
        return QDialog::event(event);
    }
}

void CWebFlashWnd::OnDownloadStarted()
{
    // A download that ended before this posted start arrived needs no dialog any more.
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
        CDialogProvider::Instance().MessageBox(this, FailureText(), QCoreApplication::applicationName(),
                                               QMessageBox::Ok);
        return;
    }
    if (!m_notify)
        return;
    CPageEvent added(PM_DOWNLOAD_DONE, 0, 1);
    added.path = m_request.LocalPath();
    added.name = m_request.Name();
    SendPageMessage(m_notify, added);
}
