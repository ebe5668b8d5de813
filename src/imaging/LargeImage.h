#pragma once
// Memory for large pictures. Fresh memory costs a page fault per 4 KB page on first touch, which
// for a photo costs more than decoding it; blocks of some megabytes are therefore asked for in
// 2 MB pages where the kernel offers them. The pixels are the same either way.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>

struct LargeBlockFree {
    void operator()(uint8_t* block) const;
};
using LargeBlock = std::unique_ptr<uint8_t[], LargeBlockFree>;

// Uninitialised; null when the memory cannot be had.
LargeBlock AllocateLarge(size_t bytes);
// An uninitialised picture of a 32-bit format, rows without padding; null on failure.
QImage NewLargeImage(int width, int height, QImage::Format format);
