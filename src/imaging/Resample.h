#pragma once
// Separable two-pass filtered scaling of 32-bit pictures (the Hermite filter).
#include <QImage>
#include <cstdint>

enum class ResampleFilter { None, Hermite };

// Result codes of ResampleBitmap (0 = success).
enum ResampleError : uint32_t {
    RESAMPLE_OK = 0,
    RESAMPLE_NO_SOURCE = 0x20000001,
    RESAMPLE_BAD_SOURCE = 0x20000002,
    RESAMPLE_SHORT_READ = 0x20000003,
    RESAMPLE_NO_DESTINATION = 0x20000004,
    RESAMPLE_BAD_DESTINATION = 0x20000005,
    RESAMPLE_NO_MEMORY = 0x20000006,
    RESAMPLE_PASS_FAILED = 0x20000007,
    RESAMPLE_SHORT_WRITE = 0x20000008,
    RESAMPLE_NO_FILTER = 0x20000009,
};

struct ResampleResult {
    QImage image; // Format_ARGB32; null on failure
    uint32_t error = RESAMPLE_OK;
    bool ok() const { return error == RESAMPLE_OK; }
};

// The longest side ResampleBitmap produces.
inline constexpr int kMaxResampleSide = 4096;

// Width and height are clamped: 0 becomes 1, above kMaxResampleSide becomes kMaxResampleSide.
ResampleResult ResampleBitmap(const QImage& source, int width, int height, ResampleFilter filter);
