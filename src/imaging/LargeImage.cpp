#include "imaging/LargeImage.h"

#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr size_t kHugePage = size_t(2) << 20;
// Below this a block costs little either way and the ordinary allocator does better.
constexpr size_t kLargeBlock = size_t(4) << 20;

void FreeImageBlock(void* block)
{
    LargeBlockFree()(static_cast<uint8_t*>(block));
}

} // namespace

void LargeBlockFree::operator()(uint8_t* block) const
{
    std::free(block);
}

LargeBlock AllocateLarge(size_t bytes)
{
    if (bytes < kLargeBlock)
        return LargeBlock(static_cast<uint8_t*>(std::malloc(bytes == 0 ? 1 : bytes)));
    if (bytes > SIZE_MAX - kHugePage)
        return nullptr;
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    auto* block = static_cast<uint8_t*>(std::aligned_alloc(kHugePage, rounded));
#ifdef MADV_HUGEPAGE
    if (block != nullptr)
        madvise(block, rounded, MADV_HUGEPAGE); // advice only: ordinary pages when refused
#endif
    return LargeBlock(block);
}

QImage NewLargeImage(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0 || QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return QImage();
    const size_t bytesPerLine = size_t(width) * 4;
    if (size_t(height) > SIZE_MAX / bytesPerLine)
        return QImage();
    if (bytesPerLine * size_t(height) < kLargeBlock)
        return QImage(width, height, format);
    LargeBlock block = AllocateLarge(bytesPerLine * size_t(height));
    if (block == nullptr)
        return QImage();
    QImage image(block.get(), width, height, qsizetype(bytesPerLine), format, FreeImageBlock, block.get());
    if (image.isNull())
        return QImage();
    block.release(); // the picture frees it now
    return image;
}
