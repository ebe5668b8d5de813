#include "pages/CSaveSkin.h"

#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "controls/CPictureViewLabel.h"
#include "imaging/CSkinImage.h"
#include "skin/SkinDocument.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

constexpr double kThumbAspect = 1.6216216216216217; // 60 / 37
constexpr int kSchematicBitmap = 174;

} // namespace

CSaveSkin::CSaveSkin(SkinDocument& document, QWidget* parent) : CWizardPage(133, document, parent)
{
    const QFont text = UiFont(12);
    CreateTitle(tr("保存皮肤"));

    m_intro = new QLabel(tr("恭喜皮肤已完成！填写相关信息并保存皮肤吧！"), this);
    m_infoGroup = new QGroupBox(tr("填写皮肤信息，“ * ”为必填项"), this);
    m_nameLabel = new QLabel(tr("*  皮肤名称："), this);
    m_star = new QLabel(QStringLiteral("*"), this);
    m_star->setObjectName(QStringLiteral("static1063"));
    m_star->setAutoFillBackground(true);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("static1064"));
    ShowInColor(m_star, QColor(255, 0, 0));
    ShowInColor(m_error, QColor(255, 0, 0));

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("edit1045"));
    m_nameEdit->setAccessibleName(tr("皮肤名称"));
    m_nameHint = new QLabel(tr("(为您的皮肤起个好听的名字吧，长度不超过10个汉字)"), this);
    m_previewLabel = new QLabel(tr("皮肤预览："), this);
    m_pathEdit = new QLineEdit(ThumbnailHint(), this);
    m_pathEdit->setObjectName(QStringLiteral("edit1037"));
    m_pathEdit->setAccessibleName(tr("缩略图文件"));
    m_pathEdit->setReadOnly(true);
    m_browse = new QPushButton(tr("浏览"), this);
    m_browse->setObjectName(QStringLiteral("button1028"));
    connect(m_browse, &QPushButton::clicked, this, &CSaveSkin::BrowseThumbnail);

    m_thumb = new CPictureViewLabel(this);
    m_thumb->setObjectName(QStringLiteral("thumbnail1027"));
    m_thumb->resize(kThumbWidth, kThumbHeight);

    m_upload = new CLinkLabel(this);
    m_upload->setObjectName(QStringLiteral("link1062"));
    m_upload->setText(tr("将皮肤上传到Vadi网站"));
    m_upload->SetSitePage(SitePage::Upload);
    m_upload->adjustSize();

    m_savedTo = new QLabel(this);
    m_savedTo->setObjectName(QStringLiteral("savedTo"));
    m_savedTo->setWordWrap(true);
    m_savedTo->setTextFormat(Qt::PlainText);
    m_savedTo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_savedTo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_schematicGroup = new QGroupBox(tr("示意图"), this);
    m_schematic = new CPictureLabel(this);
    m_schematic->setObjectName(QStringLiteral("picture1065"));
    m_schematic->LoadFromResource(kSchematicBitmap, ResourceType::Bitmap);
    m_schematic->ResizeToPicture();

    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_intro, m_infoGroup, m_nameLabel, m_pathEdit, m_nameHint,
                                         m_previewLabel, m_schematicGroup, m_savedTo}) {
        widget->setFont(text);
    }
    for (QLabel* label : {m_intro, m_nameLabel, m_star, m_nameHint, m_previewLabel})
        label->adjustSize();
    m_infoGroup->lower();
    m_schematicGroup->lower();

    connect(m_nameEdit, &QLineEdit::textChanged, this,
            [this](const QString& name) { Document().SetSkinName(name); });
    connect(&document, &SkinDocument::nameChanged, this, &CSaveSkin::ShowName);
    connect(&document, &SkinDocument::thumbnailChanged, this, &CSaveSkin::ShowThumbnail);
    connect(&document, &SkinDocument::pictureChanged, this, &CSaveSkin::ShowThumbnail);
    connect(&document, &SkinDocument::cropChanged, this, &CSaveSkin::ShowThumbnail);
    // A package saved or opened earlier is not this skin's place once the skin is another.
    connect(&document, &SkinDocument::contentReplaced, this, [this] { ShowSavedPackage({}); });
}

