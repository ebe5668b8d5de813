#pragma once
// The default player window: frame, header background, playlist body and transport bar,
// all in shades of the chrome hue.
#include <QImage>

namespace art {

constexpr int kHeaderBottom = 64; // the body starts on this row

// The whole window at width x height (the default window is 704 x 480).
QImage DrawPlayer(int width, int height);

} // namespace art
