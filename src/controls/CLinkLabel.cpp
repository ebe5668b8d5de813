#include "controls/CLinkLabel.h"

#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDesktopServices>
#include <QMouseEvent>

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
    ShowAsLink(this);
    setTextFormat(Qt::PlainText);
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
    event->accept();
    const QString target = Target();
    if (m_page && !NamesASite(target)) {
        CDialogProvider::Instance().MessageBox(this, NoSiteMessage(), PromptCaption(), QMessageBox::Ok);
        return;
    }
    // An empty target still goes to the browser, which then has nothing to open.
    const QUrl url(target, QUrl::TolerantMode);
    if (Opener())
        Opener()(url);
    else
        QDesktopServices::openUrl(url);
}
