#pragma once
// The skin being edited: one record owned by the wizard, written by the pages in
// SaveToProject, filled by opening a package, read by saving one.
// Corner order everywhere: 0 left-top, 1 right-top, 2 left-bottom, 3 right-bottom.
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>

class CSkinImage;

constexpr int kCornerCount = 4;

struct SkinProject {
    QString picturePath;           // picture chosen on page 1; after an open, the rebuilt header
    CSkinImage* picture = nullptr; // decoded source picture, borrowed from page 1
    SkinRect crop;                 // picture pixels, aspect 700:61
    ColorRef mainColor = 0;        // 0 = keep the pictures' own colours
    bool whiteTabText = false;     // true = white tab text
    SkinRect stretchRegion;        // picture pixels; all 0 = none
    int32_t tile = 0;              // 0 stretch, non-zero tile

    std::array<int32_t, kCornerCount> decorationPresent{};
    std::array<QString, kCornerCount> decorationPath;
    std::array<QPoint, kCornerCount> decorationOffset{};

    std::array<int32_t, kCornerCount> cornerControlPresent{};
    std::array<QString, kCornerCount> cornerControlPath;
    std::array<QPoint, kCornerCount> cornerControlPosition{};
    std::array<QSize, kCornerCount> cornerControlSize{};

    int32_t extraControlCount = 0;
    QList<QString> extraControlPaths;
    QList<int32_t> extraControlCorners;
    QList<QPoint> extraControlPositions;
    QList<QSize> extraControlSizes;

    QString thumbnailPath;                  // empty = cut the thumbnail from the header
    CSkinImage* thumbnailPicture = nullptr; // borrowed from page 6; meaningful when thumbnailPath is set
    QString skinName;
};

// Stretch region, decoration and corner-control flags, tile, extra-control count and
// thumbnail path back to their start values; nothing else changes.
void ResetProject(SkinProject& project);
