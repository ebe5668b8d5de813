#include "controls/CPictureLabel.h"
#include "imaging/ImageLoading.h"
#include "ui/LanguagePictures.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

CPictureLabel::CPictureLabel(QWidget* parent) : QWidget(parent) {}

bool CPictureLabel::LoadFromResource(int id, ResourceType type)
{
    auto picture = std::make_shared<CSkinImage>();
    const QString translated = type == ResourceType::Bitmap ? TranslatedBitmapPath(id) : QString();
    const bool loaded =
        translated.isEmpty() ? picture->LoadFromResource(id, type) : picture->LoadFromFile(translated);
    m_picture = std::move(picture);
    m_picture2x.reset();
    if (loaded && translated.isEmpty()) {
        // Only the built-in original has a 2x rendition; a translated picture has words of its own.
        auto twice = std::make_shared<CSkinImage>();
        const QString path = type == ResourceType::Bitmap ? BitmapResourcePath(id) : PngResourcePath(id);
        if (QFile::exists(TwiceSizePath(path)) && twice->LoadFromFile(TwiceSizePath(path)))
            m_picture2x = std::move(twice);
    }
    if (loaded)
        m_hasPicture = true;
    update();
    return loaded;
}

bool CPictureLabel::LoadFromFile(const QString& path)
{
    auto picture = std::make_shared<CSkinImage>();
    const bool loaded = picture->LoadFromFile(path);
    if (loaded) {
        m_picture = std::move(picture);
        m_picture2x.reset();
        m_hasPicture = true;
    }
    update();
    return loaded;
}

void CPictureLabel::ResizeToPicture()
{
    const QSize size = GetSize();
    if (size.width() > 0 && size.height() > 0)
        resize(size);
}

void CPictureLabel::paintEvent(QPaintEvent*)
{
    if (!m_hasPicture || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    CSkinImage& shown = ratio > 1 && m_picture2x != nullptr ? *m_picture2x : *m_picture;
    shown.DrawScaled(painter, 0, 0, width(), height(), ratio);
}

void CPictureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
