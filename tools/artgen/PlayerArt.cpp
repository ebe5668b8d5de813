#include "PlayerArt.h"

#include "ArtCommon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <array>

namespace art {
namespace {

struct Song {
    const char* title;
    const char* artist;
    const char* album;
    const char* time;
};

constexpr std::array<Song, 11> kSongs{{
    {"晴天的风", "林小雨", "四季", "04:12"},
    {"Summer Breeze", "Northwind", "Open Roads", "03:45"},
    {"远方的灯火", "陈一帆", "远方", "05:03"},
    {"Morning Light", "Aurora Lane", "First Light", "03:28"},
    {"城市日记", "苏晴", "城市日记", "04:36"},
    {"海边的小屋", "林小雨", "四季", "03:59"},
    {"Slow Motion", "Paper Moons", "Slow Motion", "04:21"},
    {"花开的季节", "许安", "花期", "04:48"},
    {"雨后彩虹", "陈一帆", "远方", "03:33"},
    {"Blue Horizon", "Northwind", "Open Roads", "05:17"},
    {"星河漫步", "苏晴", "夜行", "04:05"},
}};
constexpr int kPlayingRow = 1;

void DrawFrame(QPainter& p, int w, int h)
{
    p.fillRect(0, 0, w, h, Chrome(0.55, 0.24));
    p.setPen(Chrome(0.55, 0.62));
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 1, w - 3, h - 3);
}

void DrawHeaderBackground(QPainter& p, int w)
{
    const QRect area(2, 2, w - 4, kHeaderBottom - 2);
    QLinearGradient sky(0, area.top(), 0, area.bottom());
    sky.setColorAt(0, Chrome(0.72, 0.60));
    sky.setColorAt(1, Chrome(0.70, 0.40));
    p.fillRect(area, sky);
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    // Soft light discs and two sweeping waves: the default header of the default skin.
    const std::array<std::array<double, 4>, 4> discs{
        {{0.72, 10, 70, 26}, {0.86, 44, 46, 18}, {0.60, 58, 40, 14}, {0.94, 8, 30, 12}}};
    for (const auto& d : discs) {
        QRadialGradient glow(QPointF(w * d[0], d[1]), d[2]);
        glow.setColorAt(0, QColor(255, 255, 255, static_cast<int>(d[3] * 3)));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(area, glow);
    }
    for (int k = 0; k < 2; ++k) {
        QPainterPath wave;
        const double base = 44 + 8 * k;
        wave.moveTo(0, base);
        wave.cubicTo(w * 0.25, base - 18 + 6 * k, w * 0.55, base + 14, w, base - 10 - 6 * k);
        wave.lineTo(w, kHeaderBottom);
        wave.lineTo(0, kHeaderBottom);
        wave.closeSubpath();
        p.fillPath(wave, Chrome(0.75, 0.30, 46 + 20 * k));
    }
    p.restore();
}

void DrawIconButton(QPainter& p, const QPointF& c, int kind, const QColor& colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case 0: // add
        p.drawLine(QPointF(c.x() - 5, c.y()), QPointF(c.x() + 5, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
        break;
    case 1: // sort
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(c.x() - 5, c.y() - 4 + 4 * i), QPointF(c.x() + 5 - 3 * i, c.y() - 4 + 4 * i));
        break;
    case 2: // locate
        p.drawEllipse(c, 4.5, 4.5);
        p.drawPoint(c);
        p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() - 5));
        p.drawLine(QPointF(c.x(), c.y() + 5), QPointF(c.x(), c.y() + 7));
        p.drawLine(QPointF(c.x() - 7, c.y()), QPointF(c.x() - 5, c.y()));
        p.drawLine(QPointF(c.x() + 5, c.y()), QPointF(c.x() + 7, c.y()));
        break;
    default:
        break;
    }
    p.restore();
}

