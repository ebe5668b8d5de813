#include "OverlayArt.h"

#include "ArtCommon.h"

#include <QPainter>
#include <array>

namespace art {
namespace {

const QColor kMark(255, 255, 255, 240);
const QColor kShadow(0, 0, 0, 60);

void DrawLogo(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(22, 17);
    // Badge with the note cut out of it, over a faint shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(kShadow);
    p.drawEllipse(c + QPointF(0, 1), 10, 10);
    QPainterPath badge;
    badge.addEllipse(c, 10, 10);
    badge = badge.subtracted(NoteGlyph(c + QPointF(0.5, -0.5), 12));
    p.fillPath(badge, kMark);
    p.restore();

    const QFont font = UiFace(15, 700);
    p.save();
    QPainter::RenderHints hints = p.renderHints();
    p.setRenderHints(hints | QPainter::TextAntialiasing);
    DrawTextInkTop(p, QStringLiteral("Vadi 音乐盒"), font, 38, 11, kShadow);
    DrawTextInkTop(p, QStringLiteral("Vadi 音乐盒"), font, 38, 10, kMark);
    p.restore();
}

void DrawWindowButtons(QPainter& p, int width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double y = 17;
    const std::array<double, 5> xs{width - 118.0, width - 92.0, width - 66.0, width - 40.0, width - 14.0};
    for (int pass = 0; pass < 2; ++pass) {
        const QPointF d = pass == 0 ? QPointF(0, 1) : QPointF(0, 0);
        QPen pen(pass == 0 ? kShadow : kMark, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Skin (a shirt), menu, minimise, maximise, close.
        QPointF c = QPointF(xs[0], y) + d;
        QPolygonF shirt;
        shirt << c + QPointF(-3, -6) << c + QPointF(-7, -3.5) << c + QPointF(-5, 0) << c + QPointF(-3.5, -1)
              << c + QPointF(-3.5, 6) << c + QPointF(3.5, 6) << c + QPointF(3.5, -1) << c + QPointF(5, 0)
              << c + QPointF(7, -3.5) << c + QPointF(3, -6);
        p.drawPolygon(shirt);
        c = QPointF(xs[1], y) + d;
        for (int k = -1; k <= 1; ++k)
            p.drawLine(c + QPointF(-6, 4.0 * k), c + QPointF(6, 4.0 * k));
        c = QPointF(xs[2], y) + d;
        p.drawLine(c + QPointF(-6, 0), c + QPointF(6, 0));
        c = QPointF(xs[3], y) + d;
        p.drawRect(QRectF(c + QPointF(-5.5, -5.5), QSizeF(11, 11)));
        c = QPointF(xs[4], y) + d;
        p.drawLine(c + QPointF(-5.5, -5.5), c + QPointF(5.5, 5.5));
        p.drawLine(c + QPointF(-5.5, 5.5), c + QPointF(5.5, -5.5));
    }
    // A hairline between the skin and menu buttons and the window buttons.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(width - 79.5, 11), QPointF(width - 79.5, 23));
    p.restore();
}

void DrawTabs(QPainter& p, bool whiteText)
{
    const QColor ink = whiteText ? QColor(255, 255, 255) : QColor(0x1A, 0x22, 0x2E);
    const std::array<const char*, 4> tabs{"音乐馆", "我的音乐", "歌词", "电台"};
    const auto fontOf = [](size_t i) { return UiFace(11, i == 0 ? 700 : 500); };
    // One baseline for all captions. At 11 pixels the glyphs' solid ink is eleven rows high with
    // a faint antialiasing row above and below; those two rows are clipped off so that the
    // captions keep exactly to their rows.
    int above = 0;
    for (size_t i = 0; i < tabs.size(); ++i)
        above = std::max(above, InkExtent(QString::fromUtf8(tabs[i]), fontOf(i)).first);
    const int baseline = kTabTextTop + above - 1;
    int x = 18;
    for (size_t i = 0; i < tabs.size(); ++i) {
        const QString text = QString::fromUtf8(tabs[i]);
        const QFont font = fontOf(i);
        p.save();
        p.setClipRect(QRect(0, kTabTextTop, 704, kTabTextBottom - kTabTextTop + 1));
        p.setFont(font);
        p.setPen(ink);
        p.drawText(x, baseline, text);
        p.restore();
        const QRect ink_box(x, kTabTextTop, TextWidth(text, font), kTabTextBottom - kTabTextTop + 1);
        if (i == 0) {
            // The current tab is underlined with a short rounded bar.
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            const double barW = 16;
            p.drawRoundedRect(QRectF(ink_box.center().x() + 0.5 - barW / 2, 52, barW, 2.5), 1.25, 1.25);
            p.restore();
        }
        x += TextWidth(text, font) + 26;
    }
}

} // namespace

QImage DrawOverlay(int width, QPoint shift, bool whiteText)
{
    // Drawn on the 704-pixel layout; the narrower overlay simply loses its right margin.
    QImage image = NewTransparent(width, 61);
    QPainter p(&image);
    p.translate(shift);
    DrawLogo(p);
    DrawWindowButtons(p, 704);
    DrawTabs(p, whiteText);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace art
