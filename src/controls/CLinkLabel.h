#pragma once
// A label that behaves as a web link: underlined "宋体" 13 in blue, hand cursor, and a left
// click, or Enter or Space while it has the focus, opens its target address in the system's
// browser (through the dialog provider). Tab reaches it; a dotted frame shows the focus. It is
// never made lower than its text with the underline, so the underline always shows.
#include "platform/SiteLinks.h"

#include <QLabel>
#include <QString>
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

    // Opens the target, as a click does.
    void Open();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void KeepUnderlineInView();

    QString m_target;
    std::optional<SitePage> m_page;
};
