#include "pages/CStretchDlg.h"

#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "controls/CPreviewCtrl.h"
#include "controls/CStretchResultCtrl.h"
#include "skin/HeaderCrop.h"
#include "skin/SkinDocument.h"
#include "ui/ArrowEdits.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

namespace {

// A template rectangle (x, y, width, height in dialog units) in pixels; the corners are
// converted, as the dialog manager does.
QRect DluRect(int x, int y, int width, int height)
{
    const int left = CWizardPage::DluX(x);
    const int top = CWizardPage::DluY(y);
    return QRect(left, top, CWizardPage::DluX(x + width) - left, CWizardPage::DluY(y + height) - top);
}

// An integer as the edits accept it: optional sign and digits, surrounding blanks allowed.
bool ParseEdge(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

constexpr int kResultMargin = 10;
constexpr int kResultBottomLimit = 560;
constexpr int kPreviewTop = 180;
constexpr int kPreviewMaxBottom = 321;
constexpr int kPreviewWidth = 704;
constexpr int kPreviewHeight = 141;

} // namespace

CStretchDlg::CStretchDlg(SkinDocument& document, QWidget* parent) : CWizardPage(131, document, parent)
{
    const QFont textFont = UiFont(12, 400);

    CreateTitle(tr("设置扩展区域(可选)"));

    m_description =
        MakeLabel(this, QStringLiteral("static1033"),
                  tr("选择头图的一段区域作为扩展区域，如果不需要设置扩展区域，直接点击“跳过”"), &textFont);
    m_description->setGeometry(DluRect(18, 26, 414, 11));

    m_helpLink = new CLinkLabel(this);
    m_helpLink->setObjectName(QStringLiteral("link1047"));
    m_helpLink->setGeometry(DluRect(121, 8, 75, 11));
    m_helpLink->setText(tr("什么是扩展区域？"));
    m_helpLink->SetSitePage(SitePage::StretchHelp);
    KeepBesideTitle(m_helpLink);

    m_settingsGroup = new QGroupBox(tr("设置扩展区域，选择扩展方式"), this);
    m_settingsGroup->setObjectName(QStringLiteral("group1072"));
    m_settingsGroup->setGeometry(DluRect(17, 43, 396, 56));
    m_settingsGroup->setFont(textFont);

    QLabel* fromLabel = MakeLabel(this, QStringLiteral("static1052"), tr("扩展区域左起："), &textFont);
    fromLabel->setGeometry(DluRect(25, 61, 56, 12));
    m_leftEdit = new QLineEdit(this);
    m_leftEdit->setFont(textFont);
    m_leftEdit->setObjectName(QStringLiteral("edit1048"));
    m_leftEdit->setAccessibleName(tr("扩展区域左起（像素）"));
    m_leftEdit->setGeometry(DluRect(88, 57, 19, 15));
    m_leftArrows = new QScrollBar(Qt::Horizontal, this);
    m_leftArrows->setObjectName(QStringLiteral("arrows1049"));
    m_leftArrows->setGeometry(DluRect(107, 57, 19, 15));
    QLabel* toLabel = MakeLabel(this, QStringLiteral("static1053"), tr("像素(4~699) 右至："), &textFont);
    toLabel->setGeometry(DluRect(127, 60, 72, 12));
    m_rightEdit = new QLineEdit(this);
    m_rightEdit->setFont(textFont);
    m_rightEdit->setObjectName(QStringLiteral("edit1050"));
    m_rightEdit->setAccessibleName(tr("扩展区域右至（像素）"));
    m_rightEdit->setGeometry(DluRect(200, 57, 19, 15));
    m_rightArrows = new QScrollBar(Qt::Horizontal, this);
    m_rightArrows->setObjectName(QStringLiteral("arrows1051"));
    m_rightArrows->setGeometry(DluRect(219, 57, 19, 15));
    QLabel* unitLabel = MakeLabel(this, QStringLiteral("static1054"), tr("像素(5~700)"), &textFont);
    unitLabel->setGeometry(DluRect(239, 61, 46, 12));
    QLabel* dragLabel =
        MakeLabel(this, QStringLiteral("static1055"), tr(" (您也可以直接在下图中拖拽设置)"), &textFont);
    dragLabel->setGeometry(DluRect(285, 61, 125, 15));
    QLabel* modeLabel = MakeLabel(this, QStringLiteral("static1069"), tr("区域扩展方式："), &textFont);
    modeLabel->setGeometry(DluRect(25, 83, 61, 11));
    m_stretchRadio = new QRadioButton(tr("拉伸该区域"), this);
    m_stretchRadio->setObjectName(QStringLiteral("radio1070"));
    m_stretchRadio->setGeometry(DluRect(87, 80, 66, 15));
    m_stretchRadio->setFont(textFont);
    m_tileRadio = new QRadioButton(tr("平铺该区域"), this);
    m_tileRadio->setObjectName(QStringLiteral("radio1071"));
    m_tileRadio->setGeometry(DluRect(170, 80, 66, 15));
    m_tileRadio->setFont(textFont);
    // Longer translations push the rest of their row to the right.
    FlowRow({fromLabel, m_leftEdit, m_leftArrows, toLabel, m_rightEdit, m_rightArrows, unitLabel, dragLabel},
            2);
    FlowRow({modeLabel, m_stretchRadio, m_tileRadio}, 6);

    m_illustrationGroup = new QGroupBox(tr("示意图"), this);
    m_illustrationGroup->setObjectName(QStringLiteral("group1068"));
    m_illustrationGroup->setGeometry(DluRect(421, 4, 159, 81));
    m_illustration = new CPictureLabel(this);
    m_illustration->setObjectName(QStringLiteral("illustration1065"));
    m_illustration->setGeometry(DluRect(427, 15, 111, 56));
    if (m_illustration->LoadFromResource(175, ResourceType::Bitmap))
        m_illustration->ResizeToPicture();

    m_preview = new CPreviewCtrl(this);
    connect(m_preview, &CPreviewCtrl::regionChanged, this,
            [this](SkinRect region) { Document().SetStretchRegion(region); });
    m_preview->setObjectName(QStringLiteral("preview1013"));
    m_preview->setGeometry(DluRect(24, 130, 300, 97));
    m_previewLabel = MakeLabel(this, QStringLiteral("static-1"), tr("预览："));
    m_previewLabel->setGeometry(DluRect(7, 232, 86, 13));
    m_result = new CStretchResultCtrl(this);
    m_result->setObjectName(QStringLiteral("result1014"));
    m_result->setGeometry(DluRect(6, 253, 367, 60));

    for (QScrollBar* bar : {m_leftArrows, m_rightArrows}) {
        SetUpArrowBar(bar);
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) { OnArrows(bar, action); });
    }
    // Typed edges apply when complete (Enter or leaving the edit), so that "500" can be typed.
    connect(m_leftEdit, &QLineEdit::editingFinished, this, &CStretchDlg::OnEditChanged);
    connect(m_rightEdit, &QLineEdit::editingFinished, this, &CStretchDlg::OnEditChanged);
    connect(m_stretchRadio, &QRadioButton::clicked, this, [this] { SetTileMode(StretchMode::Stretch); });
    connect(m_tileRadio, &QRadioButton::clicked, this, [this] { SetTileMode(StretchMode::Tile); });
    connect(&document, &SkinDocument::pictureChanged, this, &CStretchDlg::ShowLook);
    connect(&document, &SkinDocument::cropChanged, this, &CStretchDlg::ShowLook);
    connect(&document, &SkinDocument::colourChanged, this, &CStretchDlg::ShowLook);
    connect(&document, &SkinDocument::stretchChanged, this, &CStretchDlg::ShowRegion);
    connect(&document, &SkinDocument::contentReplaced, this,
            [this] { m_restored = !Document().StretchRegion().IsNull(); });
    ShowLook();
    RefreshEdits();
}

