#include "pages/CWizardPage.h"

#include "ui/UiFonts.h"

#include <QLabel>

CWizardPage::CWizardPage(int templateId, QWidget* parent) : QWidget(parent), m_templateId(templateId) {}

void CWizardPage::LoadFromProject(SkinProject&) {}
void CWizardPage::SaveToProject(SkinProject&) {}
void CWizardPage::ResetPage() {}
void CWizardPage::ShowOpenedProject(SkinProject&) {}

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
