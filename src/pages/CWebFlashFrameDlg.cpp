#include "pages/CWebFlashFrameDlg.h"

#include "controls/CLinkLabel.h"
#include "flash/core/SwfHeader.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CProgressDlg.h"
#include "flash/ui/CWebFlashWnd.h"
#include "platform/PackageLimits.h"
#include "skin/CornerPlacement.h"
#include "skin/PackageNames.h"
#include "skin/SkinDocument.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

namespace {

// The picture explaining the controls step.
constexpr int kControlsDiagramId = 161;

// Controls left out or refused.
void Tell(QWidget* parent, const QString& text)
{
    ShowMessage(parent, MessageKind::Warning, text);
}

} // namespace

CWebFlashFrameDlg::CWebFlashFrameDlg(SkinDocument& document, QWidget* parent)
    : CCornerPage(178, document, parent)
{
    const QFont textFont = UiFont(12, 400);
    const QFont boldFont = UiFont(15, 700);
    CreateTitle(tr("选择控件（可选）"));
    CreateHelpLink(tr("什么是控件？"), SitePage::ControlsHelp, {190, 13, 100, 16});

    m_playbackNote = MakeLabel(this, QStringLiteral("playbackNote"), QString(), &textFont);
    ShowInColor(m_playbackNote, kNoteColor);
    m_playbackNote->setWordWrap(true);
    if (!CControlsPreviewCtrl::FlashPlaybackAvailable())
        m_playbackNote->setText(CControlsPreviewCtrl::FlashPlaybackMissingText());
    // Two whole lines right of the help link, ending where the description below begins; a longer
    // translation takes more of the free room on the right (the wizard is at least 874 wide) rather
    // than a third line.
    const int noteLeft = std::max(300, HelpLink()->x() + HelpLink()->width() + 10);
    const int twoLines = 2 * m_playbackNote->heightForWidth(2000);
    int noteWidth = 630 - noteLeft;
    while (noteWidth < 854 - noteLeft && m_playbackNote->heightForWidth(noteWidth) > twoLines)
        noteWidth += 10;
    const int noteHeight = std::max(32, m_playbackNote->heightForWidth(noteWidth));
    m_playbackNote->setGeometry(noteLeft, 38 - noteHeight, noteWidth, noteHeight);
    m_playbackNote->setVisible(!m_playbackNote->text().isEmpty());

    MakeLabel(this, QStringLiteral("static1033"),
              tr("Vadi提供包括时钟，天气预报等动态控件，美观又实用，如果您不需要，点击跳过即可"), &boldFont)
        ->move(27, 38);

    m_group = new QGroupBox(tr("选择动态控件(.swf)，调整其位置（或直接在预览区域中拖拽调整）"), this);
    m_group->setObjectName(QStringLiteral("group1034"));
    m_group->setFont(boldFont);
    m_group->setGeometry(25, 60, 600, 168);

    CreateCornerTabs({35, 92, 356, 24});

    m_model = new CornerItemsModel(document, this);
    m_selection = new QItemSelectionModel(m_model, this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("list1079"));
    m_list->setAccessibleName(tr("控件列表"));
    m_list->setFont(textFont);
    m_list->setModel(m_model);
    m_list->setSelectionModel(m_selection);
    m_list->header()->setDefaultAlignment(Qt::AlignCenter);
    m_list->header()->setStretchLastSection(false);
    // The position column holds its longest corner name; the path column gives up that room.
    int positionWidth = 50;
    for (const Corner corner : kCorners)
        positionWidth =
            std::max(positionWidth, m_list->fontMetrics().horizontalAdvance(CornerPositionText(corner)) + 12);
    m_list->setColumnWidth(0, positionWidth);
    m_list->setColumnWidth(1, 100);
    m_list->setColumnWidth(2, 250 - positionWidth);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The selected row stays marked when the list loses the focus.
    QPalette listPalette = m_list->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        listPalette.setColor(QPalette::Inactive, role, listPalette.color(QPalette::Active, role));
    m_list->setPalette(listPalette);
    m_list->setGeometry(35, 116, 356, 100);

    const auto makeButton = [this, &textFont](const QString& text, const QString& name, const QRect& place) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setFont(textFont);
        button->setGeometry(place);
        return button;
    };
    m_localButton = makeButton(tr("选择本地文件"), QStringLiteral("button1083"), {403, 94, 100, 24});
    m_galleryButton = makeButton(tr("选择Vadi控件"), QStringLiteral("button1085"), {513, 94, 100, 24});
    m_deleteButton = makeButton(tr("删除"), QStringLiteral("button1084"), {403, 124, 100, 24});
    m_clearButton = makeButton(tr("清空"), QStringLiteral("button1048"), {513, 124, 100, 24});
    FlowRow({m_localButton, m_galleryButton}, 10);
    FlowRow({m_deleteButton, m_clearButton}, 10);

    MakeLabel(this, QStringLiteral("static1073"), tr("调整位置："), &textFont)->move(403, 160);
    CreateShiftRows(
        {"static1075", {403, 183}, {455, 180, 40, 20}, {495, 180, 30, 20}, "static1074", {529, 183}},
        {"static1076", {403, 205}, {455, 202, 40, 20}, {495, 202, 16, 20}, "static1077", {529, 205}});

    m_diagramGroup = new QGroupBox(tr("示意图"), this);
    m_diagramGroup->setObjectName(QStringLiteral("diagramGroup"));
    m_diagramGroup->setFont(boldFont);
    m_diagramGroup->setGeometry(640, 40, 215, 188);
    CreateDiagram({649, 74}, kControlsDiagramId);

    m_preview = new CControlsPreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1022"));
    connect(m_preview, &CControlsPreviewCtrl::flashSelected, this, &CWebFlashFrameDlg::OnControlGrabbed);
    connect(m_preview, &CControlsPreviewCtrl::flashDragged, this, &CWebFlashFrameDlg::OnControlDragged);
    m_preview->SetModel(m_model, m_selection);

    SetPreviewArea(m_group, m_preview);
    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
            &CWebFlashFrameDlg::OnRowSelectionChanged);
    // The edits follow the selected control wherever it is moved from.
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CWebFlashFrameDlg::ShowSelectedShift);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CWebFlashFrameDlg::OnRowSelectionChanged);
    connect(m_localButton, &QPushButton::clicked, this, &CWebFlashFrameDlg::ChooseLocalFile);
    connect(m_galleryButton, &QPushButton::clicked, this, &CWebFlashFrameDlg::OpenGallery);
    connect(m_deleteButton, &QPushButton::clicked, this, &CWebFlashFrameDlg::DeleteSelected);
    connect(m_clearButton, &QPushButton::clicked, this, &CWebFlashFrameDlg::ClearAll);

    ResetPage();
}

