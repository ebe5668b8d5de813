#pragma once
// What every preview of the whole player window shows: the player's chrome bitmaps recoloured
// with the main colour, the user's header picture cut to its crop, and the tab captions in black
// or white. The chrome is recoloured once per colour change and the header resampled once per
// picture, crop or header size, never while painting: each view owns one of these.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "imaging/PlayerLook.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <initializer_list>

class QPainter;

class PlayerWindowPicture {
public:
    // chromeBitmaps: the RT_BITMAP numbers of the chrome parts, in the order Chrome() indexes them.
    explicit PlayerWindowPicture(std::initializer_list<int> chromeBitmaps);

    // All of the look at once.
    void SetLook(const PlayerLook& look);
    // Recolours the chrome (0 = its own colours).
    void SetMainColor(ColorRef colour);
    ColorRef MainColor() const { return m_mainColor; }
    void SetTabTextWhite(bool white) { m_whiteTabText = white; }
    bool IsTabTextWhite() const { return m_whiteTabText; }
    // The header picture, shared; nullptr shows none.
    void SetPicture(SharedPicture picture);
    void SetPictureRect(int left, int top, int right, int bottom);
    SkinRect PictureRect() const { return m_crop; }
    bool HasPicture() const { return m_hasPicture; }
    // A header picture that can be drawn now: set and decoded.
    bool CanDrawPicture() const;

    // Chrome part i as drawn now (the recoloured copy, or the original for colour 0).
    const QImage& Chrome(int i) const;
    // Draws chrome part i stretched into target, as a plain copy (recoloured pictures carry alpha 0).
    void DrawChrome(QPainter& painter, int i, const QRect& target) const;
    // The size the header is shown at; the crop is resampled to it now and whenever the picture
    // or the crop changes. An empty size keeps no header.
    void SetHeaderSize(QSize size);
    // The device pixel ratio the header is drawn at: the crop is resampled to round(size x ratio)
    // device pixels and tagged with the ratio, so that a 2x screen shows the picture's own detail.
    void SetHeaderRatio(double ratio);
    double HeaderRatio() const { return m_headerRatio; }
    // The crop of the header picture at the header size (times the ratio), opaque; null without
    // a picture.
    const QImage& Header() const { return m_header; }
    // Draws Header() with its top-left at the point.
    void DrawHeader(QPainter& painter, QPoint topLeft) const;
    // The tab captions as chosen now, at their own size.
    const QImage& TabOverlay() const { return m_whiteTabText ? m_tabsWhite : m_tabsBlack; }
    // The tab captions stretched into the rectangle.
    void DrawTabOverlay(QPainter& painter, int x, int y, int width, int height) const;

    // How many times the chrome was recoloured and the header resampled (for benchmarks and tests).
    int RecolorCount() const { return m_recolorCount; }
    int HeaderBuilds() const { return m_headerBuilds; }

private:
    void RebuildHeader();

    struct Part {
        QImage original;
        QImage recolored; // null for colour 0
        QImage shown;     // what is drawn: opaque copy of the current picture
    };
    QList<Part> m_parts;
    QImage m_tabsBlack; // "PNG" 4
    QImage m_tabsWhite; // "PNG" 137
    SharedPicture m_picture;
    SkinRect m_crop;
    bool m_hasPicture = false;
    bool m_whiteTabText = false;
    ColorRef m_mainColor = 0;
    int m_recolorCount = 0;
    QSize m_headerSize;
    double m_headerRatio = 1.0;
    QImage m_header;
    int m_headerBuilds = 0;
};
