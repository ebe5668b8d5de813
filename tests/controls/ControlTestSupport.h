#pragma once
// Helpers for the control tests: reported rectangles, pictures on disk, and mouse events
// delivered straight to a widget.
#include "imaging/CSkinImage.h"
#include "platform/SkinRect.h"

#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QWidget>
#include <ostream>

// Readable rectangles in test failures.
inline void PrintTo(const SkinRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace skintest {

// The rectangle of the last signal a spy caught.
inline SkinRect LastRect(const QSignalSpy& spy)
{
    return spy.constLast().constFirst().value<SkinRect>();
}

// The file decoded into a fresh picture; null when it cannot be read.
SharedPicture LoadedPicture(const QString& path);

// Writes a picture of one colour, or a left-to-right gradient when gradient is set.
bool WritePicture(const QString& path, int width, int height, QColor colour, bool gradient = false);

// Mouse events with the left button, delivered with sendEvent (no window system involved).
void Press(QWidget* widget, int x, int y);
void Move(QWidget* widget, int x, int y, bool leftDown = true);
void Release(QWidget* widget, int x, int y);
void DoubleClick(QWidget* widget, int x, int y);

// The widget as painted now (runs its paintEvent).
QImage Grab(QWidget* widget);

} // namespace skintest
