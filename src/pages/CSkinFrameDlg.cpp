#include "pages/CSkinFrameDlg.h"

#include "controls/CFramePreviewCtrl.h"
#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "skin/SkinProject.h"
#include "ui/ArrowEdits.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>

namespace {

QString NoPictureText()
{
    return QStringLiteral(".png格式文件");
}

// A whole number from a digit edit; an empty edit counts as 0.
int EditValue(const QLineEdit* edit)
{
    return edit->text().trimmed().toInt();
}

constexpr int kPreviewMaxWidth = CPlayerCanvasCtrl::kCanvasWidth;

// The shift from the centred place of a decoration at the offset, and back.
QPoint ShiftOf(const Placement& place)
{
    return CPlayerCanvasCtrl::CentredOffset(place.size) - place.offset;
}

QPoint OffsetAt(const Placement& place, QPoint shift)
{
    return CPlayerCanvasCtrl::CentredOffset(place.size) - shift;
}

} // namespace

CSkinFrameDlg::CSkinFrameDlg(QWidget* parent) : CWizardPage(132, parent)
{
    const QFont textFont = UiFont(12, 400);
    CreateTitle(QStringLiteral("装饰边框（可选）"));

    m_helpLink = new CLinkLabel(this);
    m_helpLink->setObjectName(QStringLiteral("link1041"));
    m_helpLink->setText(QStringLiteral("什么是装饰边框？"));
    m_helpLink->SetSitePage(SitePage::FrameHelp);
    m_helpLink->setGeometry(190, 13, 120, 16);

    MakeLabel(this, QStringLiteral("static1033"),
              QStringLiteral("装饰音乐盒四角的边框，可制造不规则边缘效果，如果不需要装饰，直接点击“跳过”"),
              &textFont)
        ->move(27, 42);

    m_group = new QGroupBox(QStringLiteral("选择装饰图片，调整其位置（或直接在预览区域中拖拽调整）"), this);
    m_group->setObjectName(QStringLiteral("group1034"));
    m_group->setFont(textFont);
    m_group->setGeometry(25, 64, 600, 110);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabs1015"));
    m_tabs->setFont(textFont);
    for (const char* title : {"左上外饰", "右上外饰", "左下外饰", "右下外饰"})
        m_tabs->addTab(QString::fromUtf8(title));
    m_tabs->setGeometry(35, 86, 360, 24);
    m_tabs->setDrawBase(true);

    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("edit1042"));
    m_pathEdit->setReadOnly(true);
    m_pathEdit->setFont(textFont);
    m_pathEdit->setGeometry(35, 116, 380, 22);
    m_browseButton = new QPushButton(QStringLiteral("浏览"), this);
    m_browseButton->setObjectName(QStringLiteral("button1017"));
    m_browseButton->setFont(textFont);
    m_browseButton->setGeometry(423, 116, 60, 22);
    m_clearButton = new QPushButton(QStringLiteral("清空"), this);
    m_clearButton->setObjectName(QStringLiteral("button1049"));
    m_clearButton->setFont(textFont);
    m_clearButton->setGeometry(491, 116, 60, 22);

    MakeLabel(this, QStringLiteral("static1018"), QStringLiteral("横向偏移"), &textFont)->move(35, 148);
    m_xEdit = new QLineEdit(this);
    m_xEdit->setObjectName(QStringLiteral("edit1019"));
    m_xEdit->setGeometry(95, 145, 50, 20);
    m_xArrows = new QScrollBar(Qt::Horizontal, this);
    m_xArrows->setObjectName(QStringLiteral("arrows1023"));
    m_xArrows->setGeometry(145, 145, 30, 20);
    MakeLabel(this, QStringLiteral("static1025"), QStringLiteral("像素"), &textFont)->move(180, 148);
    MakeLabel(this, QStringLiteral("static1021"), QStringLiteral("纵向偏移"), &textFont)->move(235, 148);
    m_yEdit = new QLineEdit(this);
    m_yEdit->setObjectName(QStringLiteral("edit1020"));
    m_yEdit->setGeometry(295, 145, 50, 20);
    m_yArrows = new QScrollBar(Qt::Vertical, this);
    m_yArrows->setObjectName(QStringLiteral("arrows1024"));
    m_yArrows->setGeometry(345, 145, 16, 20);
    MakeLabel(this, QStringLiteral("static1026"), QStringLiteral("像素"), &textFont)->move(366, 148);

    m_diagram = new CPictureLabel(this);
    m_diagram->setObjectName(QStringLiteral("diagram1065"));
    m_diagram->move(640, 44);
    if (m_diagram->LoadFromResource(160, ResourceType::Bitmap))
        m_diagram->ResizeToPicture();

    m_preview = new CFramePreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1022"));
    connect(m_preview, &CPlayerCanvasCtrl::itemDragged, this, &CSkinFrameDlg::OnItemDragged);

    for (QLineEdit* edit : {m_xEdit, m_yEdit}) {
        AcceptDigitKeysOnly(edit);
        connect(edit, &QLineEdit::textEdited, this, &CSkinFrameDlg::OnShiftsTyped);
    }
    SetUpArrowBar(m_xArrows);
    SetUpArrowBar(m_yArrows);
    connect(m_xArrows, &QScrollBar::actionTriggered, this, [this](int action) { OnArrows(true, action); });
    connect(m_yArrows, &QScrollBar::actionTriggered, this, [this](int action) { OnArrows(false, action); });
    connect(m_tabs, &QTabBar::currentChanged, this, &CSkinFrameDlg::OnTabChanged);
    connect(m_browseButton, &QPushButton::clicked, this, &CSkinFrameDlg::Browse);
    connect(m_clearButton, &QPushButton::clicked, this, &CSkinFrameDlg::Clear);

    ResetPage();
}

