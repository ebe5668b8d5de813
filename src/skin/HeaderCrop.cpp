#include "skin/HeaderCrop.h"

#include "platform/HeaderSize.h"

#include <algorithm>

namespace {

int64_t RoundedRatio(int64_t value, int64_t numerator, int64_t denominator)
{
    return (value * numerator * 2 + denominator) / (denominator * 2);
}

// The header column x of a crop of the given width, in the crop's own columns.
int32_t CropColumn(const SkinRect& crop, int64_t headerColumn)
{
    return static_cast<int32_t>(crop.left + crop.Width() * headerColumn / kHeaderWidth);
}

} // namespace

int CropHeightForWidth(int width)
{
    return static_cast<int>(RoundedRatio(std::max(0, width), kHeaderHeight, kHeaderWidth));
}

int CropWidthForHeight(int height)
{
    return static_cast<int>(RoundedRatio(std::max(0, height), kHeaderWidth, kHeaderHeight));
}

SkinRect DefaultCrop(QSize picture)
{
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0)
        return {};
    int cropWidth = width;
    int cropHeight = CropHeightForWidth(width);
    if (cropHeight > height) {
        cropHeight = height;
        cropWidth = std::min(width, CropWidthForHeight(height));
    }
    if (cropWidth <= 0 || cropHeight <= 0)
        return {};
    const int left = (width - cropWidth) / 2;
    const int top = (height - cropHeight) / 2;
    return {left, top, left + cropWidth, top + cropHeight};
}

SkinRect ConstrainCrop(const SkinRect& crop, QSize picture)
{
    const SkinRect largest = DefaultCrop(picture);
    if (largest.IsEmpty())
        return {};
    const int maxWidth = static_cast<int>(largest.Width());
    const int minWidth = std::min(maxWidth, CropWidthForHeight(kMinCropHeight));
    const int width = static_cast<int>(std::clamp<int64_t>(crop.Width(), minWidth, maxWidth));
    const int height = width == maxWidth ? static_cast<int>(largest.Height())
                                         : std::min<int>(CropHeightForWidth(width), largest.Height());
    const int left = std::clamp(crop.left, 0, picture.width() - width);
    const int top = std::clamp(crop.top, 0, picture.height() - height);
    return {left, top, left + width, top + height};
}

SkinRect DefaultStretchRegion(const SkinRect& crop)
{
    return ConstrainStretchRegion({CropColumn(crop, 335), crop.top, CropColumn(crop, 350), crop.bottom},
                                  crop);
}

SkinRect ConstrainStretchRegion(const SkinRect& region, const SkinRect& crop)
{
    if (region.IsNull())
        return {};
    if (crop.Width() < 3 || crop.IsEmpty())
        return {};
    const int32_t left = std::clamp(region.left, crop.left + 1, crop.right - 2);
    const int32_t right = std::clamp(region.right, left + 1, crop.right - 1);
    return {left, crop.top, right, crop.bottom};
}

SkinRect CarryStretchRegion(const SkinRect& region, const SkinRect& from, const SkinRect& to)
{
    if (region.IsNull() || from.Width() <= 0 || to.IsEmpty())
        return {};
    const auto carry = [&](int32_t x) {
        return static_cast<int32_t>(to.left + (int64_t(x) - from.left) * to.Width() / from.Width());
    };
    return ConstrainStretchRegion({carry(region.left), to.top, carry(region.right), to.bottom}, to);
}
