#pragma once
// Colours named for people: tooltips and screen readers say which colour a swatch holds.
#include "imaging/ColorModel.h"

#include <QString>

// The colour's family in the program's language ("蓝色", "浅绿色", "灰色", ...) followed by its hex
// value in brackets: "蓝色（#2E7BCF）".
QString ColorName(ColorRef colour);
