#pragma once
// The player wearing a skin, drawn at any window size: the header rebuilt from the skin's strips
// as the player lays them out, the tab captions and window buttons over it, the chrome recoloured
// with the main colour, the skin's entry (thumbnail and name) in the open skin menu, decorations
// at their corners and boxes where flash controls play. The canvas grows beyond the window
// wherever a decoration or a control lies outside it, by at most kMaxCanvasMargin on each side
// (what lies further out is cut off).
#include "imaging/PlayerWindowPicture.h"
#include "skin/HeaderLayout.h"
#include "skin/SkinDocument.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// Something hung on a corner of the window: its top-left is the corner point minus the offset.
struct SkinViewItem {
    Corner corner = Corner::LeftTop;
    QPoint offset;
    QSize size;
    QImage picture; // decorations only
    QString file;   // the item's file (a control's movie)
};

// What is shown of a skin, decoded.
struct SkinView {
    QImage header;    // the header picture
    SkinRect crop;    // its part that is the header
    SkinRect stretch; // all 0: none
    StretchMode mode = StretchMode::Stretch;
    ColorRef mainColor = 0;
    bool whiteTabText = false;
    QString skinName;
    QImage thumbnail; // 60 x 37, or null: cut from the header as a save would
    QList<SkinViewItem> decorations;
    QList<SkinViewItem> controls;
};

struct SkinViewResult {
    bool ok = false;
    QString error; // for the user
    SkinView view;
};
// Decodes what the skin names: the header picture (the shared one when it is decoded), the
// thumbnail and the decorations. A control's size is its stored one, or its movie's stage size
// (at most kMaxItemSide a side).
SkinViewResult SkinViewOfSkin(const SkinContent& skin);

// The player's default window, and the lowest window that still shows the title bar and a row
// of the body.
inline constexpr QSize kPlayerDefaultSize{704, 480};
inline constexpr int kPlayerMinimumHeight = 65;
// The widest and highest window a picture is drawn for on request (skinmaker-cli render).
inline constexpr int kMaxRenderWindowSide = 4096;
// How far the canvas reaches beyond the window on each side, at most.
inline constexpr int kMaxCanvasMargin = 1024;

class SkinViewPicture {
public:
    SkinViewPicture();

    void SetView(SkinView view);
    const SkinView& View() const { return m_view; }

    // The narrowest window the header fits: the left and right strips side by side (plus the
    // frame); a window narrower than this would overlap them.
    int MinimumWidth() const;

    // Where everything lies for a window of the size, in canvas pixels.
    struct Layout {
        QSize canvas;
        QRect window;
        QList<QRect> decorations; // in View().decorations order
        QList<QRect> controls;    // in View().controls order
    };
    Layout LayOut(QSize window) const;

    // The header band alone at a window width: 61 rows, window width - 4 columns (the frame).
    QImage HeaderBand(int windowWidth) const;
    // The whole canvas, transparent outside the window and the decorations. Controls are drawn
    // as outlined boxes with their file names only when drawControlBoxes is set.
    QImage Render(QSize window, bool drawControlBoxes) const;

    // The outlined box with the file name that stands for a control that does not play.
    static void DrawControlBox(QPainter& painter, const QRect& box, const QString& name);

private:
    void DrawTitleBar(QPainter& painter, int width) const;
    void DrawCaptionsAndBody(QPainter& painter, QSize window) const;
    void DrawSkinMenu(QPainter& painter, int windowWidth) const;

    SkinView m_view;
    PlayerWindowPicture m_chrome{118, 119}; // title-bar band and body, recoloured
    QImage m_thumbnail;                     // shown in the skin menu
};