void DrawSidebar(QPainter& p, int top, int bottom)
{
    const QRect area(2, top, 148, bottom - top);
    QLinearGradient bg(area.topLeft(), area.topRight());
    bg.setColorAt(0, Chrome(0.50, 0.90));
    bg.setColorAt(1, Chrome(0.48, 0.87));
    p.fillRect(area, bg);
    p.fillRect(QRect(area.right() + 1, top, 1, bottom - top), Chrome(0.35, 0.76));

    const QFont small = UiFace(11);
    const QFont item = UiFace(12);
    DrawTextInkTop(p, QStringLiteral("我的音乐"), small, 14, top + 12, Chrome(0.30, 0.48));
    const std::array<const char*, 5> names{"本地音乐", "我的收藏", "最近播放", "默认列表", "下载管理"};
    constexpr int kSelected = 3;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const int y = top + 32 + 30 * i;
        const bool selected = i == kSelected;
        if (selected) {
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            QLinearGradient sel(0, y + 2, 0, y + 28);
            sel.setColorAt(0, Chrome(0.80, 0.60));
            sel.setColorAt(1, Chrome(0.82, 0.50));
            p.fillPath(RoundedRect(QRectF(8, y + 2, 136, 26), 5), sel);
            p.restore();
        }
        const QColor ink = selected ? QColor(255, 255, 255) : Chrome(0.45, 0.20);
        // A small list icon: a disc, a heart-like dot, a clock, lines, an arrow: kept simple.
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(selected ? QColor(255, 255, 255) : Chrome(0.70, 0.45), 1.5));
        p.setBrush(Qt::NoBrush);
        const QPointF c(24, y + 15);
        switch (i) {
        case 0:
            p.drawEllipse(c, 6, 6);
            p.drawEllipse(c, 1.5, 1.5);
            break;
        case 1: {
            QPainterPath heart;
            heart.moveTo(c.x(), c.y() + 5);
            heart.cubicTo(c.x() - 8, c.y() - 1, c.x() - 4, c.y() - 7, c.x(), c.y() - 3);
            heart.cubicTo(c.x() + 4, c.y() - 7, c.x() + 8, c.y() - 1, c.x(), c.y() + 5);
            p.drawPath(heart);
            break;
        }
        case 2:
            p.drawEllipse(c, 6, 6);
            p.drawLine(c, QPointF(c.x(), c.y() - 4));
            p.drawLine(c, QPointF(c.x() + 3, c.y() + 1));
            break;
        case 3:
            for (int k = 0; k < 3; ++k)
                p.drawLine(QPointF(c.x() - 6, c.y() - 4 + 4 * k), QPointF(c.x() + 6, c.y() - 4 + 4 * k));
            break;
        default:
            p.drawLine(QPointF(c.x(), c.y() - 6), QPointF(c.x(), c.y() + 3));
            p.drawLine(QPointF(c.x() - 4, c.y() - 1), QPointF(c.x(), c.y() + 3));
            p.drawLine(QPointF(c.x() + 4, c.y() - 1), QPointF(c.x(), c.y() + 3));
            p.drawLine(QPointF(c.x() - 6, c.y() + 6), QPointF(c.x() + 6, c.y() + 6));
            break;
        }
        p.restore();
        DrawTextInkTop(p, QString::fromUtf8(names[static_cast<size_t>(i)]), item, 38, y + 9, ink);
    }
}

