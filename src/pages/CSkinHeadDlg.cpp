#include "pages/CSkinHeadDlg.h"

#include "controls/CLinkLabel.h"
#include "controls/CPictureCtrl.h"
#include "controls/CPictureLabel.h"
#include "controls/CPreviewCtrl.h"
#include "controls/ControlDrawing.h"
#include "imaging/ColorModel.h"
#include "platform/FileExtensions.h"
#include "skin/HeaderCrop.h"
#include "skin/SkinDocument.h"
#include "ui/CDialogProvider.h"
#include "ui/KeyboardLinks.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The hint line's texts, translated where shown.
const char* const kHintFull =
    QT_TRANSLATE_NOOP("CSkinHeadDlg", "jpg/jpeg/png/bmp格式图片，建议大小<10M，最佳尺寸为700x61像素");
const char* const kHintShort = QT_TRANSLATE_NOOP("CSkinHeadDlg", "jpg/jpeg/png/bmp格式图片，建议大小<10M");
const char* const kHintLoading = QT_TRANSLATE_NOOP("CSkinHeadDlg", "正在加载图片。。。");
const char* const kHintFailed = QT_TRANSLATE_NOOP("CSkinHeadDlg", "加载图片失败！");
const char* const kHintCrop = QT_TRANSLATE_NOOP("CSkinHeadDlg", "在下方预览区域内截取图片！");

constexpr int kDiagramId = 176;

// Places labels one after another on a line, each at its own size.
void PlaceInLine(int x, int y, std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        widget->move(x, y);
        x += widget->width();
    }
}

bool IsAcceptedDrop(const QMimeData* mime)
{
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1 ||
        !mime->urls().constFirst().isLocalFile())
        return false;
    const QString path = mime->urls().constFirst().toLocalFile();
    const QString suffix = path.mid(path.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("png") || suffix == QLatin1String("bmp") || suffix == QLatin1String("vsf");
}

} // namespace

const char* const CSkinHeadDlg::kPictureFilter =
    QT_TRANSLATE_NOOP("CSkinHeadDlg", "图片(*.jpg *.jpeg *.png *.bmp)");
const char* const CSkinHeadDlg::kPackageFilter = "Vadi Skin File(*.vsf)";
const char* const CSkinHeadDlg::kBrowseFilter = QT_TRANSLATE_NOOP(
    "CSkinHeadDlg",
    "图片或皮肤包(*.jpg *.jpeg *.png *.bmp *.vsf);;图片(*.jpg *.jpeg *.png *.bmp);;皮肤包(*.vsf)");

namespace {

// The worker's whole work: decode, then make the renditions the first paints will ask for, so
// that the interface thread does not resample a large picture when it shows it.
SharedPicture LoadOnWorker(const QString& path, QSize cropSize, QSize previewInset, double ratio)
{
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(path))
        return nullptr;
    const QSize size = picture->GetSize();
    const SkinRect display = FitDisplay(size, cropSize);
    if (display.IsEmpty())
        return picture;
    // The crop control's rendition, in the screen's device pixels as it draws it.
    const SkinRect shown = DeviceRect(display, ratio);
    picture->GetScaledBitmap(shown.Width(), shown.Height(), ResampleFilter::Hermite);
    const SkinRect header = DefaultCrop(size);
    if (!header.IsEmpty() && !previewInset.isEmpty())
        picture->GetCroppedScaledBitmap(previewInset.width(), previewInset.height(), header,
                                        ResampleFilter::Hermite);
    return picture;
}

} // namespace

