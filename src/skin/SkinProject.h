#pragma once
// The skin being edited: one record owned by the wizard, written by the pages in
// SaveToProject, filled by opening a package, read by saving one.
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"
#include "skin/Corner.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class CSkinImage;
using SharedPicture = std::shared_ptr<CSkinImage>;

// A PNG picture placed at one of the player's outer corners.
struct CornerDecoration {
    bool present = false;
    QString path;
    QPoint offset; // from its corner
};

// A flash movie placed on the player. The corner controls are the first control of each corner;
// every further control of a corner is an extra control.
struct FlashControl {
    QString path;                    // the .swf file; empty = no control (corner controls only)
    Corner corner = Corner::LeftTop; // for a corner control, its own corner
    QPoint position;
    QSize size;

    bool IsPresent() const { return !path.isEmpty(); }
};

// The colour numbers an opened package's description file gave, and the colour they were read as.
struct ColourAsRead {
    SkinColorNumbers numbers;
    ColorRef colour = 0;
};

struct SkinProject {
    QString picturePath;    // picture chosen on page 1; after an open, the rebuilt header
    SharedPicture picture;  // decoded source picture, shared with page 1
    SkinRect crop;          // picture pixels, aspect 700:61
    ColorRef mainColor = 0; // 0 = keep the pictures' own colours
    // Set by an open. While mainColor is still the colour read, saving writes these numbers: the
    // way through RGB and back would move them by one here and there.
    std::optional<ColourAsRead> colourAsRead;
    bool whiteTabText = false; // true = white tab text
    SkinRect stretchRegion;    // picture pixels; all 0 = none
    int32_t tile = 0;          // 0 stretch, non-zero tile

    PerCorner<CornerDecoration> decorations;
    PerCorner<FlashControl> cornerControls;
    QList<FlashControl> extraControls; // numbered from 1 in the package, in this order
    int32_t extraControlsLeftOut = 0;  // extra controls an opened package declared but could not give

    QString thumbnailPath;          // empty = cut the thumbnail from the header
    SharedPicture thumbnailPicture; // shared with page 6; meaningful when thumbnailPath is set
    QString skinName;
};

// The description file's numbers for the project's main colour: those read from an opened package
// while the colour has not been changed, otherwise those of the colour itself.
SkinColorNumbers MainColourNumbers(const SkinProject& project);

// Stretch region, tile, thumbnail path, the decorations' presence and the flash controls back to
// their start values (none); nothing else changes.
void ResetProject(SkinProject& project);
