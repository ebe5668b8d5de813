#pragma once
// The rules for the part of the user's picture that becomes the header, in picture pixels: the
// crop keeps the header's 700:61 shape and stays inside the picture, and the stretch region lies
// inside the crop with part of the header left on each side of it.
#include "platform/SkinRect.h"

#include "platform/HeaderSize.h"

#include <QSize>

inline constexpr double kHeaderWidthPerHeight = static_cast<double>(kHeaderWidth) / kHeaderHeight;

// A crop's height for its width and the width for a height, rounded to the nearest pixel, so that
// the header cut from it is 700 pixels wide (give or take the rounding of each strip).
int CropHeightForWidth(int width);
int CropWidthForHeight(int height);
// The lowest crop a user can make (smaller pictures give what they have).
inline constexpr int kMinCropHeight = 10;

// The largest 700:61 crop of a picture of that size, centred; null for an empty picture.
SkinRect DefaultCrop(QSize picture);
// The crop with its width taken from crop (its left and top kept where they can be), the height
// following the width, shrunk to fit the picture and then moved inside it.
SkinRect ConstrainCrop(const SkinRect& crop, QSize picture);

// The stretch region a header gets when the user has not chosen one: a band 15 of the header's
// 700 columns wide, ending 350 columns in (just left of the centre).
SkinRect DefaultStretchRegion(const SkinRect& crop);
// The region inside the crop's columns, at least one column wide with at least one column of the
// crop on either side, as high as the crop. A null region stays null (no region); a crop too
// narrow for a region gives null.
SkinRect ConstrainStretchRegion(const SkinRect& region, const SkinRect& crop);
// The region carried to another crop so that it covers the same share of the header.
SkinRect CarryStretchRegion(const SkinRect& region, const SkinRect& from, const SkinRect& to);
