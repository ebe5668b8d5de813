#pragma once
// Something the user hung on one of the player window's outer corners: a decoration picture or a
// flash control. Where it lies is data: its top-left is the corner point minus the offset.
#include "skin/Corner.h"

#include <QPoint>
#include <QSize>
#include <QString>

enum class CornerItemKind { Decoration, Control };

struct CornerItem {
    CornerItemKind kind = CornerItemKind::Decoration;
    Corner corner = Corner::LeftTop;
    QPoint offset; // the corner point minus the item's top-left
    QSize size;    // a decoration's picture size; a control's stage size as stored
    QString file;  // the PNG or SWF file
    // What the controls list calls it; empty: the file's name without folder and extension.
    QString displayName;
    bool fromGallery = false; // a control downloaded from the control gallery

    bool IsDecoration() const { return kind == CornerItemKind::Decoration; }
    bool IsControl() const { return kind == CornerItemKind::Control; }
    bool operator==(const CornerItem&) const = default;
};
