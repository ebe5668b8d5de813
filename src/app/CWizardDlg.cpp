#include "app/CWizardDlg.h"

#include "app/CAboutDlg.h"
#include "app/ProgramIcon.h"
#include "app/WizardCommands.h"
#include "app/WizardRecovery.h"
#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "pages/CColorSkinDlg.h"
#include "pages/CSaveSkin.h"
#include "pages/CSkinFrameDlg.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CStretchDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "platform/SiteLinks.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

namespace {
const char* const kCommandCaptions[CWizardDlg::kCommandCount] = {
    QT_TRANSLATE_NOOP("CWizardDlg", "上一步"),   QT_TRANSLATE_NOOP("CWizardDlg", "下一步"),
    QT_TRANSLATE_NOOP("CWizardDlg", "跳过"),     QT_TRANSLATE_NOOP("CWizardDlg", "退出"),
    QT_TRANSLATE_NOOP("CWizardDlg", "保存皮肤"), QT_TRANSLATE_NOOP("CWizardDlg", "立即试用"),
    QT_TRANSLATE_NOOP("CWizardDlg", "重新制作"),
};
// The buttons' access keys (Alt+letter), the same in both languages: the English captions
// underline these letters; the Chinese ones keep their width and name the key in the tooltip.
constexpr Qt::Key kCommandKeys[CWizardDlg::kCommandCount] = {Qt::Key_B, Qt::Key_N, Qt::Key_K, Qt::Key_X,
                                                             Qt::Key_S, Qt::Key_T, Qt::Key_R};
const char* const kStepTitles[CWizardDlg::kStepCount] = {
    QT_TRANSLATE_NOOP("CWizardDlg", "1、制作头图"), QT_TRANSLATE_NOOP("CWizardDlg", "2、配置颜色"),
    QT_TRANSLATE_NOOP("CWizardDlg", "3、设置拉伸"), QT_TRANSLATE_NOOP("CWizardDlg", "4、装饰边框"),
    QT_TRANSLATE_NOOP("CWizardDlg", "5、选择控件"), QT_TRANSLATE_NOOP("CWizardDlg", "6、保存皮肤"),
};
constexpr int kNone = 0;

// Buttons in slots 0..3 per step; kNone leaves the slot empty.
constexpr int kLayout[CWizardDlg::kStepCount][CWizardDlg::kSlotCount] = {
    {kNone, kNone, ID_NEXT, ID_EXIT},         {kNone, ID_PREVIOUS, ID_NEXT, ID_EXIT},
    {ID_PREVIOUS, ID_SKIP, ID_NEXT, ID_EXIT}, {ID_PREVIOUS, ID_SKIP, ID_NEXT, ID_EXIT},
    {ID_PREVIOUS, ID_SKIP, ID_NEXT, ID_EXIT}, {ID_PREVIOUS, ID_SAVE_SKIN, ID_TRY_NOW, ID_REMAKE},
};

// The first widget of the page that Tab would reach, in the order of the tab chain; help links
// (labels) are passed over.
QWidget* FirstControl(QWidget* page)
{
    for (QWidget* widget = page->nextInFocusChain(); widget != nullptr && widget != page;
         widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            widget->isEnabled() && widget->isVisibleTo(page) && qobject_cast<QLabel*>(widget) == nullptr)
            return widget;
    }
    return nullptr;
}

bool IsEmptyRect(const SkinRect& r)
{
    return r.Width() <= 0 || r.Height() <= 0;
}

// Text entry keeps Enter for itself.
bool TakesEnter(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

// The step whose page makes an edit of the kind; -1 when it may be more than one.
int StepOfEdit(SkinEdit edit)
{
    switch (edit) {
    case SkinEdit::Picture:
    case SkinEdit::Crop:
        return HeaderStep;
    case SkinEdit::MainColour:
    case SkinEdit::TabText:
        return ColorStep;
    case SkinEdit::StretchRegion:
    case SkinEdit::StretchMode:
        return StretchStep;
    case SkinEdit::Decoration:
        return FrameStep;
    case SkinEdit::Control:
        return ControlsStep;
    case SkinEdit::Thumbnail:
    case SkinEdit::Name:
        return SaveStep;
    case SkinEdit::Items:
        break;
    }
    return -1;
}

const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y)};

bool IsUndoKey(const QKeyEvent* key)
{
    const QKeySequence pressed(key->keyCombination());
    return pressed == kUndoKey || pressed == kRedoKeys[0] || pressed == kRedoKeys[1];
}

