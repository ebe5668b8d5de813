#pragma once
// The colour page's preview of the skinned player: the player picture recoloured with the main
// colour, the header image cut from the user's picture, and the tab captions in black or white.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QWidget>

class CColorPreviewCtrl : public QWidget {
    Q_OBJECT
public:
    // The player window the preview shows, in its own pixels.
    static constexpr int kPlayerWidth = 704;
    static constexpr int kPlayerHeight = 480;

    explicit CColorPreviewCtrl(QWidget* parent = nullptr);

    // Recolours the player picture (0 = its own colours) and repaints.
    void SetMainColor(ColorRef colour);
    ColorRef MainColor() const { return m_mainColor; }
    // Chooses the white or the black tab captions and repaints.
    void SetTabTextWhite(bool white);
    bool IsTabTextWhite() const { return m_whiteTabText; }
    // The header picture, borrowed; nullptr shows nothing.
    void SetPicture(SharedPicture picture);
    void SetPictureRect(int left, int top, int right, int bottom);
    SkinRect PictureRect() const { return m_crop; }
    bool HasPicture() const { return m_hasPicture; }

    // The player picture as it is drawn now (the recoloured copy, or the original for colour 0).
    const QImage& PlayerPicture() const { return m_mainColor == 0 ? m_player : m_recolored; }

    // Geometry of the composition at a client size.
    static int Margin(int width);
    static int HeaderBottom(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_player;    // RT_BITMAP 154, the default player window
    QImage m_recolored; // m_player recoloured with m_mainColor
    QImage m_tabsBlack; // "PNG" 4
    QImage m_tabsWhite; // "PNG" 137
    SharedPicture m_picture;
    SkinRect m_crop;
    bool m_hasPicture = false;
    bool m_whiteTabText = false;
    ColorRef m_mainColor = 0;
};
