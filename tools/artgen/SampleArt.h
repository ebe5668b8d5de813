#pragma once
// A photo-like sunset landscape used as the sample header picture and inside the diagrams.
#include <QImage>
#include <QRect>

namespace art {

QImage DrawSample(int width, int height);
// The 700:61 band of the sample that the diagrams show as the header.
QRect SampleHeaderBand(const QImage& sample);

} // namespace art
