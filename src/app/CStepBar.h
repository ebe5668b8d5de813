#pragma once
// The row of step tabs across the top of the wizard: one push button per step, each tied to
// the page of its step. Selecting a step enables the tabs up to it and shows only its page.
// A plain object owned by the wizard; the buttons are children of the wizard window.
#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

class CStepBar {
public:
    static constexpr int kFirstStepId = 30001; // tab i has id 30001 + i

    CStepBar();

    void SetBar(QWidget* parent, const QRect& bar);
    // Adds a tab (id 30001 + count, caption title) for page; hides the page and lays all tabs out again.
    QPushButton* AddStep(const QString& title, QWidget* page);
    // Tabs 0..index enabled, the rest disabled; only page index shown. Out of range: nothing changes.
    void SelectStep(int index);
    void EnableStep(int index, bool enable);

    int Count() const { return m_buttons.size(); }
    int CurrentStep() const { return m_current; }
    QPushButton* Button(int index) const;
    QWidget* Page(int index) const;

private:
    void Layout();

    QList<QPushButton*> m_buttons;
    QList<QWidget*> m_pages;
    QRect m_bar;
    QWidget* m_parent = nullptr;
    int m_current = -1;
    QFont m_font;
};
