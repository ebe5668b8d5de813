#pragma once
// The player header preview: the title-bar chrome with logo, tab captions and window buttons
// laid over the user's header, and the first rows of the player body below it, both in the
// main colour. Optionally shows a draggable selection (the stretch region of the header) and
// reports its changes with regionChanged.
#include "imaging/PlayerWindowPicture.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QWidget>
#include <memory>

class CPreviewCtrl : public QWidget {
    Q_OBJECT
public:
    // The main colour a new preview starts with (red 0, green 128, blue 192).
    static constexpr ColorRef kInitialMainColor = 0x00C08000;

    explicit CPreviewCtrl(QWidget* parent = nullptr);
    ~CPreviewCtrl() override;

    // Picture, crop, main colour and tab text at once; a null picture keeps the one shown.
    void SetLook(const PlayerLook& look);
    // Shows a picture (shared with its owner); false (and no change) for nullptr.
    bool SetPicture(SharedPicture picture);
    // The part of the picture (picture pixels) that is the header.
    void SetPictureRect(int left, int top, int right, int bottom);
    void SetMainColor(ColorRef color);
    // Only the low byte counts: 0 black tab text, anything else white.
    void SetTabTextWhite(int flag);
    // Forgets the picture.
    void ClearPicture();

    // The default selection (a 15-pixel band just left of the centre); only with a picture.
    void ResetSelection();
    // Sets the selection in client pixels and enables it; no repaint of its own.
    void SetSelection(int left, int top, int right, int bottom);
    // Sets the selection's edges, clamped to the header (4 pixels in from either side, at least
    // one pixel wide), reports the region, repaints and returns the selection as it is now.
    SkinRect SetSelectionEdges(int left, int right);
    // Maps the selection to picture pixels, keeps it as the region and emits regionChanged.
    void NotifyRegion();
    SkinRect GetRegion() const { return m_region; }

    // State for the pages and for tests.
    bool HasPicture() const { return m_hasPicture; }
    const SharedPicture& Picture() const { return m_picture; }
    SkinRect PictureRect() const { return m_pictureRect; }
    SkinRect Selection() const { return m_selection; }
    bool SelectionEnabled() const { return m_selectionEnabled; }
    ColorRef MainColor() const { return m_look.MainColor(); }
    int TabTextWhite() const { return m_tabTextWhite; }
    SkinRect HeaderBand() const { return m_headerBand; }
    // How often the picture layer (the whole picture scaled to the control) has been rebuilt.
    int PictureLayerBuilds() const { return m_pictureLayerBuilds; }

    // Header band of a client rectangle of the given height: the header's share (64/141).
    static SkinRect HeaderBandFor(int clientWidth, int clientHeight);

signals:
    void regionChanged(SkinRect region);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // What the mouse holds while the left button is down.
    enum class Drag { None, LeftEdge, RightEdge, Move };

    // What a press at (x, y) takes hold of: an edge (up to 3 pixels outside it), the selection
    // (with a 4-pixel margin), or nothing.
    Drag HitTest(int x, int y) const;
    bool DraggingEdge() const { return m_drag == Drag::LeftEdge || m_drag == Drag::RightEdge; }
    // The picture layer is needed only with a selection: built then, once per picture and size.
    void RefreshPictureLayer();
    void RebuildPictureLayer();
    // The header band moved or resized: the header rendition follows it.
    void PlaceHeader();
    // The renditions follow the device pixel ratio of the screen the control is on.
    void FollowRatio();
    SkinRect HeaderInset() const;
    void PaintHeaderPicture(QPainter& painter, const SkinRect& inset) const;
    void UpdateHoverCursor(int x, int y);
    int InnerLeft() const { return 4; }
    int InnerRight() const { return width() - 4; }

    SharedPicture m_picture;
    SkinRect m_selection;
    int m_lastX = 0;
    bool m_selectionEnabled = false;
    Drag m_drag = Drag::None;
    SkinRect m_headerBand;
    SkinRect m_pictureRect;

    QImage m_placeholder;                 // bitmap 136
    PlayerWindowPicture m_look{118, 135}; // title-bar chrome, body rows, header and tab captions
    QImage m_dimPicture;                  // the whole picture at control width, half strength over black
    QImage m_dimBody;                     // the body rows at half strength over black
    bool m_rebuildPicture = true;
    int m_tabTextWhite = 0;
    bool m_hasPicture = false;
    SkinRect m_region;
    int m_pictureLayerBuilds = 0;
    int m_pictureLayerWidth = -1;     // the width the picture layer was made for
    double m_pictureLayerRatio = 1.0; // and the device pixel ratio
};
