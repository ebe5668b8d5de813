#pragma once
// The gallery's web view. It shows the gallery page without a context menu and hands on the
// page's alerts. The page gets window.external.callflashdown(text), which reaches onFlashDown only
// while the page shown has the gallery's origin.
#include "flash/web/CGalleryView.h"

#include <QUrl>
#include <QWebEngineView>

class QWebChannel;

class CAppWebWnd : public QWebEngineView, public CGalleryView {
    Q_OBJECT
public:
    // Opens galleryUrl at once.
    CAppWebWnd(const QUrl& galleryUrl, QWidget* parent);

    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override { load(url); }
    void RunScript(const QString& script) override;
    bool ShowsGalleryOrigin() const override;
    // Called by the page (through the script interface).
    void CallFlashDown(const QString& text);

    // The script made part of every gallery document before the page's own scripts run.
    static QString ExternalScript();

private:
    QUrl m_galleryUrl;
    QWebChannel* m_channel;
};

// Same scheme, host and port (a missing port counts as the scheme's default).
bool IsSameOrigin(const QUrl& a, const QUrl& b);
