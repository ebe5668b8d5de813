#include "flash/web/CAppWebWnd.h"

#include "flash/web/CFlashExternal.h"

#include <QFile>
#include <QLoggingCategory>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// The console of the gallery and help pages: off unless asked for
// (QT_LOGGING_RULES="skinmaker.web.pages.debug=true").
Q_LOGGING_CATEGORY(lcPagesConsole, "skinmaker.web.pages", QtWarningMsg)

// Hands the alerts of pages of the gallery's origin to the view's owner; other pages' alerts
// are dropped, as their calls are.
class GalleryPage : public QWebEnginePage {
public:
    GalleryPage(CAppWebWnd* view) : QWebEnginePage(view), m_view(view) {}

protected:
    void javaScriptAlert(const QUrl&, const QString& message) override
    {
        if (m_view->ShowsGalleryOrigin() && m_view->onAlert)
            m_view->onAlert(message);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override
    {
        qCDebug(lcPagesConsole, "%s:%d: %s", qUtf8Printable(source), line, qUtf8Printable(message));
    }

private:
    CAppWebWnd* m_view;
};

// Defines window.external.callflashdown before the page's own scripts run. The channel to the
// program connects only later, so calls made before that wait in a queue.
const char kBootstrap[] = R"JS(
(function () {
  "use strict";
  var external = null, queue = [];
  function callflashdown(text) {
    text = String(text);
    if (external) external.callflashdown(text); else queue.push(text);
  }
  try { window.external.callflashdown = callflashdown; } catch (e) {}
  if (!window.external || window.external.callflashdown !== callflashdown)
    Object.defineProperty(window, "external", {value: {callflashdown: callflashdown}, configurable: true});
  new QWebChannel(qt.webChannelTransport, function (channel) {
    external = channel.objects.flashExternal;
    var waiting = queue;
    queue = [];
    waiting.forEach(function (text) { external.callflashdown(text); });
  });
})();
)JS";

} // namespace

bool IsSameOrigin(const QUrl& a, const QUrl& b)
{
    if (!a.isValid() || !b.isValid() || a.host().isEmpty())
        return false;
    const auto defaultPort = [](const QUrl& url) {
        return url.scheme() == QLatin1String("https") ? 443 : 80;
    };
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(defaultPort(a)) == b.port(defaultPort(b));
}

QString CAppWebWnd::ExternalScript()
{
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    channelScript.open(QIODevice::ReadOnly);
    return QString::fromUtf8(channelScript.readAll()) + QString::fromUtf8(kBootstrap);
}

CAppWebWnd::CAppWebWnd(const QUrl& galleryUrl, QWidget* parent)
    : QWebEngineView(parent), m_galleryUrl(galleryUrl), m_channel(new QWebChannel(this))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    auto* page = new GalleryPage(this);
    setPage(page);

    m_channel->registerObject(QStringLiteral("flashExternal"), new CFlashExternal(this));
    page->setWebChannel(m_channel);
    QWebEngineScript script;
    script.setName(QStringLiteral("flashExternal"));
    script.setSourceCode(ExternalScript());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    page->scripts().insert(script);

    if (m_galleryUrl.isValid())
        load(m_galleryUrl);
}

void CAppWebWnd::RunScript(const QString& script)
{
    page()->runJavaScript(script);
}

bool CAppWebWnd::ShowsGalleryOrigin() const
{
    return IsSameOrigin(page()->url(), m_galleryUrl);
}

void CAppWebWnd::CallFlashDown(const QString& text)
{
    if (ShowsGalleryOrigin() && onFlashDown)
        onFlashDown(text);
}