bool CSaveSkin::ThumbnailChosen() const
{
    return !Document().ThumbnailPath().isEmpty();
}

QString CSaveSkin::ThumbnailPath() const
{
    return Document().ThumbnailPath();
}

void CSaveSkin::ShowName(const QString& name)
{
    if (m_nameEdit->text() != name)
        m_nameEdit->setText(name);
}

QString CSaveSkin::ThumbnailHint()
{
    return tr("60×37像素，jpg/png/bmp格式；若不上传系统将自动生成");
}

SkinRect CSaveSkin::AutoThumbnailRect(const SkinRect& crop)
{
    const int left = static_cast<int>(std::trunc(crop.right - crop.Height() * kThumbAspect));
    return {left, crop.top, crop.right, crop.bottom};
}

void CSaveSkin::ShowThumbnail()
{
    const SkinDocument& document = Document();
    m_thumb->Clear();
    if (!document.ThumbnailPath().isEmpty()) {
        m_pathEdit->setText(document.ThumbnailPath());
        m_thumb->LoadFromFile(document.ThumbnailPath());
    } else {
        m_pathEdit->setText(ThumbnailHint());
        if (document.HasPicture()) {
            m_thumb->SetSourcePicture(document.Picture());
            m_thumb->SetSourceRect(AutoThumbnailRect(document.Crop()));
        }
    }
    update();
}

void CSaveSkin::ShowSavedPackage(const QString& path)
{
    m_savedTo->setText(path.isEmpty() ? QString()
                                      : tr("皮肤已保存到：%1").arg(QDir::toNativeSeparators(path)));
}

void CSaveSkin::ResetPage()
{
    ShowSavedPackage({});
    ShowName(Document().SkinName());
    ShowThumbnail();
}

void CSaveSkin::BrowseThumbnail()
{
    const QString path = CDialogProvider::Instance().GetOpenFileName(
        this, tr("图片(*.jpg *.jpeg *.png *.bmp)"), QStringLiteral("jpg"));
    if (path.isEmpty())
        return;
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(path)) {
        // The thumbnail the user had stays: the earlier good picture, or the automatic one.
        ShowThumbnail();
        m_pathEdit->setText(tr("加载图片失败！"));
        return;
    }
    Document().SetThumbnail(path, std::move(picture));
}

void CSaveSkin::resizeEvent(QResizeEvent* event)
{
    CWizardPage::resizeEvent(event);
    const int w = width();
    m_intro->move(25, 40);
    m_infoGroup->setGeometry(15, 65, std::max(0, w - 30), 175);

    const int labelLeft = 40;
    const int fieldLeft = 130;
    m_nameLabel->move(labelLeft, 98);
    m_star->move(labelLeft, 98);
    m_nameEdit->setGeometry(fieldLeft, 94, 220, 22);
    m_error->setGeometry(fieldLeft + 226, 120, 300, 15);
    m_nameHint->move(fieldLeft + 226, 98);

    m_previewLabel->move(labelLeft, 138);
    m_pathEdit->setGeometry(fieldLeft, 134, 330, 22);
    m_browse->setGeometry(fieldLeft + 336, 133, 70, 24);
    m_thumb->setGeometry(fieldLeft, 164, kThumbWidth, kThumbHeight);
    const int savedLeft = fieldLeft + kThumbWidth + 16;
    m_savedTo->setGeometry(savedLeft, 164, std::max(0, w - 30 - savedLeft), 44);
    m_upload->move(labelLeft, 212);

    const QSize schematic = m_schematic->GetSize();
    m_schematicGroup->setGeometry(15, 250, std::max(0, w - 30), schematic.height() + 30);
    m_schematic->setGeometry(25, 270, schematic.width(), schematic.height());
}

void CSaveSkin::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape inside the page do nothing here; the wizard handles Escape itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CWizardPage::keyPressEvent(event);
}
