#include "DiagramArt.h"

#include "ArtCommon.h"
#include "PlayerArt.h"
#include "SampleArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace art {
namespace {

const QColor kPaper(247, 249, 252);
const QColor kCaption(70, 80, 96);
const QColor kAccent(255, 122, 40);

QImage Smooth(const QImage& image, int width, int height)
{
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The default player wearing the sample's header band, scaled to width x height.
QImage MiniPlayer(const DiagramParts& parts, int width, int height)
{
    QImage full = parts.player.copy();
    QPainter p(&full);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(2, 2, 700, 62), parts.sample, SampleHeaderBand(parts.sample));
    p.drawImage(QRect(0, 0, 700, 62), parts.overlay);
    p.end();
    return Smooth(full, width, height);
}

QImage HeaderStrip(const DiagramParts& parts, int width, int height)
{
    return Smooth(parts.sample.copy(SampleHeaderBand(parts.sample)), width, height);
}

void DropShadow(QPainter& p, const QRectF& rect, double radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int k = 3; k >= 1; --k) {
        p.setBrush(QColor(20, 40, 80, 14));
        p.drawRoundedRect(rect.adjusted(-k + 1, -k + 2, k - 1, k), radius + k, radius + k);
    }
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to + u * 2 << to - u * 6 + n * 4.5 << to - u * 6 - n * 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.restore();
}

QString Say(ArtLanguage language, const char* chinese, const char* english)
{
    return QString::fromUtf8(language == ArtLanguage::English ? english : chinese);
}

void Caption(QPainter& p, const QString& text, int centreX, int top, int pixelSize = 11)
{
    const QFont font = UiFace(pixelSize);
    DrawTextInkTop(p, text, font, centreX - TextWidth(text, font) / 2, top, kCaption);
}

} // namespace

