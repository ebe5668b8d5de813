#include "controls/CPictureViewLabel.h"

#include <QPainter>

CPictureViewLabel::CPictureViewLabel(QWidget* parent) : CPictureLabel(parent) {}

void CPictureViewLabel::SetSourcePicture(SharedPicture picture)
{
    m_source = std::move(picture);
    m_hasPicture = true;
    update();
}

void CPictureViewLabel::SetSourceRect(const SkinRect& source)
{
    m_sourceRect = source;
    update();
}

void CPictureViewLabel::Clear()
{
    m_source.reset();
    m_sourceRect = SkinRect{};
    m_hasPicture = false;
    m_picture = std::make_shared<CSkinImage>();
    m_picture2x.reset();
    update();
}

void CPictureViewLabel::paintEvent(QPaintEvent* event)
{
    if (!m_hasPicture || width() <= 0 || height() <= 0)
        return;
    if (m_sourceRect.IsEmpty()) {
        // No region: the label's own picture.
        CPictureLabel::paintEvent(event);
        return;
    }
    // A region without a borrowed picture shows nothing.
    if (m_source == nullptr || !m_source->HasPicture())
        return;
    QPainter painter(this);
    m_source->DrawCroppedScaled(painter, SkinRect{0, 0, width(), height()}, m_sourceRect,
                                ResampleFilter::Hermite, devicePixelRatioF());
}
