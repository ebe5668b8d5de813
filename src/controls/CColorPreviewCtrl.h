#pragma once
// The colour page's preview of the skinned player: the player picture recoloured with the main
// colour, the header image cut from the user's picture, and the tab captions in black or white.
#include "imaging/PlayerWindowPicture.h"

#include <QImage>
#include <QWidget>

class CColorPreviewCtrl : public QWidget {
    Q_OBJECT
public:
    // The player window the preview shows, in its own pixels.
    static constexpr int kPlayerWidth = 704;
    static constexpr int kPlayerHeight = 480;

    explicit CColorPreviewCtrl(QWidget* parent = nullptr);

    // All of the look at once.
    void SetLook(const PlayerLook& look);
    // Recolours the player picture (0 = its own colours) and repaints.
    void SetMainColor(ColorRef colour);
    ColorRef MainColor() const { return m_look.MainColor(); }
    // Chooses the white or the black tab captions and repaints.
    void SetTabTextWhite(bool white);
    bool IsTabTextWhite() const { return m_look.IsTabTextWhite(); }
    // The header picture, shared; nullptr shows nothing.
    void SetPicture(SharedPicture picture);
    void SetPictureRect(int left, int top, int right, int bottom);
    SkinRect PictureRect() const { return m_look.PictureRect(); }
    bool HasPicture() const { return m_look.HasPicture(); }

    // The player picture as it is drawn now (the recoloured copy, or the original for colour 0).
    const QImage& PlayerPicture() const { return m_look.Chrome(0); }

    // Geometry of the composition at a client size.
    static int Margin(int width);
    static int HeaderBottom(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PlayerWindowPicture m_look{154}; // RT_BITMAP 154, the default player window
};