int CSkinFrameDlg::SelectedCorner() const
{
    return std::max(0, m_tabs->currentIndex());
}

void CSkinFrameDlg::SelectCorner(int corner)
{
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(corner);
}

void CSkinFrameDlg::ShowCornerState(int corner)
{
    const QString& path = m_corners[corner].place.file;
    m_xEdit->setEnabled(!path.isEmpty());
    m_yEdit->setEnabled(!path.isEmpty());
    m_pathEdit->setText(path.isEmpty() ? NoPictureText() : QDir::toNativeSeparators(path));
}

void CSkinFrameDlg::ResetPage()
{
    SelectCorner(0);
    m_corners.fill(Corner());
    m_current = QPoint();
    ShowCornerState(0);
    m_preview->ResetItems();
    RefreshEdits();
}

void CSkinFrameDlg::LoadFromProject(SkinProject& project)
{
    LayoutControls();
    m_preview->SetPicture(project.picture);
    m_preview->SetPictureRect(project.crop.left, project.crop.top, project.crop.right, project.crop.bottom);
    m_preview->SetMainColor(project.mainColor);
    m_preview->SetTabTextWhite(project.whiteTabText);
}

void CSkinFrameDlg::SaveToProject(SkinProject& project)
{
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const Placement& place = m_corners[corner].place;
        project.decorations[corner] =
            place.file.isEmpty() ? CornerDecoration() : CornerDecoration{true, place.file, place.offset};
    }
}

void CSkinFrameDlg::ShowOpenedProject(SkinProject& project)
{
    LayoutControls();
    SelectCorner(0);
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const CornerDecoration& decoration = project.decorations[corner];
        // A picture the preview cannot show would go into the next package broken: the corner stays empty.
        if (!decoration.present || !m_preview->LoadItemPicture(decoration.path, corner))
            continue;
        Corner& shown = m_corners[corner];
        shown.place = {corner, decoration.offset, m_preview->ItemSize(corner), decoration.path};
        shown.shift = ShiftOf(shown.place);
        m_preview->SetItemOffset(shown.place.offset, corner);
    }
    ShowCornerState(0);
    m_current = m_corners[0].shift;
    RefreshEdits();
    m_preview->ShowCorner(0);
}

