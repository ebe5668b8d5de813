#include "pages/CSkinFrameDlg.h"

#include "controls/CFramePreviewCtrl.h"
#include "skin/CornerPlacement.h"
#include "skin/SkinProject.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString NoPictureText()
{
    return CSkinFrameDlg::tr(".png格式文件");
}

// A whole number from a digit edit; an empty edit counts as 0.
int EditValue(const QLineEdit* edit)
{
    return edit->text().trimmed().toInt();
}

// The shift from the centred place of a decoration at the offset, and back.
QPoint ShiftOf(const Placement& place)
{
    return DefaultCornerOffset(place.size) - place.offset;
}

QPoint OffsetAt(const Placement& place, QPoint shift)
{
    return DefaultCornerOffset(place.size) - shift;
}

} // namespace

CSkinFrameDlg::CSkinFrameDlg(QWidget* parent) : CCornerPage(132, parent)
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
    CreateDiagram({640, 44});

    m_preview = new CFramePreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1022"));
    connect(m_preview, &CPlayerCanvasCtrl::itemDragged, this, &CSkinFrameDlg::OnItemDragged);
    SetPreviewArea(m_group, m_preview);

    for (QLineEdit* edit : {XEdit(), YEdit()})
        connect(edit, &QLineEdit::editingFinished, this, &CSkinFrameDlg::OnShiftsTyped);
    connect(m_browseButton, &QPushButton::clicked, this, &CSkinFrameDlg::Browse);
    connect(m_clearButton, &QPushButton::clicked, this, &CSkinFrameDlg::Clear);

    ResetPage();
}

void CSkinFrameDlg::ShowCornerState(Corner corner)
{
    m_shownCorner = corner;
    XEdit()->setModified(false);
    YEdit()->setModified(false);
    const QString& path = m_corners[corner].place.file;
    EnableShiftEdits(!path.isEmpty());
    m_pathEdit->setText(path.isEmpty() ? NoPictureText() : QDir::toNativeSeparators(path));
}

void CSkinFrameDlg::ResetPage()
{
    SelectCornerTab(Corner::LeftTop);
    m_corners.fill(Decoration());
    m_current = QPoint();
    ShowCornerState(Corner::LeftTop);
    m_preview->ResetItems();
    ShowShift(m_current);
}

void CSkinFrameDlg::LoadFromProject(SkinProject& project)
{
    LayoutPreview();
    m_preview->SetLook(LookOf(project));
}

void CSkinFrameDlg::SaveToProject(SkinProject& project)
{
    for (Corner corner : kCorners) {
        const Placement& place = m_corners[corner].place;
        project.decorations[corner] =
            place.file.isEmpty() ? CornerDecoration() : CornerDecoration{true, place.file, place.offset};
    }
}

void CSkinFrameDlg::ShowOpenedProject(SkinProject& project)
{
    LayoutPreview();
    SelectCornerTab(Corner::LeftTop);
    for (Corner corner : kCorners) {
        const CornerDecoration& decoration = project.decorations[corner];
        // A picture the preview cannot show would go into the next package broken: the corner stays empty.
        if (!decoration.present || !m_preview->LoadItemPicture(decoration.path, corner))
            continue;
        Decoration& shown = m_corners[corner];
        shown.place = {corner, decoration.offset, m_preview->ItemSize(corner), decoration.path};
        shown.shift = ShiftOf(shown.place);
        m_preview->SetItemOffset(shown.place.offset, corner);
    }
    ShowCornerState(Corner::LeftTop);
    m_current = m_corners[Corner::LeftTop].shift;
    ShowShift(m_current);
    m_preview->ShowCorner(Corner::LeftTop);
}

void CSkinFrameDlg::OnTabChanged(Corner corner)
{
    OnShiftsTyped(); // a shift still being typed belongs to the corner it was typed for
    ShowCornerState(corner);
    m_current = m_corners[corner].shift;
    m_preview->ShowCorner(corner);
    ShowShift(m_current);
}

void CSkinFrameDlg::Browse()
{
    const QString file = CDialogProvider::Instance().GetOpenFileName(this, QStringLiteral("Images (*.png)"),
                                                                     QStringLiteral("png"));
    if (file.isEmpty())
        return;
    const Corner corner = SelectedCorner();
    if (!m_preview->LoadItemPicture(file, corner)) {
        ShowMessage(this, MessageKind::Warning,
                    tr("无法读取图片“%1”，请选择PNG格式的图片。").arg(QDir::toNativeSeparators(file)));
        return;
    }
    // The new picture sits centred on the corner: its shifts start at 0.
    const QSize size = m_preview->ItemSize(corner);
    m_corners[corner] = {{corner, DefaultCornerOffset(size), size, file}, QPoint()};
    m_current = QPoint();
    ShowCornerState(corner);
    ShowShift(m_current);
}

void CSkinFrameDlg::Clear()
{
    const Corner corner = SelectedCorner();
    m_corners[corner] = Decoration();
    m_current = QPoint();
    ShowCornerState(corner);
    m_preview->RemoveItem(corner);
    ShowShift(m_current);
}

QPoint CSkinFrameDlg::PlaceAtShift(Corner corner, QPoint shift)
{
    Placement& place = m_corners[corner].place;
    place.offset = CPlayerCanvasCtrl::ClampOffset(corner, place.size, OffsetAt(place, shift));
    m_preview->SetItemOffset(place.offset, corner);
    return ShiftOf(place);
}

void CSkinFrameDlg::OnShiftsTyped()
{
    // Only a value the user typed (and has not had applied yet) moves the decoration.
    if (!XEdit()->isModified() && !YEdit()->isModified())
        return;
    XEdit()->setModified(false);
    YEdit()->setModified(false);
    const Corner corner = m_shownCorner;
    // The typed values are kept for the corner; the edits show where the limits let it go.
    m_corners[corner].shift = {EditValue(XEdit()), EditValue(YEdit())};
    m_current = m_corners[corner].shift;
    if (!m_corners[corner].place.file.isEmpty())
        m_current = PlaceAtShift(corner, m_current);
    ShowShift(m_current);
}

void CSkinFrameDlg::OnArrowStep(bool horizontal, int step)
{
    const Corner corner = SelectedCorner();
    Decoration& shown = m_corners[corner];
    if (shown.place.file.isEmpty())
        return;
    OnShiftsTyped(); // a shift still being typed counts: the step starts from it
    m_current = PlaceAtShift(corner, m_current + (horizontal ? QPoint(step, 0) : QPoint(0, step)));
    if (horizontal)
        shown.shift.setX(m_current.x());
    else
        shown.shift.setY(m_current.y());
    ShowShift(m_current);
}

void CSkinFrameDlg::OnItemDragged(Corner corner, QPoint delta)
{
    Decoration& shown = m_corners[corner];
    if (shown.place.file.isEmpty())
        return;
    shown.shift = PlaceAtShift(corner, ShiftOf(shown.place) + delta);
    m_current = shown.shift;
    ShowShift(m_current);
}