// A field whose own undo takes the keys while it has the focus.
bool EditsText(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QTextEdit*>(widget) != nullptr;
}
} // namespace

CWizardDlg::CWizardDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wizard102"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(ProgramDisplayName());
    setWindowIcon(ProgramIcon());
    // The window has no sizing border of its own: it starts at its full size and only grows
    // (maximising); it is never made smaller than that.
    resize(874, 632);
    setMinimumSize(874, 632);

    CreatePages();
    PlaceChrome();

    m_stepBar.SetBar(this, QRect(0, 0, kBarTabsWidth, kBarHeight));
    for (int i = 0; i < kStepCount; ++i) {
        QPushButton* tab = m_stepBar.AddStep(tr(kStepTitles[i]), m_pages[i]);
        // The save step's tab has no command: it is only enabled while its step is current.
        if (i != SaveStep)
            connect(tab, &QPushButton::clicked, this, [this, i] { OnStepTab(i); });
    }
    m_stepBar.SelectStep(HeaderStep);

    m_skipped = false;
    CreateCommandButtons();
    OrderTabChain();
    ComputeSlots();
    LayoutButtons(HeaderStep);

    CommandButton(ID_NEXT)->setEnabled(false);
    connect(m_headPage, &CSkinHeadDlg::pictureReady, this, &CWizardDlg::OnPictureReady);
    connect(m_headPage, &CSkinHeadDlg::pictureGone, this,
            [this] { CommandButton(ID_NEXT)->setEnabled(false); });
    connect(m_headPage, &CSkinHeadDlg::openPackageRequested, this, &CWizardDlg::OpenPackage);

    m_helpLink->setText(tr("皮肤制作指南"));
    m_helpLink->SetSitePage(SitePage::MakingHelp);

    CreateUndoActions();
    connect(&m_document, &SkinDocument::editReplayed, this, &CWizardDlg::OnEditReplayed);
    // An undo that takes the first picture away leaves nothing for the later steps to show.
    connect(&m_document, &SkinDocument::pictureChanged, this, [this] {
        if (!m_document.HasPicture() && CurrentIndex() > HeaderStep)
            MoveTo(HeaderStep);
    });

    // Escape and the arrow keys are looked at before any child handles them.
    qApp->installEventFilter(this);
    // A field left: what was typed in it is one undo step.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old != nullptr && EditsText(old))
            m_document.EndMerge();
    });
}

CWizardDlg::~CWizardDlg()
{
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // A field that loses the focus tells its page, which edits the document: let that happen now,
    // while the document is still there, not while the pages are destroyed after it.
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && isAncestorOf(focus))
        focus->clearFocus();
    // Recovery looks at the document as it ends, before the document goes.
    delete m_recovery;
}

void CWizardDlg::CreatePages()
{
    m_headPage = new CSkinHeadDlg(m_document, this);
    m_colorPage = new CColorSkinDlg(m_document, this);
    m_savePage = new CSaveSkin(m_document, this);
    m_controlsPage = new CWebFlashFrameDlg(m_document, this);
    m_stretchPage = new CStretchDlg(m_document, this);
    m_pages[HeaderStep] = m_headPage;
    m_pages[ColorStep] = m_colorPage;
    m_pages[StretchStep] = m_stretchPage;
    m_framePage = new CSkinFrameDlg(m_document, this);
    m_pages[FrameStep] = m_framePage;
    m_pages[ControlsStep] = m_controlsPage;
    m_pages[SaveStep] = m_savePage;
    for (CWizardPage* page : m_pages)
        page->setObjectName(QStringLiteral("page%1").arg(page->TemplateId()));
}

