#pragma once
// The stretch page's result preview: the top of a wide player window (bitmap 159, recoloured
// with the main colour) with the header laid across it as the player draws it: the part left
// of the stretch region and the part right of it at the header's height, and the region
// stretched or tiled over the width between them.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QWidget>
#include <vector>

// One piece of the header band: a source rectangle of the picture drawn into a destination
// rectangle of the control.
struct StretchPiece {
    SkinRect destination;
    SkinRect source;
    bool operator==(const StretchPiece&) const = default;
};

// What the player does with the stretch region when its window is wider than the header.
enum class StretchMode { Stretch, Tile };

// The pieces of the header band on a control `width` pixels wide, in drawing order: left part,
// right part, then the middle (one stretched piece, or tiles and a last partial tile).
// pictureRect is the crop rectangle and region the stretch region, both in picture pixels;
// Pieces with an empty source or destination are left out.
std::vector<StretchPiece> StretchResultPieces(int width, const SkinRect& pictureRect, const SkinRect& region,
                                              StretchMode mode);

class CStretchResultCtrl : public QWidget {
    Q_OBJECT
public:
    // Size of bitmap 159, the top of the wide player window.
    static constexpr int kPlayerTopWidth = 850;
    static constexpr int kPlayerTopHeight = 141;

    explicit CStretchResultCtrl(QWidget* parent = nullptr);

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
    ColorRef MainColor() const { return m_mainColor; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A piece of the header band as drawn: the picture's part resampled to its place's size.
    struct DrawnPiece {
        QPoint at;
        QImage image;
    };
    // Resamples the pieces for the current picture, crop, region, mode and width.
    void RebuildPieces();

    ColorRef m_mainColor = 0;
    QImage m_playerTop;        // bitmap 159 as loaded; null when the resource is missing
    QImage m_playerTopColored; // m_playerTop recoloured with m_mainColor, opaque
    SkinRect m_pictureRect;
    SkinRect m_region;
    SharedPicture m_picture;
    bool m_hasPicture = false;
    StretchMode m_tileMode = StretchMode::Stretch;
    std::vector<DrawnPiece> m_drawn;
    int m_piecesWidth = -1; // the width the pieces were made for
};