CSkinHeadDlg::CSkinHeadDlg(SkinDocument& document, QWidget* parent) : CWizardPage(129, document, parent)
{
    setAcceptDrops(true);
    CreateTitle(tr("选择图片"));

    m_group1016 = new QGroupBox(tr("选择一张图片或者皮肤包，在其基础上制作或者修改Vadi音乐盒皮肤"), this);
    m_group1016->setObjectName(QStringLiteral("group1016"));
    m_group1016->setFont(UiFont(12));
    m_group1016->setGeometry(10, 36, 704, 72);

    m_hint1025 = new QLineEdit(tr(kHintFull), this);
    m_hint1025->setObjectName(QStringLiteral("hint1025"));
    m_hint1025->setReadOnly(true);
    m_hint1025->setAccessibleName(tr("图片文件"));
    m_hint1025->setFont(UiFont(12));
    m_hint1025->setGeometry(22, 62, 560, 24);

    m_button1005 = new QPushButton(tr("浏览"), this);
    m_button1005->setObjectName(QStringLiteral("button1005"));
    m_button1005->setFont(UiFont(12));
    m_button1005->setGeometry(596, 60, 104, 28);
    connect(m_button1005, &QPushButton::clicked, this, &CSkinHeadDlg::Browse);

    const QFont textFont = UiFont(12, 400);
    const QFont linkFont = UiFont(12, 400, true);
    m_text1056 = MakeLabel(this, QStringLiteral("text1056"), tr("您可以"), &textFont);
    m_text1057 = MakeLabel(this, QStringLiteral("text1057"), tr("选择一张图片"), &linkFont);
    m_text1058 = MakeLabel(this, QStringLiteral("text1058"), tr("重新制作皮肤，也可以"), &textFont);
    m_text1038 = MakeLabel(this, QStringLiteral("text1038"), tr("编辑已有皮肤"), &linkFont);
    m_text1059 = MakeLabel(this, QStringLiteral("text1059"), tr("如果您不太了解如何制作皮肤，可以点击这里："),
                           &textFont);
    ShowAsLink(m_text1057);
    ShowAsLink(m_text1038);
    m_link1060 = new CLinkLabel(this);
    m_link1060->setObjectName(QStringLiteral("link1060"));
    m_link1060->setText(tr("查看皮肤制作教程"));
    m_link1060->SetSitePage(SitePage::MakingHelp);
    m_link1060->adjustSize();
    PlaceInLine(16, 122, {m_text1056, m_text1057, m_text1058, m_text1038});
    PlaceInLine(16, 144, {m_text1059, m_link1060});
    m_text1057->installEventFilter(this);
    m_text1038->installEventFilter(this);
    // The two links of the sentence open their dialogs by keyboard too.
    connect(new CKeyboardLink(static_cast<QLabel*>(m_text1057)), &CKeyboardLink::activated, this,
            &CSkinHeadDlg::ChoosePictureWithDialog);
    connect(new CKeyboardLink(static_cast<QLabel*>(m_text1038)), &CKeyboardLink::activated, this,
            &CSkinHeadDlg::ChoosePackageWithDialog);

    m_diagramBox1068 = new QGroupBox(tr("示意图"), this);
    m_diagramBox1068->setObjectName(QStringLiteral("group1068"));
    m_diagramBox1068->setFont(UiFont(12));
    m_diagramBox1068->setGeometry(16, 172, 254, 118);
    m_diagram1065 = new CPictureLabel(this);
    m_diagram1065->setObjectName(QStringLiteral("diagram1065"));
    m_diagram1065->LoadFromResource(kDiagramId, ResourceType::Bitmap);
    m_diagram1065->ResizeToPicture();
    m_diagram1065->move(28, 192);

    m_previewLabel = MakeLabel(this, QStringLiteral("previewLabel"), tr("预览："), &textFont);

    m_crop = new CPictureCtrl(this);
    m_crop->setObjectName(QStringLiteral("crop1006"));
    m_crop->hide();
    connect(m_crop, &CPictureCtrl::cropChanged, this, [this](SkinRect crop) { Document().SetCrop(crop); });
    m_preview = new CPreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1007"));
    m_preview->SetMainColor(HslToRgb(0, 0, 0));

    m_greyTop = IntroductionBottom();

    connect(&document, &SkinDocument::pictureChanged, this, &CSkinHeadDlg::ShowPicture);
    connect(&document, &SkinDocument::cropChanged, this, &CSkinHeadDlg::ShowCrop);
    // A skin opened (or made anew) while a picture loads wins: the load's result is dropped.
    connect(&document, &SkinDocument::contentReplaced, this, [this] {
        ++m_generation;
        m_hasPending = false;
        FinishLoading();
    });
}

