#include "pages/CSkinFrameDlg.h"

#include "controls/CFramePreviewCtrl.h"
#include "controls/CPngItem.h"
#include "skin/CornerPlacement.h"
#include "skin/SkinDocument.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The picture explaining the decorations step.
constexpr int kFrameDiagramId = 160;

QString NoPictureText()
{
    return CSkinFrameDlg::tr(".png格式文件");
}

// A whole number from a digit edit; an empty edit counts as 0.
int EditValue(const QLineEdit* edit)
{
    return edit->text().trimmed().toInt();
}

// The shift from the centred place of a decoration at the offset.
QPoint ShiftOf(const CornerItem& item)
{
    return DefaultCornerOffset(item.size) - item.offset;
}

} // namespace

CSkinFrameDlg::CSkinFrameDlg(SkinDocument& document, QWidget* parent) : CCornerPage(132, document, parent)
{
    const QFont textFont = UiFont(12, 400);
    CreateTitle(tr("装饰边框（可选）"));
    CreateHelpLink(tr("什么是装饰边框？"), SitePage::FrameHelp, {190, 13, 120, 16});

    MakeLabel(this, QStringLiteral("static1033"),
              tr("装饰音乐盒四角的边框，可制造不规则边缘效果，如果不需要装饰，直接点击“跳过”"), &textFont)
        ->move(27, 42);

    m_group = new QGroupBox(tr("选择装饰图片，调整其位置（或直接在预览区域中拖拽调整）"), this);
    m_group->setObjectName(QStringLiteral("group1034"));
    m_group->setFont(textFont);
    m_group->setGeometry(25, 64, 600, 110);

    CreateCornerTabs({35, 86, 360, 24});

    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("edit1042"));
    m_pathEdit->setAccessibleName(tr("装饰图片文件"));
    m_pathEdit->setReadOnly(true);
    m_pathEdit->setFont(textFont);
    m_pathEdit->setGeometry(35, 116, 380, 22);
    m_browseButton = new QPushButton(tr("浏览"), this);
    m_browseButton->setObjectName(QStringLiteral("button1017"));
    m_browseButton->setFont(textFont);
    m_browseButton->setGeometry(423, 116, 60, 22);
    m_clearButton = new QPushButton(tr("清空"), this);
    m_clearButton->setObjectName(QStringLiteral("button1049"));
    m_clearButton->setFont(textFont);
    m_clearButton->setGeometry(491, 116, 60, 22);
    FlowRow({m_pathEdit, m_browseButton, m_clearButton}, 8);

    CreateShiftRows(
        {"static1018", {35, 148}, {95, 145, 50, 20}, {145, 145, 30, 20}, "static1025", {180, 148}},
        {"static1021", {235, 148}, {295, 145, 50, 20}, {345, 145, 16, 20}, "static1026", {366, 148}});
    CreateDiagram({640, 44}, kFrameDiagramId);

    m_preview = new CFramePreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1022"));
    connect(m_preview, &CPlayerCanvasCtrl::itemDragged, this, &CSkinFrameDlg::OnItemDragged);
    SetPreviewArea(m_group, m_preview);

    for (QLineEdit* edit : {XEdit(), YEdit()})
        connect(edit, &QLineEdit::editingFinished, this, &CSkinFrameDlg::OnShiftsTyped);
    connect(m_browseButton, &QPushButton::clicked, this, &CSkinFrameDlg::Browse);
    connect(m_clearButton, &QPushButton::clicked, this, &CSkinFrameDlg::Clear);
    connect(&document, &SkinDocument::itemsChanged, this, [this] { ShowCornerState(SelectedCorner()); });

    ResetPage();
}

CornerItem CSkinFrameDlg::CornerPlacement(Corner corner) const
{
    const int index = Document().DecorationAt(corner);
    if (index >= 0)
        return Document().Items()[index];
    CornerItem none;
    none.corner = corner;
    return none;
}

QPoint CSkinFrameDlg::CornerShift(Corner corner) const
{
    const CornerItem item = CornerPlacement(corner);
    return item.file.isEmpty() ? QPoint() : ShiftOf(item);
}

void CSkinFrameDlg::ShowCornerState(Corner corner)
{
    m_shownCorner = corner;
    XEdit()->setModified(false);
    YEdit()->setModified(false);
    const QString path = CornerPath(corner);
    EnableShiftEdits(!path.isEmpty());
    m_pathEdit->setText(path.isEmpty() ? NoPictureText() : QDir::toNativeSeparators(path));
    ShowShift(CornerShift(corner));
}

void CSkinFrameDlg::ResetPage()
{
    SelectCornerTab(Corner::LeftTop);
    Preview()->ShowCorner(Corner::LeftTop);
    ShowCornerState(Corner::LeftTop);
}

void CSkinFrameDlg::OnTabChanged(Corner corner)
{
    OnShiftsTyped(); // a shift still being typed belongs to the corner it was typed for
    ShowCornerState(corner);
    m_preview->ShowCorner(corner);
}

void CSkinFrameDlg::Browse()
{
    const QString file = CDialogProvider::Instance().GetOpenFileName(this, QStringLiteral("Images (*.png)"),
                                                                     QStringLiteral("png"));
    if (file.isEmpty())
        return;
    const Corner corner = SelectedCorner();
    CPngItem picture;
    if (!picture.LoadFromFile(file)) {
        ShowMessage(this, MessageKind::Warning,
                    tr("无法读取图片“%1”，请选择PNG格式的图片。").arg(QDir::toNativeSeparators(file)));
        return;
    }
    // The new picture sits centred on the corner, which the preview shows.
    Document().SetDecoration(corner, file, picture.Size());
    m_preview->ShowCorner(corner);
}

void CSkinFrameDlg::Clear()
{
    Document().RemoveDecoration(SelectedCorner());
    ShowCornerState(SelectedCorner());
}

void CSkinFrameDlg::PlaceAtShift(Corner corner, QPoint shift)
{
    const CornerItem item = CornerPlacement(corner);
    if (!item.file.isEmpty())
        Document().MoveItem(Document().DecorationAt(corner), DefaultCornerOffset(item.size) - shift);
    // The edits show where the limits let it go.
    ShowShift(CornerShift(corner));
}

void CSkinFrameDlg::OnShiftsTyped()
{
    // Only a value the user typed (and has not had applied yet) moves the decoration.
    if (!XEdit()->isModified() && !YEdit()->isModified())
        return;
    XEdit()->setModified(false);
    YEdit()->setModified(false);
    PlaceAtShift(m_shownCorner, {EditValue(XEdit()), EditValue(YEdit())});
}

void CSkinFrameDlg::OnArrowStep(bool horizontal, int step)
{
    const Corner corner = SelectedCorner();
    if (CornerPath(corner).isEmpty())
        return;
    OnShiftsTyped(); // a shift still being typed counts: the step starts from it
    PlaceAtShift(corner, CornerShift(corner) + (horizontal ? QPoint(step, 0) : QPoint(0, step)));
}

bool CSkinFrameDlg::NudgeDecoration(int dx, int dy)
{
    const Corner corner = SelectedCorner();
    if (CornerPath(corner).isEmpty())
        return false;
    OnShiftsTyped(); // a shift still being typed counts: the move starts from it
    PlaceAtShift(corner, CornerShift(corner) + QPoint(dx, dy));
    return true;
}

void CSkinFrameDlg::OnItemDragged(Corner corner, QPoint delta)
{
    if (!CornerPath(corner).isEmpty())
        PlaceAtShift(corner, CornerShift(corner) + delta);
}
