#pragma once
// The description file "conf.ini" of a skin package: the one place that knows its sections, its
// keys, the order in which they are written and the format of their values. The builder writes a
// skin with WriteDescription; the opener reads the file back with ReadDescription. The file keeps
// the first flash control of each corner apart from the further ("extra") ones: that split is
// made here and nowhere else.
#include "imaging/ColorModel.h"
#include "skin/CornerItem.h"
#include "skin/SkinDocument.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

class ProfileFile;

// A skin's flash controls as the file keeps them: the first control of each corner is that
// corner's control, every further one an extra control, numbered from 1 in list order.
struct PackageControls {
    PerCorner<std::optional<CornerItem>> corner;
    QList<CornerItem> extra;
};
PackageControls SplitControls(const QList<CornerItem>& items);

// What a description file says, as the opener takes it. Missing keys read as 0 or empty, and
// every value is cut to the opener's read buffer first. Offsets of decorations and controls are
// brought within +-kMaxItemOffset and control sizes to at most kMaxItemSide (a size of 0 or less
// keeps its meaning: the movie's stage size).
struct SkinDescription {
    QString name;                          // "name": the package's file name without its extension
    SkinColorNumbers colour;               // "hue", "sat", "light"
    bool whiteTabText = false;             // "white" not 0
    int32_t tile = 0;                      // "tile"
    QString showName;                      // "showname": the skin name
    PerCorner<QPoint> decorationOffsets{}; // "lefttopx", "lefttopy", ...
    // "swflefttop", ...: offset and size, set only when the value holds exactly four numbers.
    PerCorner<std::optional<CornerItem>> cornerControls;
    // "swfcontrol1", ... for the first "swfcontrolnum" (at most kMaxFlashControls), without
    // files. An empty value gives the first corner with zero offset and size; a value that is
    // not five numbers with a corner number 1..4 empties the whole list.
    QList<CornerItem> extraControls;
    int32_t declaredExtraControls = 0; // "swfcontrolnum" as the file gives it; 0 when negative
    int outOfBounds = 0;               // offsets and sizes that were brought within the bounds
};

// Writes every key of the skin into conf, in the player's order: "CONF" name, colour, white, the
// offsets of present decorations; "KEY" present corner controls, the extra controls; "CONF" tile
// (only when set), showname and the three fixed keys. Keys conf already holds are updated in
// place. The skin name and packageName must be storable in GBK on one line (BuildPackage checks).
void WriteDescription(const SkinContent& skin, const QString& packageName, ProfileFile& conf);

SkinDescription ReadDescription(const ProfileFile& conf);
