#pragma once
// The gallery's web view. It shows the gallery page without a context menu and shows the page's
// alerts in a message box. The page gets window.external.callflashdown(text), which reaches
// FlashDownRequested only while the page shown has the gallery's origin.
#include <QUrl>
#include <QWebEngineView>

class QWebChannel;

class CAppWebWnd : public QWebEngineView {
    Q_OBJECT
public:
    // Opens galleryUrl at once.
    CAppWebWnd(const QUrl& galleryUrl, QWidget* parent);

    const QUrl& GalleryUrl() const { return m_galleryUrl; }
    // True when the page now shown has the gallery's scheme, host and port; decided here on the
    // page's own address, never on anything the page says.
    bool ShowsGalleryOrigin() const;
    // Called by the page (through the script interface).
    void CallFlashDown(const QString& text);

    // The script made part of every gallery document before the page's own scripts run.
    static QString ExternalScript();

signals:
    void FlashDownRequested(const QString& text);

private:
    QUrl m_galleryUrl;
    QWebChannel* m_channel;
};

// Same scheme, host and port (a missing port counts as the scheme's default).
bool IsSameOrigin(const QUrl& a, const QUrl& b);
