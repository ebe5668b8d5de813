#include "flash/web/CWebFlashStage.h"

#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// A call of a page function with its arguments written as JSON, so no text can break out.
QString Call(const char* function, const QJsonArray& arguments)
{
    const QByteArray list = QJsonDocument(arguments).toJson(QJsonDocument::Compact);
    return QString::fromLatin1(function) + QLatin1Char('(') +
           QString::fromUtf8(list.mid(1, list.size() - 2)) + QStringLiteral(");");
}

// The stage page's console: "frame <id>" tells that a movie has drawn its first frame; the rest
// (the player's own notes) goes to a logging category that is off unless asked for
// (QT_LOGGING_RULES="skinmaker.web.stage.debug=true").
Q_LOGGING_CATEGORY(lcStageConsole, "skinmaker.web.stage", QtWarningMsg)

class StagePage : public QWebEnginePage {
public:
    StagePage(QObject* parent, CFlashStage& stage) : QWebEnginePage(parent), m_stage(stage) {}

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override
    {
        static const QRegularExpression frame(QStringLiteral("^frame (\\d+)$"));
        if (const QRegularExpressionMatch match = frame.match(message); match.hasMatch()) {
            if (m_stage.onFirstFrame)
                m_stage.onFirstFrame(match.captured(1).toInt());
            return;
        }
        qCDebug(lcStageConsole, "%s:%d: %s", qUtf8Printable(source), line, qUtf8Printable(message));
    }

private:
    CFlashStage& m_stage;
};

} // namespace

CWebFlashStage::CWebFlashStage(QWidget* anchor, LocalWebHost& host) : m_host(host), m_anchor(anchor)
{
    PrepareWebEngine();
    auto* view = new QWebEngineView(anchor);
    m_view = view;
    auto* page = new StagePage(view, *this);
    page->setBackgroundColor(Qt::transparent);
    view->setPage(page);
    // The preview beneath takes the mouse: hit tests and drags are the preview's.
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    FitAnchor();
    connect(view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!ok || m_loaded)
            return;
        m_loaded = true;
        // With no movie waiting, the player's WebAssembly is compiled now, ahead of the first one.
        if (m_movieUrls.isEmpty())
            m_view->page()->runJavaScript(QStringLiteral("warm();"));
        const QStringList pending = std::exchange(m_pending, {});
        for (const QString& script : pending)
            Run(script);
        if (onLoaded)
            onLoaded();
    });
    m_view->load(m_host.Url(QStringLiteral("/stage.html")));
    m_view->show();
}

CWebFlashStage::~CWebFlashStage()
{
    for (const QUrl& url : std::as_const(m_movieUrls))
        m_host.UnregisterMovie(url);
    // The view belongs to the anchor while it lives; the stage ends it with itself.
    delete m_view.data();
}

void CWebFlashStage::OpenMovie(int id, const QString& path, const QRect& rect)
{
    CloseMovie(id);
    const QUrl url = m_host.RegisterMovie(path);
    if (url.isEmpty())
        return;
    m_movieUrls.insert(id, url);
    Run(Call("openMovie", {id, url.path(), rect.x(), rect.y(), rect.width(), rect.height()}));
}

void CWebFlashStage::CloseMovie(int id)
{
    const QUrl url = m_movieUrls.take(id);
    if (url.isEmpty())
        return;
    m_host.UnregisterMovie(url);
    Run(Call("closeMovie", {id}));
}

void CWebFlashStage::MoveMovie(int id, const QPoint& topLeft)
{
    if (m_movieUrls.contains(id))
        Run(Call("moveMovie", {id, topLeft.x(), topLeft.y()}));
}

void CWebFlashStage::ShowMovie(int id, bool visible)
{
    if (m_movieUrls.contains(id))
        Run(Call("showMovie", {id, visible}));
}

void CWebFlashStage::ShadeMovie(int id, bool shaded)
{
    if (m_movieUrls.contains(id))
        Run(Call("shadeMovie", {id, shaded}));
}

void CWebFlashStage::SetOverlay(const QString& resource, const QRect& rect)
{
    if (resource.isEmpty()) {
        Run(Call("setOverlay", {QString(), 0, 0, 0, 0}));
        return;
    }
    QString path = m_served.value(resource);
    if (path.isEmpty()) {
        QFile file(resource);
        if (!file.open(QIODevice::ReadOnly))
            return;
        path = QStringLiteral("/overlay/") + QFileInfo(resource).fileName();
        m_host.AddContent(path, MimeTypeForName(path), file.readAll());
        m_served.insert(resource, path);
    }
    Run(Call("setOverlay", {path, rect.x(), rect.y(), rect.width(), rect.height()}));
}

void CWebFlashStage::SetVisible(bool visible)
{
    if (m_view)
        m_view->setVisible(visible);
}

void CWebFlashStage::FitAnchor()
{
    if (m_anchor && m_view)
        m_view->setGeometry(m_anchor->rect());
}

void CWebFlashStage::Run(const QString& script)
{
    if (!m_loaded)
        m_pending << script;
    else if (m_view)
        m_view->page()->runJavaScript(script);
}
