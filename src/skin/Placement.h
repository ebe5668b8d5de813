#pragma once
// Something the user hung on one of the player window's outer corners: a decoration picture or a
// flash control. Where it lies is data: its top-left is the corner point minus the offset.
#include "skin/Corner.h"

#include <QPoint>
#include <QSize>
#include <QString>

struct Placement {
    Corner corner = Corner::LeftTop;
    QPoint offset; // the corner point minus the item's top-left
    QSize size;
    QString file;

    bool operator==(const Placement&) const = default;
};