QImage DrawHeaderDiagram(const DiagramParts& parts, ArtLanguage language)
{
    QImage image = NewOpaque(230, 89, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The photo, dimmed but for the chosen band.
    const QRect photo(8, 6, 100, 62);
    DropShadow(p, photo, 2);
    p.drawImage(photo, Smooth(parts.sample, photo.width(), photo.height()));
    const QRect band(photo.left() + 4, photo.top() + 34, 92, 8);
    QPainterPath dim;
    dim.addRect(photo);
    QPainterPath hole;
    hole.addRect(band);
    p.fillPath(dim.subtracted(hole), QColor(0, 0, 0, 110));
    p.setPen(QColor(255, 255, 255));
    p.setBrush(Qt::NoBrush);
    p.drawRect(band.adjusted(0, 0, -1, -1));

    Arrow(p, QPointF(114, 37), QPointF(128, 37), kAccent);

    const QRect player(134, 10, 88, 60);
    DropShadow(p, player, 1);
    p.drawImage(player, MiniPlayer(parts, player.width(), player.height()));
    // Ring the header of the small player.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 1.5));
    p.drawRoundedRect(QRectF(player.left() - 1.5, player.top() - 1.5, player.width() + 3, 11.5), 2, 2);
    p.restore();

    Caption(p, Say(language, "从图片中截取", "From a picture"), photo.center().x(), 74);
    Caption(p, Say(language, "作为播放器头图", "As the header"), player.center().x(), 74);
    return image;
}

QImage DrawStretchDiagram(const DiagramParts& parts, ArtLanguage language)
{
    QImage image = NewOpaque(223, 96, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage strip = HeaderStrip(parts, 700, 61);
    // The stretch region in the header: columns 300..400 of 700.
    const int regionL = 300;
    const int regionR = 400;

    // Top: the header at its own width with the region marked.
    const QRect top(36, 20, 150, 18);
    const auto mapX = [&](const QRect& r, int x) { return r.left() + x * r.width() / 700; };
    DropShadow(p, top, 1);
    p.drawImage(top, strip);
    const QRect region(mapX(top, regionL), top.top() - 2, mapX(top, regionR) - mapX(top, regionL),
                       top.height() + 4);
    p.fillRect(QRect(top.left(), top.top(), region.left() - top.left(), top.height()), QColor(0, 0, 0, 80));
    p.fillRect(QRect(region.right() + 1, top.top(), top.right() - region.right(), top.height()),
               QColor(0, 0, 0, 80));
    p.setPen(QPen(kAccent, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(region.adjusted(0, 0, -1, -1));
    Caption(p, Say(language, "扩展区域", "Stretch region"), region.center().x(), 4);

    Arrow(p, QPointF(111, 43), QPointF(111, 53), kAccent);

    // Bottom: a wider window; the sides keep their size, the region fills the rest.
    const QRect wide(6, 58, 211, 18);
    DropShadow(p, wide, 1);
    const int leftW = mapX(top, regionL) - top.left();
    const int rightW = top.right() + 1 - mapX(top, regionR);
    p.drawImage(QRect(wide.left(), wide.top(), leftW, wide.height()), strip, QRect(0, 0, regionL, 61));
    p.drawImage(QRect(wide.right() + 1 - rightW, wide.top(), rightW, wide.height()), strip,
                QRect(regionR, 0, 700 - regionR, 61));
    const QRect stretched(wide.left() + leftW, wide.top(), wide.width() - leftW - rightW, wide.height());
    p.drawImage(stretched, strip, QRect(regionL, 0, regionR - regionL, 61));
    p.setPen(QPen(kAccent, 1));
    p.drawRect(stretched.adjusted(0, -2, -1, 1));
    // Double-headed arrow across the stretched part.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255), 1.4));
    const double ay = stretched.center().y() + 0.5;
    p.drawLine(QPointF(stretched.left() + 4, ay), QPointF(stretched.right() - 3, ay));
    p.setBrush(QColor(255, 255, 255));
    p.setPen(Qt::NoPen);
    QPolygonF l, r;
    l << QPointF(stretched.left() + 2, ay) << QPointF(stretched.left() + 7, ay - 3.5)
      << QPointF(stretched.left() + 7, ay + 3.5);
    r << QPointF(stretched.right() - 1, ay) << QPointF(stretched.right() - 6, ay - 3.5)
      << QPointF(stretched.right() - 6, ay + 3.5);
    p.drawPolygon(l);
    p.drawPolygon(r);
    p.restore();
    Caption(p, Say(language, "窗口变宽时拉伸或平铺该区域", "Stretched or tiled in wider windows"), 111, 82);
    return image;
}

QImage DrawFrameDiagram(const DiagramParts& parts, ArtLanguage language)
{
    QImage image = NewOpaque(197, 127, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect player(34, 28, 128, 87);
    DropShadow(p, player, 1);
    p.drawImage(player, MiniPlayer(parts, player.width(), player.height()));

    p.setRenderHint(QPainter::Antialiasing);
    const QPointF corners[4] = {
        QPointF(player.left(), player.top()), QPointF(player.right() + 1, player.top()),
        QPointF(player.left(), player.bottom() + 1), QPointF(player.right() + 1, player.bottom() + 1)};
    // Left-top: a flower.
    {
        const QPointF c = corners[0];
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5 - M_PI / 2;
            QRadialGradient petal(c + QPointF(std::cos(a), std::sin(a)) * 7, 7);
            petal.setColorAt(0, QColor(255, 196, 214));
            petal.setColorAt(1, QColor(236, 92, 140));
            p.setPen(QPen(QColor(190, 60, 110), 0.8));
            p.setBrush(petal);
            p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 7, 6, 6);
        }
        p.setBrush(QColor(255, 210, 70));
        p.setPen(QPen(QColor(210, 150, 30), 0.8));
        p.drawEllipse(c, 4.5, 4.5);
    }
    // Right-top: a star.
    {
        const QPointF c = corners[1];
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double a = k * M_PI / 5 - M_PI / 2;
            const double r = (k % 2 == 0) ? 13 : 5.5;
            star << c + QPointF(std::cos(a), std::sin(a)) * r;
        }
        QLinearGradient gold(c - QPointF(0, 13), c + QPointF(0, 13));
        gold.setColorAt(0, QColor(255, 232, 120));
        gold.setColorAt(1, QColor(246, 170, 30));
        p.setBrush(gold);
        p.setPen(QPen(QColor(200, 130, 20), 1));
        p.drawPolygon(star);
    }
    // Left-bottom: a heart.
    {
        const QPointF c = corners[2];
        QPainterPath heart;
        heart.moveTo(c.x(), c.y() + 10);
        heart.cubicTo(c.x() - 16, c.y(), c.x() - 8, c.y() - 13, c.x(), c.y() - 5);
        heart.cubicTo(c.x() + 8, c.y() - 13, c.x() + 16, c.y(), c.x(), c.y() + 10);
        QLinearGradient red(c - QPointF(0, 12), c + QPointF(0, 10));
        red.setColorAt(0, QColor(255, 120, 120));
        red.setColorAt(1, QColor(214, 40, 60));
        p.setBrush(red);
        p.setPen(QPen(QColor(170, 30, 50), 1));
        p.drawPath(heart);
    }
    // Right-bottom: a butterfly.
    {
        const QPointF c = corners[3];
        p.setPen(QPen(QColor(60, 70, 140), 0.8));
        for (int side : {-1, 1}) {
            QRadialGradient wing(c + QPointF(side * 7, -4), 9);
            wing.setColorAt(0, QColor(150, 220, 255));
            wing.setColorAt(1, QColor(70, 120, 230));
            p.setBrush(wing);
            p.drawEllipse(c + QPointF(side * 7, -4), 7.5, 6.5);
            p.drawEllipse(c + QPointF(side * 5.5, 5), 5, 4.5);
        }
        p.setBrush(QColor(50, 50, 80));
        p.drawEllipse(c, 1.6, 8);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    Caption(p, Say(language, "在播放器四角添加装饰", "Decorate the player's corners"), 98, 3);
    return image;
}

QImage DrawControlsDiagram(const DiagramParts& parts, ArtLanguage language)
{
    QImage image = NewOpaque(197, 127, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect player(34, 28, 128, 87);
    DropShadow(p, player, 1);
    p.drawImage(player, MiniPlayer(parts, player.width(), player.height()));
    p.setRenderHint(QPainter::Antialiasing);

    // A movie at a corner: a small stage with a dashed frame, as the controls step outlines it.
    const auto stage = [&p](const QRectF& box) {
        DropShadow(p, box, 2);
        p.setPen(QPen(kAccent, 1, Qt::DashLine));
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(box, 3, 3);
    };
    // Left-top: a clock.
    {
        const QRectF box(14, 8, 40, 40);
        stage(box);
        const QPointF c = box.center();
        QRadialGradient face(c, 15);
        face.setColorAt(0, QColor(255, 255, 255));
        face.setColorAt(1, QColor(210, 226, 246));
        p.setPen(QPen(QColor(52, 120, 220), 1.6));
        p.setBrush(face);
        p.drawEllipse(c, 14, 14);
        p.setPen(QPen(QColor(40, 48, 60), 1));
        for (int k = 0; k < 12; ++k) {
            const double a = k * M_PI / 6;
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 11,
                       c + QPointF(std::cos(a), std::sin(a)) * 13);
        }
        p.setPen(QPen(QColor(40, 48, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(0, -9));
        p.drawLine(c, c + QPointF(6, 3));
    }
    // Right-bottom: a weather badge, sun behind a cloud.
    {
        const QRectF box(140, 93, 50, 30);
        stage(box);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 196, 40));
        p.drawEllipse(QPointF(158, 104), 7, 7);
        p.setBrush(QColor(160, 180, 206));
        p.drawEllipse(QPointF(163, 112), 7, 5.5);
        p.drawEllipse(QPointF(171, 109), 7, 7);
        p.drawEllipse(QPointF(178, 113), 5, 4.5);
        p.drawRect(QRectF(163, 112, 15, 5.5));
    }
    // The play mark: the controls play in the preview.
    {
        const QPointF c(98, 71);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawEllipse(c, 13, 13);
        QPolygonF play;
        play << c + QPointF(-4.5, -7) << c + QPointF(7.5, 0) << c + QPointF(-4.5, 7);
        p.setBrush(QColor(255, 255, 255));
        p.drawPolygon(play);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    Caption(p, Say(language, "在播放器四角放置Flash控件", "Flash at the corners"), 122, 3);
    return image;
}

QImage DrawSaveDiagram(const DiagramParts& parts, ArtLanguage language)
{
    QImage image = NewOpaque(185, 128, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);

    // The skin package: a page with a folded corner and a label band.
    const QRectF doc(10, 14, 50, 64);
    QPainterPath page;
    page.moveTo(doc.topLeft());
    page.lineTo(doc.right() - 13, doc.top());
    page.lineTo(doc.right(), doc.top() + 13);
    page.lineTo(doc.bottomRight());
    page.lineTo(doc.bottomLeft());
    page.closeSubpath();
    DropShadow(p, doc, 2);
    QLinearGradient paper(doc.topLeft(), doc.bottomRight());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(226, 234, 246));
    p.setPen(QPen(QColor(120, 140, 170), 1));
    p.setBrush(paper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(doc.right() - 13, doc.top());
    fold.lineTo(doc.right() - 13, doc.top() + 13);
    fold.lineTo(doc.right(), doc.top() + 13);
    p.setBrush(QColor(200, 212, 232));
    p.drawPath(fold);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 120, 220));
    p.drawRoundedRect(QRectF(doc.left() + 6, doc.top() + 36, 38, 15), 2, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawTextInkTop(p, QStringLiteral("VSF"), UiFace(11, 700), static_cast<int>(doc.left()) + 14,
                   static_cast<int>(doc.top()) + 38, QColor(255, 255, 255));
    // Zip teeth down the page.
    for (int k = 0; k < 5; ++k)
        p.fillRect(QRect(static_cast<int>(doc.left()) + 12 + (k % 2) * 3,
                         static_cast<int>(doc.top()) + 6 + 5 * k, 3, 3),
                   QColor(120, 140, 170));
    p.setRenderHint(QPainter::Antialiasing);

    Arrow(p, QPointF(66, 46), QPointF(80, 46), kAccent);

    // The skin as the player lists it: thumbnail card with its name.
    const QRectF card(86, 8, 90, 82);
    DropShadow(p, card, 5);
    p.setPen(QPen(QColor(205, 214, 228), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(card, 5, 5);
    // The thumbnail: the right end of the header in the 60:37 shape, shown twice as large... minus
    // the card's margins.
    const QRect band = SampleHeaderBand(parts.sample);
    const int h = band.height();
    const int w = static_cast<int>(h * 60.0 / 37.0);
    const QImage thumb = Smooth(parts.sample.copy(band.right() + 1 - w, band.top(), w, h), 78, 48);
    const QRect thumbRect(92, 14, 78, 48);
    p.drawImage(thumbRect, thumb);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(180, 190, 206));
    p.drawRect(thumbRect.adjusted(0, 0, -1, -1));
    DrawTextInkTop(p, Say(language, "我的皮肤", "My skin"), UiFace(12, 500), 98, 68, QColor(40, 48, 60));
    // Tick mark: the skin in use.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 180, 90));
    p.drawEllipse(QPointF(163, 73), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPolygonF tick;
    tick << QPointF(160, 73) << QPointF(162.5, 75.5) << QPointF(166.5, 70.5);
    p.drawPolyline(tick);
    p.setRenderHint(QPainter::Antialiasing, false);

    Caption(p, Say(language, "皮肤包", "Package"), static_cast<int>(doc.center().x()), 84);
    Caption(p, Say(language, "保存后带缩略图显示在皮肤列表中", "Listed with its thumbnail"), 92, 106);
    return image;
}

QImage DrawCropPlaceholder(ArtLanguage language)
{
    QImage image = NewOpaque(349, 221, QColor(236, 241, 248));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 221);
    bg.setColorAt(0, QColor(242, 246, 251));
    bg.setColorAt(1, QColor(226, 233, 243));
    p.fillRect(image.rect(), bg);
    QPen dash(QColor(150, 168, 196), 1.5, Qt::DashLine);
    dash.setDashPattern({5, 4});
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(12.5, 12.5, 324, 196), 10, 10);

    // A picture symbol: a framed landscape with a sun and a plus badge.
    const QRectF frame(142, 44, 66, 50);
    p.setPen(QPen(QColor(110, 136, 178), 2.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(frame, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 186, 70));
    p.drawEllipse(QPointF(frame.left() + 18, frame.top() + 16), 6, 6);
    QPainterPath hills;
    hills.moveTo(frame.left() + 6, frame.bottom() - 8);
    hills.lineTo(frame.left() + 24, frame.top() + 24);
    hills.lineTo(frame.left() + 36, frame.bottom() - 18);
    hills.lineTo(frame.left() + 44, frame.top() + 30);
    hills.lineTo(frame.right() - 6, frame.bottom() - 8);
    hills.closeSubpath();
    p.setBrush(QColor(92, 140, 214));
    p.drawPath(hills);
    p.setBrush(QColor(52, 120, 220));
    p.drawEllipse(QPointF(frame.right() - 2, frame.bottom() - 2), 11, 11);
    p.setPen(QPen(QColor(255, 255, 255), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(frame.right() - 8, frame.bottom() - 2),
               QPointF(frame.right() + 4, frame.bottom() - 2));
    p.drawLine(QPointF(frame.right() - 2, frame.bottom() - 8),
               QPointF(frame.right() - 2, frame.bottom() + 4));

    p.setRenderHint(QPainter::Antialiasing, false);
    const QString title = Say(language, "请选择一张图片", "Choose a picture");
    const QFont big = UiFace(17, 700);
    DrawTextInkTop(p, title, big, (349 - TextWidth(title, big)) / 2, 122, QColor(52, 70, 100));
    const QString hint = Say(language, "点击“浏览”选择图片，支持 jpg、jpeg、bmp 格式",
                             "Click \"Browse...\" for a jpg, jpeg or bmp picture");
    const QFont small = UiFace(12);
    DrawTextInkTop(p, hint, small, (349 - TextWidth(hint, small)) / 2, 152, QColor(108, 122, 146));
    const QString hint2 = Say(language, "最佳尺寸为 700×61 像素", "Best size: 700×61 pixels");
    DrawTextInkTop(p, hint2, small, (349 - TextWidth(hint2, small)) / 2, 172, QColor(108, 122, 146));
    return image;
}

QImage DrawPreviewPlaceholder(ArtLanguage language)
{
    // A ghost of the player's top: frame, empty header with the invitation, first body rows.
    QImage image = NewOpaque(704, 149, QColor(232, 237, 245));
    QPainter p(&image);
    p.setPen(QColor(172, 186, 208));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 703, 148);
    QLinearGradient header(0, 2, 0, 68);
    header.setColorAt(0, QColor(246, 249, 253));
    header.setColorAt(1, QColor(236, 241, 249));
    p.fillRect(QRect(2, 2, 700, 66), header);
    QPen dash(QColor(140, 160, 194), 1, Qt::DashLine);
    dash.setDashPattern({4, 3});
    p.setPen(dash);
    p.drawRect(QRect(6, 6, 691, 57));
    // Ghost rows of the body.
    for (int k = 0; k < 3; ++k) {
        const int y = 76 + 24 * k;
        p.fillRect(QRect(12, y + 8, 90, 7), QColor(214, 222, 234));
        p.fillRect(QRect(180, y + 8, 200 - 30 * k, 7), QColor(214, 222, 234));
        p.fillRect(QRect(460, y + 8, 80, 7), QColor(220, 227, 238));
        p.fillRect(QRect(640, y + 8, 40, 7), QColor(220, 227, 238));
    }
    // Picture symbol and the invitation in the header.
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(236, 18, 36, 27);
    p.setPen(QPen(QColor(110, 136, 178), 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(frame, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 186, 70));
    p.drawEllipse(QPointF(frame.left() + 10, frame.top() + 9), 3.5, 3.5);
    QPolygonF hill;
    hill << QPointF(frame.left() + 4, frame.bottom() - 4) << QPointF(frame.left() + 15, frame.top() + 12)
         << QPointF(frame.left() + 22, frame.bottom() - 10) << QPointF(frame.left() + 26, frame.top() + 15)
         << QPointF(frame.right() - 4, frame.bottom() - 4);
    p.setBrush(QColor(92, 140, 214));
    p.drawPolygon(hill);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawTextInkTop(p, Say(language, "请选择一张图片作为头图", "Choose a picture for the header"),
                   UiFace(16, 700), 284, 21, QColor(52, 70, 100));
    DrawTextInkTop(p,
                   Say(language, "这里将预览头图在播放器上的效果", "The player with your header shows here"),
                   UiFace(12), 284, 42, QColor(108, 122, 146));
    return image;
}

QImage DrawHelpIcon(int scale)
{
    // The ground follows the light top bar of the wizard it sits on.
    QImage image = NewOpaque(21 * scale, 20 * scale, QColor(246, 246, 246));
    QPainter p(&image);
    // Drawn in the 21 x 20 units of the 1x icon; at scale 1 no transform is set at all.
    if (scale != 1)
        p.scale(scale, scale);
    QLinearGradient bar(0, 0, 0, 20);
    bar.setColorAt(0, QColor(251, 251, 251));
    bar.setColorAt(1, QColor(240, 240, 240));
    p.fillRect(QRect(0, 0, 21, 20), bar);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient disc(0, 2, 0, 18);
    disc.setColorAt(0, QColor(84, 156, 240));
    disc.setColorAt(1, QColor(36, 104, 204));
    p.setPen(QPen(QColor(28, 88, 180), 1));
    p.setBrush(disc);
    p.drawEllipse(QPointF(10.5, 10), 8, 8);
    p.setPen(QPen(QColor(255, 255, 255), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(7.8, 7.6);
    hook.cubicTo(7.8, 4.6, 13.4, 4.6, 13.4, 7.6);
    hook.cubicTo(13.4, 9.6, 10.6, 9.8, 10.6, 11.8);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(10.6, 14.6), 1.25, 1.25);
    return image;
}

QImage DrawPaletteIcon(int scale)
{
    QImage image = NewTransparent(18 * scale, 18 * scale);
    QPainter p(&image);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    // The palette: a rounded blob with a thumb hole at the lower right.
    QPainterPath palette;
    palette.moveTo(9, 1.5);
    palette.cubicTo(14, 1.5, 16.8, 4.8, 16.5, 8.6);
    palette.cubicTo(16.3, 11.2, 13.2, 10.6, 12.2, 12.2);
    palette.cubicTo(11.2, 13.8, 13.4, 15.4, 11.0, 16.3);
    palette.cubicTo(5.4, 17.6, 1.5, 14.0, 1.5, 9.2);
    palette.cubicTo(1.5, 4.8, 4.8, 1.5, 9, 1.5);
    palette.closeSubpath();
    QLinearGradient wood(0, 1, 0, 17);
    wood.setColorAt(0, QColor(250, 232, 196));
    wood.setColorAt(1, QColor(226, 190, 132));
    p.setPen(QPen(QColor(138, 100, 50), 1.0));
    p.setBrush(wood);
    p.drawPath(palette);
    p.setPen(Qt::NoPen);
    const struct {
        double x, y;
        QColor colour;
    } dots[] = {{5.4, 6.6, QColor(232, 56, 56)},
                {9.2, 4.6, QColor(250, 196, 30)},
                {13.0, 6.4, QColor(56, 176, 80)},
                {5.0, 11.0, QColor(46, 110, 230)}};
    for (const auto& d : dots) {
        p.setBrush(d.colour);
        p.drawEllipse(QPointF(d.x, d.y), 1.7, 1.7);
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

namespace {

// The program icon's parts, in its 256-unit square, shared by the pictures and the scalable file.
const QRectF kIconTile(16, 16, 224, 224);
const QRectF kIconWindow(48, 58, 160, 116);
const QRectF kIconHead(56, 66, 144, 38);
const QPointF kBrushAt(92, 196);
constexpr double kBrushAngle = -40;

QPainterPath IconNote()
{
    return NoteGlyph(QPointF(170, 128), 72);
}

QPainterPath IconBrushTip()
{
    QPainterPath tip;
    tip.moveTo(-22, -8);
    tip.cubicTo(-36, -8, -44, -2, -52, 4);
    tip.cubicTo(-42, 8, -32, 8, -22, 8);
    tip.closeSubpath();
    return tip;
}

QString SvgNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QString SvgPath(const QPainterPath& path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QString point = SvgNumber(e.x) + QLatin1Char(' ') + SvgNumber(e.y);
        if (e.isMoveTo())
            d += (d.isEmpty() ? QStringLiteral("M") : QStringLiteral("ZM")) + point;
        else if (e.isLineTo())
            d += QStringLiteral("L") + point;
        else if (e.isCurveTo())
            d += QStringLiteral("C") + point;
        else
            d += QLatin1Char(' ') + point;
    }
    return d + QStringLiteral("Z");
}

QString SvgRect(const QRectF& r, double radius, const QString& fill)
{
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
        .arg(SvgNumber(r.x()), SvgNumber(r.y()), SvgNumber(r.width()), SvgNumber(r.height()),
             SvgNumber(radius), fill);
}

} // namespace

QImage DrawAppIcon(int size)
{
    QImage image = NewTransparent(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    // A flat tile: no shadow, the desktop draws its own where it wants one.
    p.setPen(Qt::NoPen);
    QLinearGradient tile(0, kIconTile.top(), 0, kIconTile.bottom());
    tile.setColorAt(0, QColor(74, 170, 255));
    tile.setColorAt(1, QColor(40, 84, 214));
    p.setBrush(tile);
    p.drawRoundedRect(kIconTile, 52, 52);
    // A small player window.
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(kIconWindow, 14, 14);
    QPainterPath head;
    head.addRoundedRect(kIconHead, 8, 8);
    QLinearGradient sunset(0, kIconHead.top(), 0, kIconHead.bottom());
    sunset.setColorAt(0, QColor(120, 80, 170));
    sunset.setColorAt(0.6, QColor(240, 110, 110));
    sunset.setColorAt(1, QColor(255, 190, 100));
    p.fillPath(head, sunset);
    for (int k = 0; k < 3; ++k)
        p.fillRect(QRectF(kIconWindow.left() + 16, kIconWindow.top() + 58 + 15 * k, 70 - 14 * k, 7),
                   QColor(180, 200, 232));
    // A music note over the window's right side.
    p.setBrush(QColor(32, 60, 150));
    p.drawPath(IconNote());
    // A brush across the lower left corner.
    p.save();
    p.translate(kBrushAt);
    p.rotate(kBrushAngle);
    QLinearGradient handle(0, -7, 0, 7);
    handle.setColorAt(0, QColor(255, 196, 90));
    handle.setColorAt(1, QColor(226, 140, 40));
    p.setBrush(handle);
    p.drawRoundedRect(QRectF(-6, -7, 96, 14), 7, 7);
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(-22, -8, 18, 16));
    p.setBrush(QColor(255, 92, 120));
    p.drawPath(IconBrushTip());
    p.restore();
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray AppIconSvg()
{
    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
            "256\">\n"
            "<defs>\n"
            "<linearGradient id=\"tile\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%1\" x2=\"0\" "
            "y2=\"%2\">"
            "<stop offset=\"0\" stop-color=\"#4aaaff\"/><stop offset=\"1\" "
            "stop-color=\"#2854d6\"/></linearGradient>\n"
            "<linearGradient id=\"sunset\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%3\" x2=\"0\" "
            "y2=\"%4\">"
            "<stop offset=\"0\" stop-color=\"#7850aa\"/><stop offset=\"0.6\" stop-color=\"#f06e6e\"/>"
            "<stop offset=\"1\" stop-color=\"#ffbe64\"/></linearGradient>\n"
            "<linearGradient id=\"handle\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"-7\" x2=\"0\" "
            "y2=\"7\">"
            "<stop offset=\"0\" stop-color=\"#ffc45a\"/><stop offset=\"1\" "
            "stop-color=\"#e28c28\"/></linearGradient>\n"
            "</defs>\n")
            .arg(SvgNumber(kIconTile.top()), SvgNumber(kIconTile.bottom()), SvgNumber(kIconHead.top()),
                 SvgNumber(kIconHead.bottom()));
    svg += SvgRect(kIconTile, 52, QStringLiteral("url(#tile)"));
    svg += SvgRect(kIconWindow, 14, QStringLiteral("#ffffff"));
    svg += SvgRect(kIconHead, 8, QStringLiteral("url(#sunset)"));
    for (int k = 0; k < 3; ++k)
        svg += SvgRect(QRectF(kIconWindow.left() + 16, kIconWindow.top() + 58 + 15 * k, 70 - 14 * k, 7), 0,
                       QStringLiteral("#b4c8e8"));
    svg +=
        QStringLiteral("<path fill=\"#203c96\" fill-rule=\"evenodd\" d=\"%1\"/>\n").arg(SvgPath(IconNote()));
    svg += QStringLiteral("<g transform=\"translate(%1 %2) rotate(%3)\">\n")
               .arg(SvgNumber(kBrushAt.x()), SvgNumber(kBrushAt.y()), SvgNumber(kBrushAngle));
    svg += SvgRect(QRectF(-6, -7, 96, 14), 7, QStringLiteral("url(#handle)"));
    svg += SvgRect(QRectF(-22, -8, 18, 16), 0, QStringLiteral("#c8cdd7"));
    svg += QStringLiteral("<path fill=\"#ff5c78\" d=\"%1\"/>\n").arg(SvgPath(IconBrushTip()));
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

} // namespace art