void CWizardDlg::PlaceChrome()
{
    const int w = width();
    const int h = height();
    for (CWizardPage* page : m_pages)
        page->setGeometry(0, kBarHeight, w, qMax(0, h - 65));

    if (m_barFiller == nullptr) {
        m_barFiller = new QPushButton(this);
        m_barFiller->setObjectName(QStringLiteral("filler%1").arg(ID_BAR_FILLER));
        m_barFiller->setProperty("controlId", int(ID_BAR_FILLER));
        m_barFiller->setEnabled(false);
        m_barFiller->setFocusPolicy(Qt::NoFocus);
        m_helpLink = new CLinkLabel(this);
        m_helpLink->setObjectName(QStringLiteral("link%1").arg(IDC_HELP_LINK));
        m_helpIcon = new CPictureLabel(this);
        m_helpIcon->setObjectName(QStringLiteral("picture%1").arg(IDC_HELP_ICON));
        m_helpIcon->LoadFromResource(IDB_HELP_ICON, ResourceType::Bitmap);
    }
    m_barFiller->setGeometry(kBarTabsWidth, 0, qMax(0, w - kBarTabsWidth), kBarHeight);
    m_helpLink->setGeometry(w - 85, 6, 80, 21);
    m_helpIcon->setGeometry(w - 110, 3, 21, 20);
    if (m_menuButton == nullptr) {
        m_menuButton = new QToolButton(this);
        m_menuButton->setObjectName(QStringLiteral("programMenu"));
        m_menuButton->setText(tr("菜单"));
        m_menuButton->setAccessibleName(tr("菜单"));
        m_menuButton->setFont(UiFont(12));
        m_menuButton->setAutoRaise(true);
        connect(m_menuButton, &QToolButton::clicked, this, [this] {
            QMenu menu(this);
            menu.setObjectName(QStringLiteral("programMenu"));
            FillMenu(menu);
            RunMenuChoice(CDialogProvider::Instance().ExecMenu(
                menu, m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height()))));
        });
    }
    const int menuWidth = m_menuButton->sizeHint().width();
    m_menuButton->setGeometry(w - 116 - menuWidth, 4, menuWidth, 22);
}

void CWizardDlg::ComputeSlots()
{
    const int w = width();
    const int h = height();
    // Each slot is as wide as the widest caption needs, at least 70; the row keeps its right end.
    int slotWidth = 70;
    for (const QPushButton* button : m_buttons) {
        if (button != nullptr)
            slotWidth = std::max(slotWidth, TextWidthNeeded(button));
    }
    for (int k = 0; k < kSlotCount; ++k)
        m_slots[k] = QRect(w - 10 - (kSlotCount - k) * (slotWidth + 10) + 10, h - 30, slotWidth, 20);
    PlaceStatusLine();
}

void CWizardDlg::PlaceStatusLine()
{
    if (m_statusLine == nullptr) {
        m_statusLine = new QLabel(this);
        m_statusLine->setObjectName(QStringLiteral("statusLine"));
        m_statusLine->setFont(UiFont(12, 400));
    }
    // Left of the command buttons, on their row.
    m_statusLine->setGeometry(10, m_slots[0].top(), qMax(0, m_slots[0].left() - 20), m_slots[0].height());
}

void CWizardDlg::CreateUndoActions()
{
    QUndoStack* stack = m_document.UndoStack();
    m_undoAction = stack->createUndoAction(this, tr("撤销"));
    m_undoAction->setObjectName(QStringLiteral("undoAction"));
    m_undoAction->setShortcut(kUndoKey);
    m_redoAction = stack->createRedoAction(this, tr("重做"));
    m_redoAction->setObjectName(QStringLiteral("redoAction"));
    m_redoAction->setShortcuts({kRedoKeys[0], kRedoKeys[1]});
    // On every step, whichever child has the focus.
    addAction(m_undoAction);
    addAction(m_redoAction);
}

void CWizardDlg::OnEditReplayed(SkinEdit edit, const QString& text, bool undone)
{
    // The user sees the effect on the step showing; an edit of another step is told, without
    // leaving this one (moving runs the steps' own rules).
    const int step = StepOfEdit(edit);
    if (step == CurrentIndex()) {
        m_statusLine->clear();
        return;
    }
    const QString done = undone ? tr("已撤销“%1”").arg(text) : tr("已重做“%1”").arg(text);
    m_statusLine->setText(step < 0 ? done : tr("%1（%2）").arg(done, tr(kStepTitles[step])));
}

QRect CWizardDlg::ButtonSlot(int slot) const
{
    return slot >= 0 && slot < kSlotCount ? m_slots[slot] : QRect();
}

