#pragma once
// Main colours suggested by a picture. The crop is sampled on a grid of at most kMaxSuggestSamples
// points (each the mean of the 3 x 3 pixels around it), the samples are clustered in CIELAB (weighted k-means
// over a 32 x 32 x 32 colour histogram), and the clusters are ranked by the share of their hue family and by
// their chroma. Everything after the conversion of each histogram cell to CIELAB is integer arithmetic, so
// the same picture gives the same suggestions on every machine.
#include "imaging/ColorModel.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <vector>

constexpr int kMaxColorSuggestions = 4;
constexpr int kMaxSuggestSamples = 65536;

struct ColorSuggestion {
    // Never 0 (which means "no main colour"): a pure black suggestion comes as 0x010101.
    ColorRef color = 0;
    // Per mille of the sampled crop whose colours belong to this colour's hue family (within
    // 15 degrees of hue); for a grey picture's one suggestion, all its near-grey colours.
    int sharePermille = 0;
    int hue = 0; // HSL hue of color in degrees, 0..359

    bool operator==(const ColorSuggestion&) const = default;
};

// Up to kMaxColorSuggestions colours, best first, for the part of crop that lies inside the
// picture; none when that part is empty or has no opaque pixel (alpha below 128 is skipped).
std::vector<ColorSuggestion> SuggestColors(const QImage& picture, const SkinRect& crop);

// The grid step that keeps the samples of a width x height area within kMaxSuggestSamples.
int SuggestSampleStep(int width, int height);
