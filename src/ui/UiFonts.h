#pragma once
// The user-interface fonts: "宋体" at a pixel height, with the system's CJK fallback.
#include <QFont>

QFont UiFont(int pixelHeight, int weight = 400, bool underline = false);
