#pragma once
// "选择控件": the control gallery, a small fixed-size window above the wizard and its flash
// controls, filled by the gallery page (CAppWebWnd). A control the page picks is taken from the
// control cache or downloaded into it while the progress dialog shows; then controlDownloaded
// gives the control's name and file, or the user is told that the download failed. Made on first
// use, then hidden and shown again.
#include "flash/ui/CDownloadRequest.h"

#include <QDialog>
#include <QUrl>

#include <memory>

class CGalleryView;
class CProgressDlg;

class CWebFlashWnd : public QDialog {
    Q_OBJECT
public:
    // The gallery page: SKINMAKER_SITE's, else the local web host's own (the host is started).
    static QUrl GalleryPageUrl();
    static QString FailureText() { return tr("下载失败,请稍后再试！"); }

    explicit CWebFlashWnd(QWidget* owner, const QUrl& galleryUrl = GalleryPageUrl());
    ~CWebFlashWnd() override;

    // Null when the flash engine module cannot be loaded.
    CGalleryView* View() const { return m_view.get(); }
    // Null until the first download starts.
    CProgressDlg* ProgressDialog() const { return m_progress; }
    CDownloadRequest& Request() { return m_request; }

signals:
    void controlDownloaded(const QString& name, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnDownloadStarted();
    void OnDownloadDone(bool success);

    CDownloadRequest m_request;
    std::unique_ptr<CGalleryView> m_view;
    CProgressDlg* m_progress = nullptr;
};
