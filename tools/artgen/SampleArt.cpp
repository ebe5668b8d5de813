#include "SampleArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

namespace art {
namespace {

// A ridge line from a few summed sines: deterministic, soft and irregular.
QPainterPath Ridge(int width, int height, double base, double amplitude, double seed)
{
    QPainterPath path;
    path.moveTo(0, height);
    for (int x = 0; x <= width; x += 4) {
        const double t = x / static_cast<double>(width);
        const double y =
            base - amplitude * (0.55 * std::sin(t * 7.1 + seed) + 0.3 * std::sin(t * 17.3 + seed * 2.1) +
                                0.15 * std::sin(t * 41.0 + seed * 3.7));
        path.lineTo(x, y);
    }
    path.lineTo(width, height);
    path.closeSubpath();
    return path;
}

} // namespace

QImage DrawSample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = height * 0.62;
    const QPointF sun(width * 0.64, horizon - height * 0.07);

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0.00, QColor(28, 36, 92));
    sky.setColorAt(0.35, QColor(96, 64, 140));
    sky.setColorAt(0.62, QColor(214, 96, 120));
    sky.setColorAt(0.85, QColor(250, 156, 84));
    sky.setColorAt(1.00, QColor(255, 206, 120));
    p.fillRect(QRectF(0, 0, width, horizon), sky);

    QRadialGradient glow(sun, height * 0.55);
    glow.setColorAt(0, QColor(255, 240, 190, 230));
    glow.setColorAt(0.25, QColor(255, 190, 110, 110));
    glow.setColorAt(1, QColor(255, 150, 90, 0));
    p.fillRect(QRectF(0, 0, width, horizon), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 248, 220));
    p.drawEllipse(sun, height * 0.06, height * 0.06);

    // Clouds lit from below: each a few soft elliptical puffs.
    QRandomGenerator random(20261207);
    for (int i = 0; i < 22; ++i) {
        const double cx = random.bounded(width);
        const double cy = height * (0.08 + 0.38 * random.generateDouble());
        const double rx = width * (0.05 + 0.08 * random.generateDouble());
        const double squash = 0.12 + 0.08 * random.generateDouble();
        const int warm = static_cast<int>(170 + 80 * (cy / horizon));
        for (int k = 0; k < 4; ++k) {
            const double px = cx + (random.generateDouble() - 0.5) * rx * 1.2;
            const double py = cy + (random.generateDouble() - 0.5) * rx * squash;
            const double r = rx * (0.45 + 0.4 * random.generateDouble());
            p.save();
            p.translate(px, py);
            p.scale(1.0, squash * 1.6);
            QRadialGradient puff(QPointF(0, r * 0.25), r);
            puff.setColorAt(0, QColor(255, warm, 170, 90));
            puff.setColorAt(0.5, QColor(240, warm - 40, 160, 45));
            puff.setColorAt(1, QColor(200, 120, 150, 0));
            p.setBrush(puff);
            p.drawEllipse(QPointF(0, 0), r, r);
            p.restore();
        }
    }

    // Mountain ranges, far to near.
    const struct {
        double base, amplitude, seed;
        QColor top, bottom;
    } ranges[] = {
        {horizon - height * 0.10, height * 0.09, 0.7, QColor(150, 96, 150), QColor(190, 120, 140)},
        {horizon - height * 0.04, height * 0.08, 2.3, QColor(96, 60, 112), QColor(130, 80, 120)},
        {horizon + 2, height * 0.05, 4.1, QColor(52, 34, 72), QColor(70, 44, 84)},
    };
    for (const auto& r : ranges) {
        QLinearGradient shade(0, r.base - r.amplitude, 0, horizon);
        shade.setColorAt(0, r.top);
        shade.setColorAt(1, r.bottom);
        p.setBrush(shade);
        QPainterPath ridge = Ridge(width, height, r.base, r.amplitude, r.seed);
        QPainterPath above;
        above.addRect(0, 0, width, horizon);
        p.drawPath(ridge.intersected(above));
    }

    // Lake: the sky mirrored and darkened, with the sun's path on the water.
    QLinearGradient water(0, horizon, 0, height);
    water.setColorAt(0, QColor(232, 140, 110));
    water.setColorAt(0.3, QColor(150, 84, 120));
    water.setColorAt(1, QColor(30, 30, 70));
    p.fillRect(QRectF(0, horizon, width, height - horizon), water);
    for (int i = 0; i < 240; ++i) {
        const double y = horizon + 3 + std::pow(random.generateDouble(), 1.6) * (height - horizon - 10);
        const double spread = 20 + (y - horizon) * 0.9;
        const double x = sun.x() + (random.generateDouble() - 0.5) * spread * 2;
        const double len = 8 + random.generateDouble() * 40;
        const int alpha = static_cast<int>(200 * (1.0 - (y - horizon) / (height - horizon)));
        p.fillRect(QRectF(x - len / 2, y, len, 1.5), QColor(255, 220, 150, alpha));
    }
    // Shore and trees in silhouette at the lower left.
    QPainterPath shore;
    shore.moveTo(0, height * 0.80);
    shore.cubicTo(width * 0.12, height * 0.78, width * 0.22, height * 0.86, width * 0.34, height);
    shore.lineTo(0, height);
    shore.closeSubpath();
    p.setBrush(QColor(18, 14, 30));
    p.drawPath(shore);
    for (int i = 0; i < 9; ++i) {
        const double x = width * (0.015 + 0.028 * i) + random.bounded(12);
        const double base = height * 0.80 + i * 3;
        const double tall = height * (0.16 + 0.08 * random.generateDouble());
        // A pine: three stacked tiers on a short trunk.
        p.drawRect(QRectF(x - 2, base - tall * 0.12, 4, tall * 0.14));
        for (int tier = 0; tier < 3; ++tier) {
            const double top = base - tall + tier * tall * 0.26;
            const double bottom = base - tall * 0.10 - (2 - tier) * tall * 0.22;
            const double half = tall * (0.08 + 0.045 * tier);
            QPolygonF layer;
            layer << QPointF(x, top) << QPointF(x - half, bottom) << QPointF(x + half, bottom);
            p.drawPolygon(layer);
        }
    }
    // Birds.
    p.setPen(QPen(QColor(40, 24, 50), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const QPointF b(width * (0.30 + 0.03 * i) + random.bounded(20), height * (0.18 + 0.04 * (i % 3)));
        const double s = 7 + random.bounded(6);
        QPainterPath bird;
        bird.moveTo(b + QPointF(-s, -s * 0.4));
        bird.quadTo(b + QPointF(-s * 0.4, -s * 0.6), b);
        bird.quadTo(b + QPointF(s * 0.4, -s * 0.6), b + QPointF(s, -s * 0.4));
        p.drawPath(bird);
    }
    p.end();

    // Fine grain, as a camera sensor would add.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = static_cast<int>(random.bounded(7)) - 3;
            row[x] = qRgb(std::clamp(qRed(row[x]) + n, 0, 255), std::clamp(qGreen(row[x]) + n, 0, 255),
                          std::clamp(qBlue(row[x]) + n, 0, 255));
        }
    }
    return image;
}

QRect SampleHeaderBand(const QImage& sample)
{
    const int h = sample.width() * 61 / 700;
    const int top = static_cast<int>(sample.height() * 0.62) - h * 3 / 4;
    return QRect(0, top, sample.width(), h);
}

} // namespace art