void CWizardDlg::CreateCommandButtons()
{
    const QFont font = UiFont(12, 500);
    for (int i = 0; i < kCommandCount; ++i) {
        const int id = ID_PREVIOUS + i;
        auto* button = new QPushButton(tr(kCommandCaptions[i]), this);
        const QKeySequence key(Qt::ALT | kCommandKeys[i]);
        button->setShortcut(key);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(button->text().remove(QLatin1Char('&')),
                                                         key.toString(QKeySequence::NativeText)));
        button->setObjectName(QStringLiteral("button%1").arg(id));
        button->setProperty("controlId", id);
        button->setFont(font);
        button->setGeometry(QRect());
        button->show();
        m_buttons[i] = button;
    }
    connect(CommandButton(ID_PREVIOUS), &QPushButton::clicked, this, &CWizardDlg::OnPrevious);
    connect(CommandButton(ID_NEXT), &QPushButton::clicked, this, &CWizardDlg::OnNext);
    connect(CommandButton(ID_SKIP), &QPushButton::clicked, this, &CWizardDlg::OnSkip);
    connect(CommandButton(ID_EXIT), &QPushButton::clicked, this, &CWizardDlg::reject);
    connect(CommandButton(ID_SAVE_SKIN), &QPushButton::clicked, this, &CWizardDlg::SaveSkin);
    connect(CommandButton(ID_TRY_NOW), &QPushButton::clicked, this, &CWizardDlg::TryNow);
    connect(CommandButton(ID_REMAKE), &QPushButton::clicked, this, &CWizardDlg::OnRemake);
}

void CWizardDlg::OrderTabChain()
{
    // Tab goes round in reading order: the page, the command buttons left to right (every step
    // shows its buttons in this order), then the step tabs and the help link at the top.
    QWidget* last = nullptr;
    const auto append = [&last](QWidget* widget) {
        if (last != nullptr)
            setTabOrder(last, widget);
        last = widget;
    };
    for (int id : {ID_PREVIOUS, ID_SKIP, ID_NEXT, ID_EXIT, ID_SAVE_SKIN, ID_TRY_NOW, ID_REMAKE})
        append(CommandButton(id));
    for (int i = 0; i < m_stepBar.Count(); ++i)
        append(m_stepBar.Button(i));
    append(m_helpLink);
}

QPushButton* CWizardDlg::CommandButton(int id) const
{
    const int i = id - ID_PREVIOUS;
    return i >= 0 && i < kCommandCount ? m_buttons[i] : nullptr;
}

CWizardPage* CWizardDlg::Page(int index) const
{
    return index >= 0 && index < kStepCount ? m_pages[index] : nullptr;
}

void CWizardDlg::LayoutButtons(int index)
{
    if (index < 0 || index >= kStepCount)
        return;
    const int* layout = kLayout[index];
    for (int i = 0; i < kCommandCount; ++i) {
        const int id = ID_PREVIOUS + i;
        int slot = -1;
        for (int k = 0; k < kSlotCount; ++k) {
            if (layout[k] == id)
                slot = k;
        }
        QPushButton* button = m_buttons[i];
        if (slot < 0) {
            button->hide();
            continue;
        }
        button->setGeometry(m_slots[slot]);
        button->show();
    }
    CommandButton(ID_NEXT)->setDefault(true);
}

void CWizardDlg::MoveTo(int index)
{
    if (index < 0 || index >= kStepCount)
        return;
    // Skip leaves a step's edits out of the skin: what the step started with is kept for it.
    if (index != CurrentIndex() && index == FrameStep)
        m_enteredDecorations = m_document.ItemsOf(CornerItemKind::Decoration);
    if (index != CurrentIndex() && index == ControlsStep)
        m_enteredControls = m_document.ItemsOf(CornerItemKind::Control);
    m_stepBar.SelectStep(index);
    LayoutButtons(index);
    // The keyboard starts on the new step's first control (never on Skip, which a second Space
    // would press); a step without one starts on Next.
    if (QWidget* first = FirstControl(m_pages[index]))
        first->setFocus(Qt::TabFocusReason);
    else if (CommandButton(ID_NEXT)->isVisible())
        CommandButton(ID_NEXT)->setFocus(Qt::TabFocusReason);
    m_statusLine->clear();
    if (m_recovery != nullptr)
        m_recovery->SetStep(index);
    // From step 3 on the controls step is near: its web view gets ready while the user works here.
    if (index >= StretchStep)
        m_controlsPage->Preview()->PrepareStage();
}

void CWizardDlg::OnPrevious()
{
    const int current = CurrentIndex();
    if (m_skipped && current == SaveStep)
        MoveTo(StretchStep);
    else
        MoveTo(current - 1);
}

void CWizardDlg::OnNext()
{
    const int current = CurrentIndex();
    if (current < HeaderStep || current >= SaveStep)
        return;
    // The pages check typed values while the user edits; Next always moves on. Next during a
    // load takes the picture being loaded; the stretch step starts from the default region.
    if (current == HeaderStep)
        m_headPage->FinishLoading();
    if (current == ColorStep)
        m_stretchPage->StartStep();
    if (current == StretchStep) {
        m_stepBar.EnableStep(FrameStep, true);
        m_skipped = false;
    }
    MoveTo(current + 1);
}

