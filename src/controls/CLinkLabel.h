#pragma once
// A label that behaves as a web link: underlined "宋体" 13 in blue, hand cursor, and a left
// click opens its target address in the system's browser.
#include "platform/SiteLinks.h"

#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(QWidget* parent = nullptr);

    void SetTarget(const QString& address)
    {
        m_target = address;
        m_page.reset();
    }
    // The page's address is looked up when it is needed, so a local site starts only on a click.
    void SetSitePage(SitePage page) { m_page = page; }
    QString Target() const { return m_page ? SiteUrl(*m_page) : m_target; }

    // Opens addresses; the default is QDesktopServices::openUrl. Tests install an observer;
    // passing an empty function restores the default.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(UrlOpener opener);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_target;
    std::optional<SitePage> m_page;
};