QString CSkinHeadDlg::PicturePath() const
{
    return IsLoading() ? m_loadPath : Document().PicturePath();
}

SkinRect CSkinHeadDlg::CropRect() const
{
    return Document().Crop();
}

CSkinHeadDlg::~CSkinHeadDlg()
{
    // A worker still decoding is let finish; its result goes nowhere.
    m_hasPending = false;
    if (IsLoading())
        m_load.waitForFinished();
}

int CSkinHeadDlg::IntroductionBottom() const
{
    return m_text1059->y() + m_text1059->height();
}

void CSkinHeadDlg::NudgeCrop(int dx, int dy)
{
    m_crop->Nudge(dx, dy);
}

void CSkinHeadDlg::ShowCrop()
{
    const SkinRect crop = Document().Crop();
    m_crop->SetCrop(crop);
    m_preview->SetPictureRect(crop.left, crop.top, crop.right, crop.bottom);
}

bool CSkinHeadDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_text1057) {
            ChoosePictureWithDialog();
            return true;
        }
        if (watched == m_text1038) {
            ChoosePackageWithDialog();
            return true;
        }
    }
    return CWizardPage::eventFilter(watched, event);
}

void CSkinHeadDlg::Browse()
{
    const QString path =
        CDialogProvider::Instance().GetOpenFileName(this, tr(kBrowseFilter), QStringLiteral("jpg"));
    if (!path.isEmpty())
        OpenChosenFile(path);
}

void CSkinHeadDlg::ChoosePictureWithDialog()
{
    const QString path =
        CDialogProvider::Instance().GetOpenFileName(this, tr(kPictureFilter), QStringLiteral("jpg"));
    if (!path.isEmpty())
        ChoosePicture(path);
}

void CSkinHeadDlg::ChoosePackageWithDialog()
{
    const QString path = CDialogProvider::Instance().GetOpenFileName(this, QString::fromUtf8(kPackageFilter),
                                                                     QStringLiteral("vsf"));
    if (!path.isEmpty())
        emit openPackageRequested(path);
}

void CSkinHeadDlg::OpenChosenFile(const QString& path)
{
    if (IsPackageFileName(path))
        emit openPackageRequested(path);
    else
        ChoosePicture(path);
}

void CSkinHeadDlg::ChoosePicture(const QString& path)
{
    ++m_generation;
    m_preview->ClearPicture();
    m_crop->BeginLoading();
    m_hint1025->setText(tr(kHintLoading));
    if (IsLoading()) {
        // The running load cannot be stopped; this choice follows it, and its result is dropped.
        m_pendingPath = path;
        m_hasPending = true;
    } else {
        StartLoad(path);
    }
    update();
}

void CSkinHeadDlg::StartLoad(const QString& path)
{
    const SkinRect band = CPreviewCtrl::HeaderBandFor(m_preview->width(), m_preview->height());
    const int loadId = ++m_lastLoadId;
    m_loadId = loadId;
    m_loadPath = path;
    m_loadGeneration = m_generation;
    m_load = QtConcurrent::run(LoadOnWorker, path, m_crop->size(), QSize(band.Width() - 4, band.Height() - 2),
                               m_crop->devicePixelRatioF());
    // The watcher reports through the event loop, never from within this call.
    auto* watcher = new QFutureWatcher<SharedPicture>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, loadId] {
        watcher->deleteLater();
        FinishLoad(loadId, watcher->result());
    });
    watcher->setFuture(m_load);
}