void CStretchDlg::StartStep()
{
    // The page may be entered before it was ever shown: its previews are placed for its size first.
    LayoutControls();
    if (m_restored) {
        ShowRegion();
        return;
    }
    SkinDocument& document = Document();
    document.SetStretchRegion(DefaultStretchRegion(document.Crop()));
    document.SetStretchMode(StretchMode::Stretch);
}

void CStretchDlg::ResetPage()
{
    m_restored = false;
}

StretchMode CStretchDlg::TileMode() const
{
    return Document().Stretch();
}

void CStretchDlg::ShowLook()
{
    const SkinDocument& document = Document();
    const SkinRect crop = document.Crop();
    m_preview->SetPicture(document.Picture());
    m_preview->SetPictureRect(crop.left, crop.top, crop.right, crop.bottom);
    m_preview->SetMainColor(document.MainColour());
    m_preview->SetTabTextWhite(document.WhiteTabText() ? 1 : 0);
    m_result->SetPicture(document.Picture());
    m_result->SetPictureRect(crop.left, crop.top, crop.right, crop.bottom);
    m_result->SetMainColor(document.MainColour());
    ShowRegion();
}

void CStretchDlg::ShowRegion()
{
    const SkinDocument& document = Document();
    const SkinRect region = document.StretchRegion();
    const SkinRect crop = document.Crop();
    const StretchMode mode = document.Stretch();
    m_result->SetTileMode(mode);
    m_stretchRadio->setChecked(mode == StretchMode::Stretch);
    m_tileRadio->setChecked(mode == StretchMode::Tile);
    if (region.IsNull() || crop.Width() <= 0 || !m_preview->HasPicture())
        return;
    // A page not shown yet has not had its size applied to the previews.
    if (!isVisible())
        LayoutControls();
    m_result->SetRegion(region.left, region.top, region.right, region.bottom);
    // A region the selection already maps to stays as the user dragged it; any other (an opened
    // package's, the default one, an undone one) is shown by the selection nearest to it.
    const bool resized = m_previewWidth != m_preview->width();
    m_previewWidth = m_preview->width();
    if (m_preview->SelectionEnabled() && m_preview->GetRegion() == region && !resized) {
        m_leftEdge = m_preview->Selection().left;
        m_rightEdge = m_preview->Selection().right;
        RefreshEdits();
        return;
    }
    const SkinRect band = CPreviewCtrl::HeaderBandFor(m_preview->width(), m_preview->height());
    const int64_t d = band.Width() - 4;
    if (d <= 0)
        return;
    // The header is drawn with a 2-pixel inset; the smallest column that maps onto the edge.
    const auto column = [&](int32_t x) {
        const int64_t offset = int64_t(x) - crop.left;
        return static_cast<int>(2 + (offset * d + crop.Width() - 1) / crop.Width());
    };
    m_leftEdge = column(region.left);
    m_rightEdge = column(region.right);
    m_preview->SetSelection(m_leftEdge, band.top, m_rightEdge, band.bottom - 1);
    {
        // The preview maps its selection for itself; the document keeps the region it has.
        const QSignalBlocker blocker(m_preview);
        m_preview->NotifyRegion();
    }
    m_preview->update();
    RefreshEdits();
}