void DrawToolbar(QPainter& p, int left, int right, int top)
{
    const QRect area(left, top, right - left, 32);
    QLinearGradient bg(0, area.top(), 0, area.bottom());
    bg.setColorAt(0, Chrome(0.55, 0.95));
    bg.setColorAt(1, Chrome(0.50, 0.90));
    p.fillRect(area, bg);
    p.fillRect(QRect(left, area.bottom(), right - left, 1), Chrome(0.35, 0.78));

    DrawTextInkTop(p, QStringLiteral("默认列表"), UiFace(13, 700), left + 12, top + 10, Chrome(0.50, 0.18));
    DrawTextInkTop(p, QStringLiteral("共 %1 首").arg(kSongs.size()), UiFace(11), left + 78, top + 12,
                   Chrome(0.30, 0.45));

    // Search box.
    const QRectF box(right - 262, top + 6, 170, 20);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Chrome(0.40, 0.75), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.setPen(QPen(Chrome(0.40, 0.50), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF lens(box.left() + 13, box.top() + 9);
    p.drawEllipse(lens, 4, 4);
    p.drawLine(lens + QPointF(3, 3), lens + QPointF(6, 6));
    p.restore();
    DrawTextInkTop(p, QStringLiteral("搜索歌曲、歌手"), UiFace(11), static_cast<int>(box.left()) + 24,
                   top + 11, Chrome(0.25, 0.62));

    for (int k = 0; k < 3; ++k)
        DrawIconButton(p, QPointF(right - 70 + 24 * k, top + 16), k, Chrome(0.65, 0.40));
}

void DrawList(QPainter& p, int left, int right, int top, int bottom)
{
    // Column header.
    const int headH = 24;
    p.fillRect(QRect(left, top, right - left, headH), Chrome(0.45, 0.94));
    p.fillRect(QRect(left, top + headH - 1, right - left, 1), Chrome(0.30, 0.84));
    const int width = right - left;
    const int colTitle = left + 40;
    const int colArtist = left + static_cast<int>(width * 0.46);
    const int colAlbum = left + static_cast<int>(width * 0.66);
    const int colTime = right - 64;
    const QFont head = UiFace(11);
    const QColor headInk = Chrome(0.30, 0.42);
    DrawTextInkTop(p, QStringLiteral("歌曲"), head, colTitle, top + 8, headInk);
    DrawTextInkTop(p, QStringLiteral("歌手"), head, colArtist, top + 8, headInk);
    DrawTextInkTop(p, QStringLiteral("专辑"), head, colAlbum, top + 8, headInk);
    DrawTextInkTop(p, QStringLiteral("时长"), head, colTime, top + 8, headInk);

    const int rowH = 28;
    const QFont text = UiFace(12);
    p.save();
    p.setClipRect(QRect(left, top + headH, width - 10, bottom - top - headH));
    for (int i = 0;; ++i) {
        const int y = top + headH + rowH * i;
        if (y >= bottom)
            break;
        const Song& song = kSongs[static_cast<size_t>(i) % kSongs.size()];
        const bool playing = i == kPlayingRow;
        QColor rowColour = (i % 2 == 0) ? QColor(255, 255, 255) : Chrome(0.60, 0.975);
        if (playing)
            rowColour = Chrome(0.80, 0.88);
        p.fillRect(QRect(left, y, width, rowH), rowColour);
        const QColor ink = playing ? Chrome(0.85, 0.36) : Chrome(0.40, 0.18);
        const QColor soft = playing ? Chrome(0.70, 0.40) : Chrome(0.25, 0.45);
        if (playing) {
            p.fillRect(QRect(left, y, 3, rowH), Chrome(0.85, 0.50));
            // Level bars of the song being played.
            const std::array<int, 3> levels{6, 10, 4};
            for (int k = 0; k < 3; ++k)
                p.fillRect(QRect(left + 14 + 4 * k, y + 19 - levels[static_cast<size_t>(k)], 3,
                                 levels[static_cast<size_t>(k)]),
                           Chrome(0.85, 0.48));
        } else {
            DrawTextInkTop(p, QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), UiFace(11), left + 13,
                           y + 10, Chrome(0.20, 0.60));
        }
        DrawTextInkTop(p, QString::fromUtf8(song.title), text, colTitle, y + 9, ink);
        DrawTextInkTop(p, QString::fromUtf8(song.artist), text, colArtist, y + 9, soft);
        DrawTextInkTop(p, QString::fromUtf8(song.album), text, colAlbum, y + 9, soft);
        DrawTextInkTop(p, QString::fromUtf8(song.time), UiFace(11), colTime, y + 10, soft);
    }
    p.restore();
    // Scroll bar.
    p.fillRect(QRect(right - 10, top + headH, 10, bottom - top - headH), Chrome(0.40, 0.93));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Chrome(0.45, 0.72));
    p.drawRoundedRect(QRectF(right - 8, top + headH + 4, 6, (bottom - top - headH) * 0.45), 3, 3);
    p.restore();
}

