#include "controls/CPictureLabel.h"
#include "ui/LanguagePictures.h"

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
    m_picture->DrawScaled(painter, 0, 0, width(), height(), devicePixelRatioF());
}

void CPictureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