void CWizardDlg::OnSkip()
{
    const int current = CurrentIndex();
    switch (current) {
    case StretchStep:
        // The stretch page is left unsaved and its region forgotten; the frame and controls
        // steps stay closed.
        MoveTo(SaveStep);
        m_skipped = true;
        m_stepBar.EnableStep(FrameStep, false);
        m_stepBar.EnableStep(ControlsStep, false);
        m_document.SetStretchRegion(SkinRect{});
        break;
    case FrameStep:
        m_document.ReplaceItems(CornerItemKind::Decoration, m_enteredDecorations);
        MoveTo(ControlsStep);
        break;
    case ControlsStep:
        m_document.ReplaceItems(CornerItemKind::Control, m_enteredControls);
        MoveTo(SaveStep);
        break;
    default:
        return;
    }
}

void CWizardDlg::OnStepTab(int index)
{
    MoveTo(index);
    if (index == ControlsStep && IsEmptyRect(m_document.StretchRegion()))
        m_stepBar.EnableStep(FrameStep, false);
}

void CWizardDlg::OnRemake()
{
    if (!ConfirmDiscard(tr("皮肤还没有保存，重新制作前要保存吗？")))
        return;
    CommandButton(ID_NEXT)->setEnabled(false);
    MoveTo(HeaderStep);
    m_document.Reset();
    for (int index : {HeaderStep, FrameStep, SaveStep, StretchStep, ColorStep, ControlsStep})
        m_pages[index]->ResetPage();
}

void CWizardDlg::SaveSkin()
{
    QString path;
    const CommandOutcome outcome = SaveSkinCommand(this, m_document, &path);
    if (outcome != CommandOutcome::Cancelled)
        m_savePage->ShowSavedPackage(path);
}

void CWizardDlg::TryNow()
{
    TryNowCommand(this, m_document);
}

bool CWizardDlg::ConfirmDiscard(const QString& question)
{
    if (!m_document.IsModified())
        return true;
    switch (AskSaveChanges(this, question)) {
    case QMessageBox::Save:
        // Only a skin that is on disk now may go; a cancelled or failed save keeps the wizard.
        if (CurrentIndex() != SaveStep)
            MoveTo(SaveStep);
        SaveSkin();
        return !m_document.IsModified();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

SitePage CWizardDlg::StepHelpPage(int step)
{
    switch (step) {
    case StretchStep:
        return SitePage::StretchHelp;
    case FrameStep:
        return SitePage::FrameHelp;
    case ControlsStep:
        return SitePage::ControlsHelp;
    default:
        return SitePage::MakingHelp;
    }
}

void CWizardDlg::ShowStepHelp()
{
    const QString url = SiteUrl(StepHelpPage(CurrentIndex()));
    if (!NamesASite(url)) {
        ShowMessage(this, MessageKind::Information, NoSiteMessage());
        return;
    }
    OpenInBrowser(this, QUrl(url, QUrl::TolerantMode));
}

void CWizardDlg::ShowAbout()
{
    CAboutDlg about(this);
    CDialogProvider::Instance().ExecDialog(about);
}

void CWizardDlg::accept() {}

void CWizardDlg::reject()
{
    if (!ConfirmDiscard(tr("皮肤还没有保存，退出前要保存吗？")))
        return;
    // Saved or let go: nothing is kept for a restart.
    if (m_recovery != nullptr)
        m_recovery->Finish();
    QDialog::reject();
}

void CWizardDlg::StartRecovery(const QString& root)
{
    if (m_recovery == nullptr) {
        m_recovery = new WizardRecovery(*this, root);
        m_recovery->Start();
    }
}

void CWizardDlg::ShowRestored(SkinContent content, int step)
{
    m_document.Restore(std::move(content));
    // Only a skin with a picture gets past the first step; the steps between are open, as
    // after going through them.
    if (!m_document.HasPicture())
        step = HeaderStep;
    step = std::clamp(step, int(HeaderStep), int(SaveStep));
    CommandButton(ID_NEXT)->setEnabled(m_document.HasPicture());
    m_skipped = false;
    MoveTo(step);
    // A skin that reached the last step without a stretch region skipped the steps after it.
    if (step == SaveStep && IsEmptyRect(m_document.StretchRegion())) {
        m_skipped = true;
        m_stepBar.EnableStep(FrameStep, false);
        m_stepBar.EnableStep(ControlsStep, false);
    }
}

bool CWizardDlg::OpenPackage(const QString& path)
{
    if (!ConfirmDiscard(tr("皮肤还没有保存，打开其他皮肤包前要保存吗？")))
        return false;
    return OpenPackageCommand(this, m_document, path) == CommandOutcome::Done;
}

void CWizardDlg::OnPictureReady()
{
    QPushButton* next = CommandButton(ID_NEXT);
    next->setEnabled(true);
    next->setFocus();
}

bool CWizardDlg::eventFilter(QObject* watched, QEvent* event)
{
    // This filter sees the events of every object of the program, also of other libraries' objects
    // and of objects being destroyed: it compares their pointers and calls nothing on them.
    QWidget* const focus = QApplication::focusWidget();
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // A drag (of the crop frame, the stretch region, an item on a preview) ends here: the
        // next edit is an undo step of its own.
        m_document.EndMerge();
        return false;
    case QEvent::ShortcutOverride:
        // A text field keeps the undo keys for its own undo while it has the focus.
        if (focus != nullptr && watched == focus && EditsText(focus) &&
            IsUndoKey(static_cast<QKeyEvent*>(event)))
            event->accept();
        return false;
    default:
        break;
    }
    // A key press travels from the focus widget up through its parents; look at it once, on
    // its first receiver.
    QWidget* const first = focus != nullptr ? focus : this;
    if (event->type() != QEvent::KeyPress || watched != first || first->window() != this)
        return false;

    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
        ShowStepHelp();
        return true;
    }
    // Arrow keys go to the step's page; only the controls step may take the key for itself.
    return OnArrowKey(key->key());
}

