#pragma once
// The tab-label overlays laid over the header: logo, window buttons and four tab captions
// on transparent ground.
#include <QImage>
#include <QPoint>

namespace art {

constexpr int kTabTextTop = 38;    // first row of the tab captions' ink
constexpr int kTabTextBottom = 48; // last row

// width x 61; every mark is drawn moved by shift; whiteText chooses light captions.
QImage DrawOverlay(int width, QPoint shift, bool whiteText);

} // namespace art
