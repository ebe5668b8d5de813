#include "app/CLinkLabel.h"

#include "app/UiFonts.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>

namespace {
CLinkLabel::UrlOpener& Opener()
{
    static CLinkLabel::UrlOpener opener;
    return opener;
}
} // namespace

CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent)
{
    setFont(UiFont(13, 400, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

QString CLinkLabel::SiteUrl(const QString& pathAndQuery)
{
    QString base = qEnvironmentVariable("SKINMAKER_SITE");
    if (base.isEmpty())
        base = QStringLiteral("http://127.0.0.1:8617");
    // A base given with a trailing slash must not double the path's leading one.
    while (base.endsWith(QLatin1Char('/')) && pathAndQuery.startsWith(QLatin1Char('/')))
        base.chop(1);
    return base + pathAndQuery;
}

void CLinkLabel::SetUrlOpener(UrlOpener opener)
{
    Opener() = std::move(opener);
}

void CLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    // An empty target still goes to the browser, which then has nothing to open.
    const QUrl url(m_target, QUrl::TolerantMode);
    if (Opener())
        Opener()(url);
    else
        QDesktopServices::openUrl(url);
    event->accept();
}
