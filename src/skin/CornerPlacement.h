#pragma once
// Where a new decoration or flash control goes: centred on its corner point of the player window,
// as the wizard's preview places a picture it has just loaded. The project stores an item's place
// as its offset, the corner point minus the item's top-left corner.
#include <QPoint>
#include <QSize>

// The offset of an item of that size centred on its corner (halves truncated).
QPoint DefaultCornerOffset(QSize itemSize);