bool CWizardDlg::OnArrowKey(int key)
{
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    default:
        return false;
    }
    if (CurrentIndex() == HeaderStep) {
        m_headPage->NudgeCrop(dx, dy);
        return false;
    }
    // On the frame and controls steps the keys move the shown decoration or the selected control;
    // they are taken from the list (whose selection would move with them) but left to the text
    // edits for their cursor and to the corner tabs for choosing a corner.
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) != nullptr || qobject_cast<QTabBar*>(focus) != nullptr)
        return false;
    if (CurrentIndex() == FrameStep)
        return m_framePage->NudgeDecoration(dx, dy);
    if (CurrentIndex() == ControlsStep)
        return m_controlsPage->NudgeSelected(dx, dy);
    return false;
}

void CWizardDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            // Next is the default button where it is shown; Enter never closes the wizard.
            QPushButton* next = CommandButton(ID_NEXT);
            if (next->isVisible() && next->isEnabled() && !TakesEnter(QApplication::focusWidget()))
                next->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void CWizardDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_pages[HeaderStep] == nullptr)
        return;
    PlaceChrome();
    ComputeSlots();
    LayoutButtons(CurrentIndex());
    m_controlsPage->FollowOwner();
}

void CWizardDlg::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    // The flash controls follow the wizard on the screen.
    if (m_controlsPage != nullptr)
        m_controlsPage->FollowOwner();
}

void CWizardDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Linux has no window system menu: the top bar offers its about item instead.
    if (event->pos().y() >= kBarHeight) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("barMenu"));
    FillMenu(menu);
    RunMenuChoice(CDialogProvider::Instance().ExecMenu(menu, event->globalPos()));
    event->accept();
}

void CWizardDlg::FillMenu(QMenu& menu) const
{
    // Plain copies of the undo actions: choosing one must not trigger the undo a second time.
    for (const QAction* action : {m_undoAction, m_redoAction}) {
        QAction* item = menu.addAction(action->text() + QLatin1Char('\t') +
                                       action->shortcut().toString(QKeySequence::NativeText));
        item->setEnabled(action->isEnabled());
        item->setData(action->objectName());
    }
    menu.addSeparator();
    menu.addAction(tr("关于皮肤制作工具(&A)..."))->setData(QStringLiteral("about"));
}

void CWizardDlg::RunMenuChoice(const QAction* chosen)
{
    if (chosen == nullptr)
        return;
    const QString what = chosen->data().toString();
    if (what == m_undoAction->objectName())
        m_document.UndoStack()->undo();
    else if (what == m_redoAction->objectName())
        m_document.UndoStack()->redo();
    else if (what == QLatin1String("about"))
        ShowAbout();
}
