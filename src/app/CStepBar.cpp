#include "app/CStepBar.h"

#include "ui/UiFonts.h"

#include <QPushButton>

CStepBar::CStepBar() : m_font(UiFont(13, 400)) {}

void CStepBar::SetBar(QWidget* parent, const QRect& bar)
{
    m_parent = parent;
    m_bar = bar;
}

QPushButton* CStepBar::AddStep(const QString& title, QWidget* page)
{
    const int id = kFirstStepId + Count();
    auto* button = new QPushButton(title, m_parent);
    button->setObjectName(QStringLiteral("step%1").arg(id));
    button->setProperty("controlId", id);
    button->setFont(m_font);
    button->show();
    m_buttons.append(button);
    m_pages.append(page);
    if (page != nullptr)
        page->hide();
    Layout();
    return button;
}

void CStepBar::Layout()
{
    // Equal widths over the bar, full bar height; all disabled until the next selection.
    const int count = Count();
    if (count == 0)
        return;
    const int width = m_bar.width() / count;
    for (int i = 0; i < count; ++i) {
        m_buttons[i]->setGeometry(m_bar.left() + i * width, m_bar.top(), width, m_bar.height());
        m_buttons[i]->setEnabled(false);
    }
}

void CStepBar::SelectStep(int index)
{
    if (index < 0 || index >= Count())
        return;
    for (int i = 0; i < Count(); ++i)
        m_buttons[i]->setEnabled(i <= index);
    for (QWidget* page : m_pages) {
        if (page != nullptr)
            page->hide();
    }
    if (m_pages[index] != nullptr)
        m_pages[index]->show();
    m_current = index;
}

void CStepBar::EnableStep(int index, bool enable)
{
    if (index >= 0 && index < Count())
        m_buttons[index]->setEnabled(enable);
}

QPushButton* CStepBar::Button(int index) const
{
    return index >= 0 && index < Count() ? m_buttons[index] : nullptr;
}

QWidget* CStepBar::Page(int index) const
{
    return index >= 0 && index < Count() ? m_pages[index] : nullptr;
}
