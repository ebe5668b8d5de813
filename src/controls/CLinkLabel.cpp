#include "controls/CLinkLabel.h"

#include "ui/CDialogProvider.h"
#include "ui/KeyboardLinks.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>

CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent)
{
    setFont(UiFont(13, 400, true));
    ShowAsLink(this);
    setTextFormat(Qt::PlainText);
    KeepUnderlineInView();
    ReachByKeyboard(this);
}

void CLinkLabel::KeepUnderlineInView()
{
    // Pages place links in rectangles made for the text alone; the underline lies below the
    // baseline and would be cut off in a rectangle lower than the line. The line is centred, so
    // an underline reaching below the line's descent needs that much room on both sides.
    const QFontMetrics metrics(font());
    const int below =
        std::max(0, metrics.ascent() + metrics.underlinePos() + metrics.lineWidth() - metrics.height());
    setMinimumHeight(metrics.height() + 2 * below + contentsMargins().top() + contentsMargins().bottom());
}

void CLinkLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        KeepUnderlineInView();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LanguageChange)
        update();
}

void CLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    Open();
}

void CLinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (IsActivationKey(event)) {
        event->accept();
        Open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CLinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        DrawFocusFrame(painter, this);
    }
}

void CLinkLabel::Open()
{
    const QString target = Target();
    if (m_page && !NamesASite(target)) {
        ShowMessage(this, MessageKind::Information, NoSiteMessage());
        return;
    }
    // An empty target still goes to the browser, which then has nothing to open.
    OpenInBrowser(this, QUrl(target, QUrl::TolerantMode));
}
