#pragma once
// Base of the six wizard pages: a child widget of the wizard with the page contract.
#include "imaging/PlayerLook.h"

#include <QWidget>

struct SkinProject;
class QLabel;

class CWizardPage : public QWidget {
    Q_OBJECT
public:
    // templateId: the page's dialog template number (129, 130, 131, 132, 178, 133).
    CWizardPage(int templateId, QWidget* parent);

    int TemplateId() const { return m_templateId; }

    // Called when the step is entered by Next or Skip.
    virtual void LoadFromProject(SkinProject& project);
    // Called when Next leaves the step (Save skin and Try now also call it on page 6).
    virtual void SaveToProject(SkinProject& project);
    // Called on Remake.
    virtual void ResetPage();
    // Called after a skin package has been opened.
    virtual void ShowOpenedProject(SkinProject& project);

    // How the project's player looks, for the previews.
    static PlayerLook LookOf(const SkinProject& project);

    // Dialog units to pixels (base units 6 x 13).
    static int DluX(int x) { return x * 6 / 4; }
    static int DluY(int y) { return y * 13 / 8; }

protected:
    // The page title (control 1031): bold "宋体" 15 at (25, 10), sized to its text.
    QLabel* CreateTitle(const QString& text);
    // Widens widget (a link on the title's line) to its text and moves it right of the title when
    // a longer title reaches it.
    void KeepBesideTitle(QWidget* widget);
    // Paints the grey preview area, framed in black, from top to the bottom of the page.
    void PaintGreyArea(int top);
    QLabel* m_title = nullptr;

private:
    int m_templateId;
};
