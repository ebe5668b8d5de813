#pragma once
// How the user's player looks: the header picture and its crop, the main colour and the colour
// of the tab captions. Every preview of the player is given one.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

struct PlayerLook {
    SharedPicture picture;  // shared; null shows none
    SkinRect crop;          // the header's part of the picture, in picture pixels
    ColorRef mainColor = 0; // 0 = the pictures' own colours
    bool whiteTabText = false;
};