void CSkinHeadDlg::FinishLoad(int loadId, SharedPicture picture)
{
    if (loadId == 0 || loadId != m_loadId)
        return; // already finished
    m_loadId = 0;
    if (m_loadGeneration != m_generation) {
        // A newer choice or a reset came meanwhile: this result is dropped.
        if (m_hasPending) {
            m_hasPending = false;
            StartLoad(m_pendingPath);
        }
        return;
    }
    ApplyLoad(m_loadPath, std::move(picture));
}

void CSkinHeadDlg::FinishLoading()
{
    while (IsLoading()) {
        const int loadId = m_loadId;
        SharedPicture picture = m_load.result();
        FinishLoad(loadId, std::move(picture));
    }
}

void CSkinHeadDlg::ApplyLoad(const QString& path, SharedPicture picture)
{
    if (picture == nullptr) {
        // A failed load changes nothing: the picture held before comes back, with its crop.
        m_crop->EndLoading();
        if (Document().HasPicture()) {
            m_preview->SetPicture(Document().Picture());
            ShowCrop();
        } else {
            m_crop->ClearPicture(); // nothing to go back to: hold no stale picture either
            emit pictureGone();
        }
        m_hint1025->setText(tr(kHintFailed));
        update();
        return;
    }
    Document().SetPicture(path, std::move(picture));
}

void CSkinHeadDlg::ShowPicture()
{
    const SkinDocument& document = Document();
    if (!document.HasPicture()) {
        m_crop->ClearPicture();
        m_preview->ClearPicture();
        // An opened package whose header cannot be read says so; a fresh skin shows the introduction.
        if (!document.PicturePath().isEmpty())
            m_hint1025->setText(tr(kHintFailed));
        emit pictureGone();
        update();
        return;
    }
    // One decoded picture serves both controls, framed at the document's crop.
    {
        const QSignalBlocker blocker(m_crop);
        m_crop->SetPicture(document.Picture());
    }
    m_preview->SetPicture(document.Picture());
    ShowCrop();
    CreateTitle(tr("截取头图"));
    m_hint1025->setText(tr(kHintCrop));
    m_button1005->setText(tr("重新选择图片"));
    WidenToText(m_button1005);
    emit pictureReady();
    ShowIntroduction(false);
    m_crop->show();
    m_greyTop = m_group1016->y() + m_group1016->height() + 5;
    update();
}

void CSkinHeadDlg::ShowIntroduction(bool show)
{
    for (QWidget* widget :
         {m_text1056, m_text1057, m_text1058, m_text1059, static_cast<QWidget*>(m_link1060), m_text1038,
          static_cast<QWidget*>(m_diagramBox1068), static_cast<QWidget*>(m_diagram1065)})
        widget->setVisible(show);
}

void CSkinHeadDlg::ResetPage()
{
    ++m_generation;
    m_hasPending = false;
    m_preview->ClearPicture();
    m_crop->ClearPicture();
    m_hint1025->setText(tr(kHintShort));
    m_button1005->setText(tr("浏览"));
    ShowIntroduction(true);
    m_crop->hide();
    m_greyTop = IntroductionBottom();
    update();
}

void CSkinHeadDlg::paintEvent(QPaintEvent*)
{
    PaintGreyArea(m_greyTop);
}

void CSkinHeadDlg::resizeEvent(QResizeEvent*)
{
    const int previewWidth = std::max(0, std::min(width() - 20, 704));
    const int previewHeight = previewWidth * 141 / 704;
    const int previewTop = height() - 10 - previewHeight;
    m_preview->setGeometry(10, previewTop, previewWidth, previewHeight);
    m_previewLabel->move(10, previewTop - 20);
    m_crop->setGeometry(10, 119, 700, std::max(0, previewTop - 119 - 30));
    update();
}

void CSkinHeadDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (IsAcceptedDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CSkinHeadDlg::dropEvent(QDropEvent* event)
{
    if (!IsAcceptedDrop(event->mimeData()))
        return;
    event->acceptProposedAction();
    OpenChosenFile(event->mimeData()->urls().constFirst().toLocalFile());
}
