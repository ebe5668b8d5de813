#pragma once
// Base of the six wizard pages: a child widget of the wizard that shows and edits one step's part
// of the skin document. Pages keep no copy of what the document holds: they read it, call its
// operations, and follow its change signals.
#include <QWidget>

class QLabel;
class SkinDocument;

class CWizardPage : public QWidget {
    Q_OBJECT
public:
    // templateId: the page's dialog template number (129, 130, 131, 132, 178, 133).
    CWizardPage(int templateId, SkinDocument& document, QWidget* parent);

    int TemplateId() const { return m_templateId; }
    SkinDocument& Document() const { return m_document; }

    // Remake: the page's own state (selected tab, texts, what it showed last) as at start.
    virtual void ResetPage();

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
    SkinDocument& m_document;
};
