#include "controls/CSkinButton2.h"

#include "imaging/ImageLoading.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Stronger outer lines mark the swatch under the mouse and the chosen swatch.
constexpr uint32_t kHoverBorderColor = 0x64000000;
constexpr uint32_t kSelectedBorderColor = 0xA0000000;

QColor Argb(uint32_t argb)
{
    return QColor::fromRgba(argb);
}

// The same colour with its alpha halved (the low bit dropped first), for the softened corners.
QColor HalfAlpha(uint32_t argb)
{
    const uint32_t alpha = ((argb >> 24) & 0xFE) >> 1;
    return QColor::fromRgba((argb & 0x00FFFFFF) | alpha << 24);
}

// One 1-pixel ring inside rect (right and bottom exclusive): the four sides without their
// end pixels, and the four corner pixels at half strength.
void DrawRing(QPainter& painter, const QRect& rect, uint32_t argb)
{
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.left() + rect.width();
    const int b = rect.top() + rect.height();
    if (r - l < 2 || b - t < 2)
        return;
    const QColor line = Argb(argb);
    painter.fillRect(QRect(l + 1, t, r - l - 2, 1), line);
    painter.fillRect(QRect(l + 1, b - 1, r - l - 2, 1), line);
    painter.fillRect(QRect(l, t + 1, 1, b - t - 2), line);
    painter.fillRect(QRect(r - 1, t + 1, 1, b - t - 2), line);
    const QColor corner = HalfAlpha(argb);
    painter.fillRect(QRect(l, t, 1, 1), corner);
    painter.fillRect(QRect(r - 1, t, 1, 1), corner);
    painter.fillRect(QRect(l, b - 1, 1, 1), corner);
    painter.fillRect(QRect(r - 1, b - 1, 1, 1), corner);
}

template <typename Transform> QImage TransformIcon(const QImage& icon, Transform transform)
{
    if (icon.isNull())
        return {};
    QImage result = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] = transform(row[x]);
    }
    return result;
}

int ClampByte(double value)
{
    return std::clamp(static_cast<int>(value + 0.5), 0, 255);
}

} // namespace

CSkinButton2::CSkinButton2(QWidget* parent) : QAbstractButton(parent)
{
    // Reached with Tab (a click keeps the focus where it is); CSwatchRow makes one swatch of a
    // row its tab stop.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    resize(sizeHint());
    UpdateCursor();
}

void CSkinButton2::SetColor(int alpha, int red, int green, int blue)
{
    m_fill = (static_cast<uint32_t>(alpha) << 24) + (static_cast<uint32_t>(red) << 16) +
             (static_cast<uint32_t>(green) << 8) + static_cast<uint32_t>(blue);
    update();
}

ColorRef CSkinButton2::GetColor() const
{
    return MakeColorRef(static_cast<int>((m_fill >> 16) & 0xFF), static_cast<int>((m_fill >> 8) & 0xFF),
                        static_cast<int>(m_fill & 0xFF));
}

void CSkinButton2::SetSelected(bool selected)
{
    m_selected = selected;
    if (!selected)
        setDown(false);
    UpdateCursor();
    repaint();
}

bool CSkinButton2::SetIcon(int pngId, bool iconOnly)
{
    m_iconOnly = iconOnly;
    QImage icon;
    const bool loaded = LoadPngResource(icon, pngId);
    m_icon = loaded ? icon : QImage();
    m_iconHighlighted = HighlightedIcon(m_icon);
    m_iconGrey = GreyIcon(m_icon);
    QImage icon2x;
    m_icon2x = loaded && LoadPngResourceAt2x(icon2x, pngId) ? icon2x : QImage();
    m_iconHighlighted2x = HighlightedIcon(m_icon2x);
    m_iconGrey2x = GreyIcon(m_icon2x);
    for (QImage* image : {&m_icon2x, &m_iconHighlighted2x, &m_iconGrey2x})
        image->setDevicePixelRatio(2);
    if (loaded)
        update();
    return loaded;
}

void CSkinButton2::SetHandCursor(bool on)
{
    m_handCursor = on;
    UpdateCursor();
}

