#pragma once
// The colour swatch button: a small owner-painted button with a translucent two-line frame,
// a fill colour with a soft shade on its lower half, and an optional icon. A selected swatch
// stays put: it ignores clicks until the page clears its selection.
#include "imaging/ColorModel.h"

#include <QAbstractButton>
#include <QImage>
#include <cstdint>

class CSkinButton2 : public QAbstractButton {
    Q_OBJECT
public:
    // Frame colours, ARGB: translucent black outside, translucent white one pixel inside.
    static constexpr uint32_t kBorderColor = 0x32000000;
    static constexpr uint32_t kInnerColor = 0xC8FFFFFF;
    // The shade over the lower half of the fill, top to bottom, ARGB.
    static constexpr uint32_t kShadeTop = 0x1E323232;
    static constexpr uint32_t kShadeBottom = 0x0F323232;

    explicit CSkinButton2(QWidget* parent = nullptr);

    // Fill colour from its four channels (alpha 255 is opaque).
    void SetColor(int alpha, int red, int green, int blue);
    // The fill colour as a COLORREF (red in the low byte); alpha is dropped.
    ColorRef GetColor() const;
    uint32_t FillArgb() const { return m_fill; }

    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }

    // Loads built-in PNG pngId as the icon, replacing the old one; a failed load leaves no icon.
    // Its 2x rendition, where there is one, is what a screen of a device pixel ratio above 1 shows.
    // iconOnly: the icon is drawn as it is, without frame or fill.
    bool SetIcon(int pngId, bool iconOnly);
    bool HasIcon() const { return !m_icon.isNull(); }

    // The hand cursor over an enabled, unselected swatch (on by default).
    void SetHandCursor(bool on);

    bool IsHovered() const { return m_hover; }

    QSize sizeHint() const override { return {20, 20}; }

    // The icon with the highlight (+0.15 on each colour channel) or grey (0.4 R + 0.5 G + 0.1 B)
    // colour transform applied to every pixel; alpha is kept.
    static QImage HighlightedIcon(const QImage& icon);
    static QImage GreyIcon(const QImage& icon);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateCursor();
    void DrawFrame(QPainter& painter) const;
    void DrawFocusFrame(QPainter& painter) const;
    // The 2x rendition on a screen of a device pixel ratio above 1 when there is one, else the icon.
    const QImage& ForScreen(const QImage& icon, const QImage& icon2x) const;

    bool m_handCursor = true;
    bool m_hover = false;
    bool m_selected = false;
    bool m_iconOnly = false;
    QImage m_icon;
    QImage m_iconHighlighted;
    QImage m_iconGrey;
    QImage m_icon2x; // tagged with a device pixel ratio of 2, as are its two variants
    QImage m_iconHighlighted2x;
    QImage m_iconGrey2x;
    uint32_t m_fill = 0xFFFFFFFF;
};
