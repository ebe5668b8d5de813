#pragma once
// The gallery's web view as the program sees it: a widget showing the gallery page, which offers
// the page window.external.callflashdown(text) and hands on only calls made while the page shown
// has the gallery's origin. Implemented in the flash engine module (see FlashEngineModule.h), so
// this header stays free of the web engine.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

class CGalleryView {
public:
    virtual ~CGalleryView() = default;

    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    // Runs a script in the page shown (tests use it to press a page's buttons).
    virtual void RunScript(const QString& script) = 0;
    // True when the page now shown has the gallery's scheme, host and port; decided on the page's
    // own address, never on anything the page says.
    virtual bool ShowsGalleryOrigin() const = 0;

    // The text of a callflashdown call from a page of the gallery's origin.
    std::function<void(const QString& text)> onFlashDown;
    // The text of a script alert of the page.
    std::function<void(const QString& text)> onAlert;
};
