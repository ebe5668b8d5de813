#pragma once
// Where things hung on the player window's corners may lie. An item's place is its offset, the
// corner point minus the item's top-left corner; the same rules hold in the wizard and on the
// command line.
#include "skin/Corner.h"

#include <QPoint>
#include <QSize>

// The player window the items are placed around (its default size).
inline constexpr int kPlayerWindowWidth = 704;
inline constexpr int kPlayerWindowHeight = 480;

// The offset of an item of that size centred on its corner (halves truncated): where a new
// decoration or flash control goes.
QPoint DefaultCornerOffset(QSize itemSize);

// The offset moved just enough that the item lies between its quarter of the window grown by the
// item's own size on every side: wholly outside the window at most, but no further.
QPoint ClampCornerOffset(Corner corner, QSize size, QPoint offset);
