#include "ArtCommon.h"

#include <QFile>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

namespace art {

QColor Chrome(double saturation, double lightness, int alpha)
{
    return QColor::fromHslF(static_cast<float>(kHue / 360.0), static_cast<float>(saturation),
                            static_cast<float>(lightness), alpha / 255.0f);
}

QFont UiFace(int pixelSize, int weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

namespace {

void Put16(QByteArray& out, int offset, quint16 value)
{
    qToLittleEndian(value, out.data() + offset);
}

void Put32(QByteArray& out, int offset, quint32 value)
{
    qToLittleEndian(value, out.data() + offset);
}

} // namespace

QByteArray EncodeBmp24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * 3 + 3) & ~3;
    const quint32 imageSize = static_cast<quint32>(stride) * static_cast<quint32>(height);
    QByteArray out(54 + static_cast<int>(imageSize), '\0');
    // BITMAPFILEHEADER
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, 54 + imageSize);
    Put32(out, 10, 54);
    // BITMAPINFOHEADER
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<quint32>(width));
    Put32(out, 22, static_cast<quint32>(height)); // positive: bottom-up
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 30, 0); // BI_RGB
    Put32(out, 34, imageSize);
    Put32(out, 38, 2835); // 72 dpi
    Put32(out, 42, 2835);
    char* pixels = out.data() + 54;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
        char* dst = pixels + static_cast<qsizetype>(y) * stride;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<char>(qBlue(row[x]));
            dst[3 * x + 1] = static_cast<char>(qGreen(row[x]));
            dst[3 * x + 2] = static_cast<char>(qRed(row[x]));
        }
    }
    return out;
}

bool WriteBmp24(const QImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = EncodeBmp24(image);
    return file.write(bytes) == bytes.size();
}

bool WritePngRgba(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "png");
    writer.setQuality(0); // smallest file; PNG is lossless either way
    return writer.write(image.convertToFormat(QImage::Format_ARGB32));
}

QImage NewOpaque(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage NewTransparent(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath RoundedRect(const QRectF& rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath NoteGlyph(const QPointF& centre, double height)
{
    // Head at the lower left, stem up the right side of the head, a flag to the right.
    const double s = height / 10.0;
    QPainterPath path;
    const QPointF head(centre.x() - 1.6 * s, centre.y() + 3.0 * s);
    path.addEllipse(head, 2.2 * s, 1.7 * s);
    path.addRect(QRectF(head.x() + 1.2 * s, centre.y() - 5.0 * s, 1.1 * s, 8.0 * s));
    QPainterPath flag;
    flag.moveTo(head.x() + 1.2 * s, centre.y() - 5.0 * s);
    flag.cubicTo(head.x() + 3.5 * s, centre.y() - 4.0 * s, head.x() + 5.5 * s, centre.y() - 2.5 * s,
                 head.x() + 4.2 * s, centre.y() + 0.2 * s);
    flag.cubicTo(head.x() + 4.6 * s, centre.y() - 2.0 * s, head.x() + 3.4 * s, centre.y() - 2.6 * s,
                 head.x() + 2.3 * s, centre.y() - 2.6 * s);
    flag.closeSubpath();
    return path.united(flag);
}

std::pair<int, int> InkExtent(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    const int baseline = 4 + metrics.ascent();
    QImage probe(metrics.horizontalAdvance(text) + 8, metrics.height() + 8,
                 QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    {
        QPainter p(&probe);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(4, baseline, text);
    }
    int top = probe.height();
    int bottom = -1;
    for (int y = 0; y < probe.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int x = 0; x < probe.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                break;
            }
        }
    }
    if (bottom < 0)
        return {0, 0};
    return {baseline - top, bottom - baseline + 1};
}

int TextWidth(const QString& text, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

QRect DrawTextInkTop(QPainter& painter, const QString& text, const QFont& font, int x, int top,
                     const QColor& colour)
{
    // Find where a CJK glyph's ink starts in this font and put that row at top, so that texts
    // of one font share a baseline whatever their letters.
    const QFontMetrics metrics(font);
    const QString reference = QStringLiteral("音");
    QImage probe(metrics.horizontalAdvance(reference) + 8, metrics.height() + 8,
                 QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    {
        QPainter p(&probe);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(4, 4 + metrics.ascent(), reference);
    }
    int inkTop = probe.height();
    int inkBottom = -1;
    for (int y = 0; y < probe.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int px = 0; px < probe.width(); ++px) {
            if (qAlpha(row[px]) != 0) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
                break;
            }
        }
    }
    if (inkBottom < 0)
        return {};
    const int baseline = top + (4 + metrics.ascent() - inkTop);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(x, baseline, text);
    return QRect(x, top, metrics.horizontalAdvance(text), inkBottom - inkTop + 1);
}

} // namespace art