void DrawTransport(QPainter& p, int w, int top, int bottom)
{
    const QRect area(2, top, w - 4, bottom - top);
    QLinearGradient bg(0, area.top(), 0, area.bottom());
    bg.setColorAt(0, Chrome(0.62, 0.44));
    bg.setColorAt(1, Chrome(0.66, 0.30));
    p.fillRect(area, bg);
    p.fillRect(QRect(2, top, w - 4, 1), Chrome(0.60, 0.58));

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Progress along the top edge.
    const double progress = 0.37;
    const QRectF track(2, top + 1, w - 4, 3);
    p.fillRect(track, Chrome(0.50, 0.22));
    p.fillRect(QRectF(track.left(), track.top(), track.width() * progress, 3), Chrome(0.95, 0.66));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(track.left() + track.width() * progress, track.center().y()), 4, 4);

    // Album cover.
    const QRectF cover(12, top + 10, 44, 44);
    QLinearGradient art(cover.topLeft(), cover.bottomRight());
    art.setColorAt(0, Chrome(0.85, 0.75));
    art.setColorAt(1, Chrome(0.75, 0.38));
    p.setBrush(art);
    p.drawRoundedRect(cover, 4, 4);
    p.setBrush(Chrome(0.40, 0.94, 210));
    p.drawEllipse(QPointF(cover.center().x() + 7, cover.center().y() - 8), 6, 6);
    QPainterPath hills;
    hills.moveTo(cover.left(), cover.bottom() - 10);
    hills.quadTo(cover.left() + 14, cover.bottom() - 24, cover.left() + 26, cover.bottom() - 12);
    hills.quadTo(cover.left() + 36, cover.bottom() - 20, cover.right(), cover.bottom() - 14);
    hills.lineTo(cover.right(), cover.bottom() - 4);
    hills.quadTo(cover.right(), cover.bottom(), cover.right() - 4, cover.bottom());
    hills.lineTo(cover.left() + 4, cover.bottom());
    hills.quadTo(cover.left(), cover.bottom(), cover.left(), cover.bottom() - 4);
    hills.closeSubpath();
    p.setBrush(Chrome(0.70, 0.28, 220));
    p.drawPath(hills);
    p.restore();

    DrawTextInkTop(p, QStringLiteral("Summer Breeze"), UiFace(13, 500), 66, top + 15, QColor(255, 255, 255));
    DrawTextInkTop(p, QStringLiteral("Northwind · 01:24 / 03:45"), UiFace(11), 66, top + 35,
                   Chrome(0.55, 0.82));

    // Previous, play (a round button) and next, in the middle.
    const QPointF c(w / 2.0, top + 32);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QRadialGradient knob(c - QPointF(4, 6), 22);
    knob.setColorAt(0, QColor(255, 255, 255));
    knob.setColorAt(1, Chrome(0.45, 0.88));
    p.setBrush(knob);
    p.drawEllipse(c, 17, 17);
    p.setBrush(Chrome(0.80, 0.40));
    p.drawRect(QRectF(c.x() - 5, c.y() - 6, 3.5, 12));
    p.drawRect(QRectF(c.x() + 1.5, c.y() - 6, 3.5, 12));
    p.setBrush(Chrome(0.35, 0.92));
    for (int side : {-1, 1}) {
        const double x = c.x() + side * 46;
        QPolygonF tri;
        tri << QPointF(x + side * 5, c.y()) << QPointF(x - side * 5, c.y() - 7)
            << QPointF(x - side * 5, c.y() + 7);
        p.drawPolygon(tri);
        p.drawRect(QRectF(side < 0 ? x - 8 : x + 5.5, c.y() - 7, 2.5, 14));
    }
    // Volume and mode on the right.
    const double vx = w - 150;
    p.setBrush(Chrome(0.35, 0.92));
    QPolygonF speaker;
    speaker << QPointF(vx, c.y() - 3) << QPointF(vx + 4, c.y() - 3) << QPointF(vx + 9, c.y() - 8)
            << QPointF(vx + 9, c.y() + 8) << QPointF(vx + 4, c.y() + 3) << QPointF(vx, c.y() + 3);
    p.drawPolygon(speaker);
    p.setPen(QPen(Chrome(0.35, 0.92), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(vx + 6, c.y() - 6, 10, 12), -50 * 16, 100 * 16);
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(vx + 22, c.y() - 1.5, 64, 3), Chrome(0.50, 0.22));
    p.fillRect(QRectF(vx + 22, c.y() - 1.5, 44, 3), Chrome(0.60, 0.85));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(vx + 66, c.y()), 4.5, 4.5);
    // Repeat mode.
    p.setPen(QPen(Chrome(0.35, 0.92), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double mx = w - 42;
    p.drawRoundedRect(QRectF(mx - 8, c.y() - 5, 16, 10), 4, 4);
    p.drawLine(QPointF(mx + 2, c.y() - 8), QPointF(mx + 5, c.y() - 5));
    p.drawLine(QPointF(mx + 2, c.y() - 2), QPointF(mx + 5, c.y() - 5));
    p.restore();
    DrawTextInkTop(p, QStringLiteral("词"), UiFace(12, 700), w - 24, top + 27, Chrome(0.35, 0.92));
}

} // namespace

QImage DrawPlayer(int width, int height)
{
    QImage image = NewOpaque(width, height, Chrome(0.55, 0.24));
    QPainter p(&image);
    DrawFrame(p, width, height);
    DrawHeaderBackground(p, width);
    const int transportTop = height - 62;
    DrawSidebar(p, kHeaderBottom, transportTop);
    DrawToolbar(p, 151, width - 2, kHeaderBottom);
    DrawList(p, 151, width - 2, kHeaderBottom + 32, transportTop);
    DrawTransport(p, width, transportTop, height - 2);
    return image;
}

} // namespace art
