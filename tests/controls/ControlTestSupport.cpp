#include "ControlTestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace skintest {

SharedPicture LoadedPicture(const QString& path)
{
    auto picture = std::make_shared<CSkinImage>();
    return picture->LoadFromFile(path) ? picture : nullptr;
}

bool WritePicture(const QString& path, int width, int height, QColor colour, bool gradient)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    if (gradient) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] = qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1), 128);
        }
    }
    return image.save(path);
}

namespace {
void SendMouse(QWidget* widget, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF local(x, y);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

void Press(QWidget* widget, int x, int y)
{
    SendMouse(widget, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
}

void Move(QWidget* widget, int x, int y, bool leftDown)
{
    SendMouse(widget, QEvent::MouseMove, x, y, Qt::NoButton, leftDown ? Qt::LeftButton : Qt::NoButton);
}

void Release(QWidget* widget, int x, int y)
{
    SendMouse(widget, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

void DoubleClick(QWidget* widget, int x, int y)
{
    SendMouse(widget, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
}

QImage Grab(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

} // namespace skintest