void CStretchDlg::showEvent(QShowEvent* event)
{
    CWizardPage::showEvent(event);
    LayoutControls();
    ShowRegion();
}

int CStretchDlg::GreyAreaTop() const
{
    return m_settingsGroup->geometry().bottom() + 1 + 20;
}

void CStretchDlg::OnArrows(QScrollBar* bar, int action)
{
    // An edge still being typed counts: the step starts from it.
    if ((m_leftEdit->isModified() || m_rightEdit->isModified()) && TakeTypedEdges())
        ApplyEdges();
    int& edge = bar == m_leftArrows ? m_leftEdge : m_rightEdge;
    edge += ArrowStep(bar, action);
    ApplyEdges();
}

bool CStretchDlg::TakeTypedEdges()
{
    // Text that is not a whole number is left in the edit for the user to finish; the edges keep
    // their values until both edits hold numbers again.
    int left = 0;
    int right = 0;
    if (!ParseEdge(m_leftEdit->text(), left) || !ParseEdge(m_rightEdit->text(), right))
        return false;
    m_leftEdge = left;
    m_rightEdge = right;
    return true;
}

void CStretchDlg::ApplyEdges()
{
    // The preview clamps the edges; the edits show the clamped values.
    const SkinRect selection = m_preview->SetSelectionEdges(m_leftEdge, m_rightEdge);
    m_leftEdge = selection.left;
    m_rightEdge = selection.right;
    m_leftEdit->setModified(false);
    m_rightEdit->setModified(false);
    RefreshEdits();
}

void CStretchDlg::OnEditChanged()
{
    if (m_leftEdit->text().isEmpty()) {
        // The last value comes back before the message takes the focus (and ends the edit again).
        RefreshEdits();
        ShowMessage(this, MessageKind::Warning, tr("偏移量不能为空！"));
        return;
    }
    if (TakeTypedEdges())
        ApplyEdges();
}

void CStretchDlg::SetTileMode(StretchMode mode)
{
    Document().SetStretchMode(mode);
}

void CStretchDlg::RefreshEdits()
{
    const QString left = QString::number(m_leftEdge);
    const QString right = QString::number(m_rightEdge);
    if (m_leftEdit->text() != left)
        m_leftEdit->setText(left);
    if (m_rightEdit->text() != right)
        m_rightEdit->setText(right);
}

void CStretchDlg::resizeEvent(QResizeEvent* event)
{
    CWizardPage::resizeEvent(event);
    LayoutControls();
    ShowRegion();
}

void CStretchDlg::LayoutControls()
{
    const QRect client = rect();
    // The result preview runs across the page's width near its bottom, at most 141 high.
    const int x = client.left() + kResultMargin;
    const int bottomLimit = std::min(client.top() + client.height() - kResultMargin, kResultBottomLimit);
    const int w = client.left() + client.width() - kResultMargin - x;
    const int h = w > CStretchResultCtrl::kPlayerTopWidth
                      ? CStretchResultCtrl::kPlayerTopHeight
                      : w * CStretchResultCtrl::kPlayerTopHeight / CStretchResultCtrl::kPlayerTopWidth;
    const int top = bottomLimit - h;
    m_result->setGeometry(x, top, std::max(0, w), std::max(0, h));
    m_result->update();
    m_previewLabel->move(x, top - 25);

    // The header preview keeps the 704:141 proportion, at most 704 x 141, centred in the
    // space between the settings and the result.
    int bottom = top - 10;
    if (bottom - kPreviewTop > kPreviewHeight)
        bottom = kPreviewMaxBottom;
    const int previewHeight = std::max(0, bottom - kPreviewTop);
    const int previewWidth = previewHeight * kPreviewWidth / kPreviewHeight;
    const int shift = (top - bottom - 10) / 2;
    m_preview->setGeometry(x, kPreviewTop + shift, previewWidth, previewHeight);
    m_preview->update();
    update();
}

void CStretchDlg::paintEvent(QPaintEvent*)
{
    PaintGreyArea(GreyAreaTop());
}
