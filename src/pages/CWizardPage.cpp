#include "pages/CWizardPage.h"

#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QLabel>
#include <QPainter>

CWizardPage::CWizardPage(int templateId, SkinDocument& document, QWidget* parent)
    : QWidget(parent), m_templateId(templateId), m_document(document)
{
}

void CWizardPage::ResetPage() {}

QLabel* CWizardPage::CreateTitle(const QString& text)
{
    if (m_title == nullptr) {
        m_title = new QLabel(this);
        m_title->setObjectName("title1031");
        m_title->setFont(UiFont(15, 700));
    }
    m_title->setText(text);
    m_title->adjustSize();
    m_title->move(25, 10);
    return m_title;
}

void CWizardPage::KeepBesideTitle(QWidget* widget)
{
    WidenToText(widget);
    const int least = m_title->x() + m_title->width() + 10;
    if (widget->x() < least)
        widget->move(least, widget->y());
}

void CWizardPage::PaintGreyArea(int top)
{
    const QRect area(0, top, width(), height() - top);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    QPainter painter(this);
    painter.fillRect(area, PanelColor(palette()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}