void CSkinFrameDlg::OnTabChanged(int corner)
{
    if (corner < 0)
        return;
    ShowCornerState(corner);
    m_current = m_corners[corner].shift;
    m_preview->ShowCorner(corner);
    RefreshEdits();
}

void CSkinFrameDlg::Browse()
{
    const QString file = CDialogProvider::Instance().GetOpenFileName(this, QStringLiteral("Images (*.png)"),
                                                                     QStringLiteral("png"));
    if (file.isEmpty())
        return;
    const int corner = SelectedCorner();
    if (!m_preview->LoadItemPicture(file, corner)) {
        CDialogProvider::Instance().MessageBox(
            this,
            QStringLiteral("无法读取图片“%1”，请选择PNG格式的图片。").arg(QDir::toNativeSeparators(file)),
            PromptCaption(), QMessageBox::Ok);
        return;
    }
    // The new picture sits centred on the corner: its shifts start at 0.
    const QSize size = m_preview->ItemSize(corner);
    m_corners[corner] = {{corner, CPlayerCanvasCtrl::CentredOffset(size), size, file}, QPoint()};
    m_current = QPoint();
    ShowCornerState(corner);
    RefreshEdits();
}

void CSkinFrameDlg::Clear()
{
    const int corner = SelectedCorner();
    m_corners[corner] = Corner();
    m_current = QPoint();
    ShowCornerState(corner);
    m_preview->RemoveItem(corner);
    RefreshEdits();
}

QPoint CSkinFrameDlg::PlaceAtShift(int corner, QPoint shift)
{
    Placement& place = m_corners[corner].place;
    place.offset = CPlayerCanvasCtrl::ClampOffset(corner, place.size, OffsetAt(place, shift));
    m_preview->SetItemOffset(place.offset, corner);
    return ShiftOf(place);
}

void CSkinFrameDlg::OnShiftsTyped()
{
    const int corner = SelectedCorner();
    // The typed values are kept for the corner; the edits show where the limits let it go.
    m_corners[corner].shift = {EditValue(m_xEdit), EditValue(m_yEdit)};
    m_current = m_corners[corner].shift;
    if (!m_corners[corner].place.file.isEmpty())
        m_current = PlaceAtShift(corner, m_current);
    RefreshEdits();
}

void CSkinFrameDlg::OnArrows(bool horizontal, int action)
{
    const int step = ArrowStep(horizontal ? m_xArrows : m_yArrows, action);
    const int corner = SelectedCorner();
    Corner& shown = m_corners[corner];
    if (shown.place.file.isEmpty() || step == 0)
        return;
    m_current = PlaceAtShift(corner, m_current + (horizontal ? QPoint(step, 0) : QPoint(0, step)));
    if (horizontal)
        shown.shift.setX(m_current.x());
    else
        shown.shift.setY(m_current.y());
    RefreshEdits();
}

void CSkinFrameDlg::OnItemDragged(int corner, QPoint delta)
{
    Corner& shown = m_corners[corner];
    if (shown.place.file.isEmpty())
        return;
    shown.shift = PlaceAtShift(corner, ShiftOf(shown.place) + delta);
    m_current = shown.shift;
    RefreshEdits();
}

void CSkinFrameDlg::RefreshEdits()
{
    const QString x = QString::number(m_current.x());
    const QString y = QString::number(m_current.y());
    if (m_xEdit->text() != x)
        m_xEdit->setText(x);
    if (m_yEdit->text() != y)
        m_yEdit->setText(y);
}

void CSkinFrameDlg::resizeEvent(QResizeEvent* event)
{
    CWizardPage::resizeEvent(event);
    LayoutControls();
}

void CSkinFrameDlg::LayoutControls()
{
    const int top = m_group->geometry().bottom() + 1 + 15;
    const int w = std::min(width() - 40, kPreviewMaxWidth);
    const int h = height() - 10 - top;
    m_preview->setGeometry(20, top, std::max(0, w), std::max(0, h));
    m_preview->ShowCorner(SelectedCorner());
    update();
}

void CSkinFrameDlg::paintEvent(QPaintEvent*)
{
    PaintGreyArea(m_group->geometry().bottom() + 1 + 10);
}
