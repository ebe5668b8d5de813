#pragma once
// The wizard window: the step bar, six pages, seven command buttons and the rules that move
// the user between the steps. It owns the skin document, which the pages show and edit and the
// package commands save, open and try.
#include "app/CStepBar.h"
#include "platform/SiteLinks.h"
#include "skin/SkinDocument.h"

#include <QDialog>
#include <array>
#include <memory>

class CColorSkinDlg;
class CLinkLabel;
class CPictureLabel;
class CSaveSkin;
class CSkinFrameDlg;
class CSkinHeadDlg;
class CStretchDlg;
class CWebFlashFrameDlg;
class CWizardPage;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class WizardRecovery;

// The wizard's steps, in the order of the step bar; each has one page.
enum WizardStep : int {
    HeaderStep,
    ColorStep,
    StretchStep,
    FrameStep,
    ControlsStep,
    SaveStep,
};

// Control ids the behaviour and the tests depend on.
enum WizardControlId : int {
    ID_STEP_FIRST = CStepBar::kFirstStepId, // 30001..30006: the step tabs
    ID_BAR_FILLER = 30008,
    ID_PREVIOUS = 30020,
    ID_NEXT = 30021,
    ID_SKIP = 30022,
    ID_EXIT = 30023,
    ID_SAVE_SKIN = 30024,
    ID_TRY_NOW = 30025,
    ID_REMAKE = 30026,
    IDC_HELP_LINK = 1040,
    IDC_HELP_ICON = 1067,
    IDB_HELP_ICON = 173, // bitmap resource shown by the help icon
};

class CWizardDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStepCount = 6;
    static constexpr int kCommandCount = 7; // ids 30020..30026
    static constexpr int kSlotCount = 4;
    static constexpr int kBarHeight = 30;
    static constexpr int kBarTabsWidth = 600;

    explicit CWizardDlg(QWidget* parent = nullptr);
    ~CWizardDlg() override;

    SkinDocument& Document() { return m_document; }
    CWizardPage* Page(int index) const;
    CSkinHeadDlg* HeadPage() const { return m_headPage; }
    CColorSkinDlg* ColorPage() const { return m_colorPage; }
    CSaveSkin* SavePage() const { return m_savePage; }
    CWebFlashFrameDlg* ControlsPage() const { return m_controlsPage; }
    int CurrentIndex() const { return m_stepBar.CurrentStep(); }
    // Nothing would be lost by leaving: the skin has not changed since it was made, opened or saved.
    bool IsSaved() const { return !m_document.IsModified(); }
    void SetSaved(bool saved) { m_document.SetModified(!saved); }

    // Opens a skin package for editing (after asking about unsaved changes); false (after telling
    // the user why) when it is not opened.
    bool OpenPackage(const QString& path);
    // The Save skin and Try now buttons.
    void SaveSkin();
    void TryNow();
    bool IsSkipped() const { return m_skipped; }
    // Command buttons by id (30020..30026); nullptr for any other id.
    QPushButton* CommandButton(int id) const;
    QPushButton* StepButton(int index) const { return m_stepBar.Button(index); }
    QRect ButtonSlot(int slot) const;

    // The about box (offered by the menu button and the context menu of the top bar).
    void ShowAbout();
    // F1: the help page of the step showing.
    void ShowStepHelp();
    static SitePage StepHelpPage(int step);
    // The wizard's menu: undo and redo named after their command, and the about box. The menu's
    // caller hands the chosen action to RunMenuChoice.
    void FillMenu(QMenu& menu) const;
    void RunMenuChoice(const QAction* chosen);
    // Undo and redo (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y), enabled when there is something to do.
    QAction* UndoAction() const { return m_undoAction; }
    QAction* RedoAction() const { return m_redoAction; }
    // The line under the pages that tells what an undo or redo changed on another step.
    QLabel* StatusLine() const { return m_statusLine; }

    // Keeps the unsaved skin in a folder under root for a restart after a crash, after offering
    // what a wizard that ended without saving left there.
    void StartRecovery(const QString& root);
    WizardRecovery* Recovery() const { return m_recovery; }
    // A restored skin shown on its step, reached as the wizard's own navigation would reach it.
    void ShowRestored(SkinContent content, int step);

    // Enter is the dialog's OK key: it does nothing here.
    void accept() override;
    // Escape, the close box and Exit: asks before leaving an unsaved skin.
    void reject() override;
    // Asks whether to save the changed skin before it is thrown away; true when the caller may
    // go on (saved, discarded or nothing to lose).
    bool ConfirmDiscard(const QString& question);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreatePages();
    void CreateCommandButtons();
    void PlaceChrome();
    void ComputeSlots();
    void OrderTabChain();
    void LayoutButtons(int index);
    void MoveTo(int index);
    bool OnArrowKey(int key);

    void OnPrevious();
    void OnNext();
    void OnSkip();
    void OnRemake();
    void OnStepTab(int index);
    void OnPictureReady();
    void OnEditReplayed(SkinEdit edit, const QString& text, bool undone);
    void CreateUndoActions();
    void PlaceStatusLine();

    CStepBar m_stepBar;
    bool m_skipped = false;
    std::array<QRect, kSlotCount> m_slots;
    std::array<QPushButton*, kCommandCount> m_buttons{};
    std::array<CWizardPage*, kStepCount> m_pages{};
    CSkinHeadDlg* m_headPage = nullptr;
    CColorSkinDlg* m_colorPage = nullptr;
    CSaveSkin* m_savePage = nullptr;
    CWebFlashFrameDlg* m_controlsPage = nullptr;
    CSkinFrameDlg* m_framePage = nullptr;
    CStretchDlg* m_stretchPage = nullptr;
    SkinDocument m_document;
    // The decorations and controls as they were when their step was entered: Skip gives them back.
    QList<CornerItem> m_enteredDecorations;
    QList<CornerItem> m_enteredControls;
    CLinkLabel* m_helpLink = nullptr;
    CPictureLabel* m_helpIcon = nullptr;
    QPushButton* m_barFiller = nullptr;
    QToolButton* m_menuButton = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QLabel* m_statusLine = nullptr;
    WizardRecovery* m_recovery = nullptr; // a child; none unless StartRecovery was called
};
