#pragma once
// The stretch page's result preview: the top of a wide player window (bitmap 159, recoloured
// with the main colour) with the header laid across it as the player draws it: the part left
// of the stretch region and the part right of it at the header's height, and the region
// stretched or tiled over the width between them.
#include "imaging/PlayerWindowPicture.h"
#include "skin/HeaderLayout.h"

#include <QImage>
#include <QWidget>
#include <vector>

class CStretchResultCtrl : public QWidget {
    Q_OBJECT
public:
    // Size of bitmap 159, the top of the wide player window.
    static constexpr int kPlayerTopWidth = kWidePlayerTopWidth;
    static constexpr int kPlayerTopHeight = 141;

    explicit CStretchResultCtrl(QWidget* parent = nullptr);

    // Picture, crop and main colour at once (the tab text is not shown here).
    void SetLook(const PlayerLook& look);
    // The picture stays with the caller; a null picture changes nothing.
    void SetPicture(SharedPicture picture);
    void SetPictureRect(int left, int top, int right, int bottom);
    void SetMainColor(ColorRef color);
    void SetRegion(int left, int top, int right, int bottom);
    void SetTileMode(StretchMode mode);

    bool HasPicture() const { return m_hasPicture; }
    SkinRect PictureRect() const { return m_pictureRect; }
    SkinRect Region() const { return m_region; }
    StretchMode TileMode() const { return m_tileMode; }
    ColorRef MainColor() const { return m_look.MainColor(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Resamples the pieces for the current picture, crop, region, mode and width.
    void RebuildPieces();

    PlayerWindowPicture m_look{159};
    SkinRect m_pictureRect;
    SkinRect m_region;
    SharedPicture m_picture;
    bool m_hasPicture = false;
    StretchMode m_tileMode = StretchMode::Stretch;
    std::vector<PlacedImage> m_drawn;
    int m_piecesWidth = -1;     // the width the pieces were made for
    double m_piecesRatio = 1.0; // the device pixel ratio they were made at (their pixels are device pixels)
};