QImage CSkinButton2::HighlightedIcon(const QImage& icon)
{
    return TransformIcon(icon, [](QRgb pixel) {
        const double lift = 0.15 * 255.0;
        return qRgba(ClampByte(qRed(pixel) + lift), ClampByte(qGreen(pixel) + lift),
                     ClampByte(qBlue(pixel) + lift), qAlpha(pixel));
    });
}

QImage CSkinButton2::GreyIcon(const QImage& icon)
{
    return TransformIcon(icon, [](QRgb pixel) {
        const int grey = ClampByte(0.4 * qRed(pixel) + 0.5 * qGreen(pixel) + 0.1 * qBlue(pixel));
        return qRgba(grey, grey, grey, qAlpha(pixel));
    });
}

void CSkinButton2::UpdateCursor()
{
    if (m_handCursor && isEnabled() && !m_selected)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void CSkinButton2::DrawFrame(QPainter& painter) const
{
    const QRect client = rect();
    uint32_t border = kBorderColor;
    if (m_selected)
        border = kSelectedBorderColor;
    else if (m_hover)
        border = kHoverBorderColor;
    DrawRing(painter, client, border);
    // Pressed and selected swatches lose the white inner line and look sunken.
    if (!isDown() && !m_selected)
        DrawRing(painter, client.adjusted(1, 1, -1, -1), kInnerColor);

    const QRect inner = client.adjusted(2, 2, -2, -2);
    if (inner.isEmpty())
        return;
    painter.fillRect(inner, Argb(m_fill));
    const int half = inner.height() / 2;
    if (half <= 0)
        return;
    const QRect shade(inner.left(), inner.top() + half, inner.width(), half);
    QLinearGradient gradient(shade.topLeft(), shade.bottomLeft());
    gradient.setColorAt(0, Argb(kShadeTop));
    gradient.setColorAt(1, Argb(kShadeBottom));
    painter.fillRect(shade, gradient);
}

const QImage& CSkinButton2::ForScreen(const QImage& icon, const QImage& icon2x) const
{
    return devicePixelRatioF() > 1 && !icon2x.isNull() ? icon2x : icon;
}

void CSkinButton2::paintEvent(QPaintEvent*)
{
    // No background of our own: the page shows through the translucent frame.
    QPainter painter(this);
    // A 2x icon on a screen of a ratio between 1 and 2 (1.5) is scaled down smoothly; at 1 and 2
    // the icons are drawn pixel for pixel.
    const double ratio = devicePixelRatioF();
    if (ratio > 1 && ratio < 2)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_iconOnly) {
        const QImage& icon = ForScreen(m_icon, m_icon2x);
        if (!icon.isNull())
            painter.drawImage(0, 0, icon);
        return;
    }
    if (!isEnabled()) {
        const QImage& grey = ForScreen(m_iconGrey, m_iconGrey2x);
        if (!grey.isNull())
            painter.drawImage(0, 0, grey);
        return;
    }
    DrawFrame(painter);
    const QImage& highlighted = ForScreen(m_iconHighlighted, m_iconHighlighted2x);
    if (m_selected && !highlighted.isNull())
        painter.drawImage(0, 0, highlighted);
    if (hasFocus())
        DrawFocusFrame(painter);
}

void CSkinButton2::DrawFocusFrame(QPainter& painter) const
{
    // A dotted ring just inside the frame, in the highlight colour, so the keyboard's place shows
    // on any fill.
    QPen pen(palette().color(QPalette::Highlight), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void CSkinButton2::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void CSkinButton2::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}

void CSkinButton2::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CSkinButton2::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CSkinButton2::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_hover) {
        m_hover = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CSkinButton2::mousePressEvent(QMouseEvent* event)
{
    // A selected swatch keeps the mouse but is never pressed, so it never clicks.
    if (m_selected) {
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void CSkinButton2::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_selected) {
        event->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CSkinButton2::keyPressEvent(QKeyEvent* event)
{
    if (m_selected) {
        event->ignore();
        return;
    }
    // Enter chooses the swatch as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CSkinButton2::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        UpdateCursor();
        update();
    }
    QAbstractButton::changeEvent(event);
}