QPoint CWebFlashFrameDlg::RowShift(int row) const
{
    const CornerItem& control = Control(row);
    return DefaultCornerOffset(control.size) - control.offset;
}

int CWebFlashFrameDlg::SelectedRow() const
{
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CWebFlashFrameDlg::ResetPage()
{
    CloseGallery();
    m_selection->clear();
    EnableShiftEdits(false);
    m_current = QPoint();
    SelectCornerTab(Corner::LeftTop);
    m_preview->ShowCorner(Corner::LeftTop);
    ShowShift(m_current);
}

int CWebFlashFrameDlg::PlaceAtCorner(const QString& path, Corner corner, const QString& name,
                                     bool fromGallery)
{
    SkinDocument& document = Document();
    if (document.ControlAt(corner) < 0 && !document.CanAddControl(corner)) {
        Tell(this, tr("最多只能放置%1个控件。").arg(SkinDocument::kMaxExtraControls));
        return -1;
    }
    // A file that is not a movie would go into the skin as a broken control: it is refused.
    const SwfFrameSize frame = ReadSwfFrameSize(path);
    if (!frame.ok) {
        Tell(this, tr("“%1”不是有效的Flash动画文件（.swf），未添加。").arg(QDir::toNativeSeparators(path)));
        return -1;
    }
    // Centred on its corner point, as a decoration is: the chosen tab's view shows it. A control
    // already at the corner makes room for it.
    const QSize stage(std::min(frame.width, kMaxItemSide), std::min(frame.height, kMaxItemSide));
    document.ReplaceCornerControl(corner, path, stage, name, fromGallery);
    const int row = m_model->RowOfCorner(corner);
    SelectRow(row);
    EnableShiftEdits(true);
    ShowSelectedShift();
    return row;
}

void CWebFlashFrameDlg::SelectRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_selection->setCurrentIndex(m_model->index(row, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->setFocus();
}

void CWebFlashFrameDlg::ChooseLocalFile()
{
    const QString file = CDialogProvider::Instance().GetOpenFileName(this, QStringLiteral("Flash (*.swf)"),
                                                                     QStringLiteral("swf"));
    if (file.isEmpty())
        return;
    PlaceAtCorner(file, SelectedCorner(), ControlNameOf(file), false);
}

void CWebFlashFrameDlg::OpenGallery()
{
    if (!m_gallery) {
        // Owned by the wizard window, so that it stays above the wizard and its flash controls.
        m_gallery = new CWebFlashWnd(window());
        connect(m_gallery, &CWebFlashWnd::controlDownloaded, this, &CWebFlashFrameDlg::AddDownloadedControl);
    }
    // Its top-left corner at the bottom-right corner of "选择本地文件".
    m_gallery->move(m_localButton->mapToGlobal(QPoint(m_localButton->width(), m_localButton->height())));
    m_gallery->show();
    m_gallery->raise();
}

void CWebFlashFrameDlg::CloseGallery()
{
    if (!m_gallery)
        return;
    m_gallery->Request().CancelDownload();
    if (CProgressDlg* progress = m_gallery->ProgressDialog())
        progress->hide();
    m_gallery->hide();
}

void CWebFlashFrameDlg::AddDownloadedControl(const QString& name, const QString& localPath)
{
    if (localPath.isEmpty())
        return;
    PlaceAtCorner(localPath, SelectedCorner(), name, true);
}

void CWebFlashFrameDlg::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_selection->clear();
    Document().RemoveItem(m_model->DocumentIndex(row));
    EnableShiftEdits(false);
}

void CWebFlashFrameDlg::ClearAll()
{
    m_selection->clear();
    Document().RemoveItems(CornerItemKind::Control);
    EnableShiftEdits(false);
}

void CWebFlashFrameDlg::FollowOwner()
{
    m_preview->FollowWindowMove();
}

bool CWebFlashFrameDlg::NudgeSelected(int dx, int dy)
{
    const int row = SelectedRow();
    if (row < 0)
        return false;
    MoveControl(row, {dx, dy});
    return true;
}

void CWebFlashFrameDlg::OnTabChanged(Corner corner)
{
    m_preview->ShowCorner(corner);
    ShowShift(m_current);
}

void CWebFlashFrameDlg::OnRowSelectionChanged()
{
    const int row = SelectedRow();
    EnableShiftEdits(row >= 0);
    ShowSelectedShift();
}

void CWebFlashFrameDlg::ShowSelectedShift()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_current = RowShift(row);
    ShowShift(m_current);
}

void CWebFlashFrameDlg::OnArrowStep(bool horizontal, int step)
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    // Typed values do not move a control: the step starts from where the control is. A step to
    // the right shows as a larger shift and a smaller offset.
    MoveControl(row, horizontal ? QPoint(step, 0) : QPoint(0, step));
}

void CWebFlashFrameDlg::OnControlDragged(int row, QPoint delta)
{
    if (row >= 0 && row < RowCount())
        MoveControl(row, delta);
}

void CWebFlashFrameDlg::OnControlGrabbed(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    SelectRow(row);
}

void CWebFlashFrameDlg::MoveControl(int row, QPoint by)
{
    Document().MoveItem(m_model->DocumentIndex(row), Control(row).offset - by);
    ShowSelectedShift();
}

void CWebFlashFrameDlg::showEvent(QShowEvent* event)
{
    CWizardPage::showEvent(event);
    m_preview->ShowFlash(true);
}

void CWebFlashFrameDlg::hideEvent(QHideEvent* event)
{
    CWizardPage::hideEvent(event);
    m_preview->ShowFlash(false);
    // The window system hides the page when the wizard is minimised; only leaving the step closes.
    if (!event->spontaneous())
        CloseGallery();
}
