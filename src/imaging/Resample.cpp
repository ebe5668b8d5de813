#include "imaging/Resample.h"

#include "imaging/LargeImage.h"
#include "imaging/ResampleTaps.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SKIN_RESAMPLE_AVX2 1
#endif

// All sums are plain double multiply-then-add in tap order. Nothing here may be contracted into
// fused multiply-adds: the truncated bytes depend on every rounding step.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace {

inline uint8_t ToByte(double v)
{
    // truncation toward zero, then clamped to a byte
    if (!(v > 0.0))
        return 0;
    if (v >= 255.0)
        return 255;
    return static_cast<uint8_t>(static_cast<int>(v));
}

// ---- plain passes: any machine ----

void HorizontalPassPlain(const uint8_t* src, qsizetype srcStride, int rows, uint8_t* dst, qsizetype dstStride,
                         const ResampleTaps& taps)
{
    const int m = taps.Count();
    for (int y = 0; y < rows; ++y) {
        const uint8_t* in = src + y * srcStride;
        uint8_t* out = dst + y * dstStride;
        for (int i = 0; i < m; ++i) {
            double a0 = 0, a1 = 0, a2 = 0, a3 = 0;
            for (int t = taps.begin[i]; t < taps.begin[i + 1]; ++t) {
                const double w = taps.weight[t];
                const uint8_t* p = in + 4 * static_cast<qsizetype>(taps.index[t]);
                a0 += w * p[0];
                a1 += w * p[1];
                a2 += w * p[2];
                a3 += w * p[3];
            }
            const double norm = taps.norm[i];
            out[4 * i + 0] = ToByte(a0 * norm);
            out[4 * i + 1] = ToByte(a1 * norm);
            out[4 * i + 2] = ToByte(a2 * norm);
            out[4 * i + 3] = ToByte(a3 * norm);
        }
    }
}

void VerticalPassPlain(const uint8_t* src, qsizetype srcStride, int rowBytes, uint8_t* dst,
                       qsizetype dstStride, const ResampleTaps& taps, int first, int last)
{
    std::vector<double> acc(static_cast<size_t>(rowBytes));
    for (int i = first; i < last; ++i) {
        std::fill(acc.begin(), acc.end(), 0.0);
        for (int t = taps.begin[i]; t < taps.begin[i + 1]; ++t) {
            const double w = taps.weight[t];
            const uint8_t* in = src + taps.index[t] * srcStride;
            for (int k = 0; k < rowBytes; ++k)
                acc[k] += w * in[k];
        }
        const double norm = taps.norm[i];
        uint8_t* out = dst + i * dstStride;
        for (int k = 0; k < rowBytes; ++k)
            out[k] = ToByte(acc[k] * norm);
    }
}

#ifdef SKIN_RESAMPLE_AVX2

// ---- AVX2 passes: the four bytes of a pixel are four lanes of one vector. Each lane does exactly
// the multiply and add of the plain pass in the same order, so the bytes are identical. ----

__attribute__((target("avx2"))) inline __m256d LoadPixel(const uint8_t* p)
{
    int32_t word;
    std::memcpy(&word, p, 4);
    return _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(word)));
}

__attribute__((target("avx2"))) inline int32_t StorePixel(__m256d acc, double norm)
{
    __m256d v = _mm256_mul_pd(acc, _mm256_set1_pd(norm));
    // clamp before truncating so that the conversion never overflows; NaN cannot occur
    v = _mm256_max_pd(v, _mm256_setzero_pd());
    v = _mm256_min_pd(v, _mm256_set1_pd(255.0));
    const __m128i i32 = _mm256_cvttpd_epi32(v);
    const __m128i i16 = _mm_packs_epi32(i32, i32);
    return _mm_cvtsi128_si32(_mm_packus_epi16(i16, i16));
}

__attribute__((target("avx2"))) void HorizontalPassAvx2(const uint8_t* src, qsizetype srcStride, int rows,
                                                        uint8_t* dst, qsizetype dstStride,
                                                        const ResampleTaps& taps)
{
    const int m = taps.Count();
    const int32_t* begin = taps.begin.data();
    const int32_t* index = taps.index.data();
    const double* weight = taps.weight.data();
    for (int y = 0; y < rows; ++y) {
        const uint8_t* in = src + y * srcStride;
        uint8_t* out = dst + y * dstStride;
        int i = 0;
        // two output samples at a time: two independent chains of additions
        for (; i + 1 < m; i += 2) {
            __m256d acc0 = _mm256_setzero_pd();
            __m256d acc1 = _mm256_setzero_pd();
            const int e0 = begin[i + 1];
            const int e1 = begin[i + 2];
            int t0 = begin[i];
            int t1 = e0;
            for (; t0 < e0 && t1 < e1; ++t0, ++t1) {
                acc0 = _mm256_add_pd(
                    acc0, _mm256_mul_pd(_mm256_set1_pd(weight[t0]), LoadPixel(in + 4 * index[t0])));
                acc1 = _mm256_add_pd(
                    acc1, _mm256_mul_pd(_mm256_set1_pd(weight[t1]), LoadPixel(in + 4 * index[t1])));
            }
            for (; t0 < e0; ++t0)
                acc0 = _mm256_add_pd(
                    acc0, _mm256_mul_pd(_mm256_set1_pd(weight[t0]), LoadPixel(in + 4 * index[t0])));
            for (; t1 < e1; ++t1)
                acc1 = _mm256_add_pd(
                    acc1, _mm256_mul_pd(_mm256_set1_pd(weight[t1]), LoadPixel(in + 4 * index[t1])));
            const int32_t p0 = StorePixel(acc0, taps.norm[i]);
            const int32_t p1 = StorePixel(acc1, taps.norm[i + 1]);
            std::memcpy(out + 4 * i, &p0, 4);
            std::memcpy(out + 4 * i + 4, &p1, 4);
        }
        for (; i < m; ++i) {
            __m256d acc = _mm256_setzero_pd();
            for (int t = begin[i]; t < begin[i + 1]; ++t)
                acc = _mm256_add_pd(acc,
                                    _mm256_mul_pd(_mm256_set1_pd(weight[t]), LoadPixel(in + 4 * index[t])));
            const int32_t p = StorePixel(acc, taps.norm[i]);
            std::memcpy(out + 4 * i, &p, 4);
        }
    }
}

__attribute__((target("avx2"))) void VerticalPassAvx2(const uint8_t* src, qsizetype srcStride, int rowBytes,
                                                      uint8_t* dst, qsizetype dstStride,
                                                      const ResampleTaps& taps, int first, int last)
{
    // rowBytes is a multiple of 4 (whole pixels)
    std::vector<double> acc(static_cast<size_t>(rowBytes));
    const int pixels = rowBytes / 4;
    for (int i = first; i < last; ++i) {
        std::fill(acc.begin(), acc.end(), 0.0);
        for (int t = taps.begin[i]; t < taps.begin[i + 1]; ++t) {
            const __m256d w = _mm256_set1_pd(taps.weight[t]);
            const uint8_t* in = src + taps.index[t] * srcStride;
            double* a = acc.data();
            for (int x = 0; x < pixels; ++x, a += 4)
                _mm256_storeu_pd(a,
                                 _mm256_add_pd(_mm256_loadu_pd(a), _mm256_mul_pd(w, LoadPixel(in + 4 * x))));
        }
        const double norm = taps.norm[i];
        uint8_t* out = dst + i * dstStride;
        for (int x = 0; x < pixels; ++x) {
            const int32_t p = StorePixel(_mm256_loadu_pd(acc.data() + 4 * x), norm);
            std::memcpy(out + 4 * x, &p, 4);
        }
    }
}

bool HaveAvx2()
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}

#endif

// Runs work(first, last) over [0, count) split into one range per core, the last range on the
// calling thread. Small jobs stay on the calling thread: starting a thread costs more than they do.
// False when a range ran out of memory.
template <typename Work> bool ForRowRanges(int count, int64_t taps, Work work)
{
    constexpr int64_t kTapsPerThread = 1 << 20;
    const int cores = static_cast<int>(std::min(std::thread::hardware_concurrency(), 8u));
    const int ranges = static_cast<int>(std::clamp<int64_t>(taps / kTapsPerThread, 1, std::max(cores, 1)));
    const int parts = std::min(ranges, std::max(count, 1));
    std::atomic<bool> failed{false};
    auto run = [&](int first, int last) {
        try {
            work(first, last);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    int first = 0;
    for (int k = 0; k < parts - 1; ++k) {
        const int last = static_cast<int>(int64_t(count) * (k + 1) / parts);
        try {
            helpers.emplace_back(run, first, last);
        } catch (const std::system_error&) {
            run(first, last); // no thread to be had: this range runs here
        }
        first = last;
    }
    run(first, count);
    for (std::thread& helper : helpers)
        helper.join();
    return !failed;
}

// Each output row is computed by one thread exactly as a single thread would: the bytes do not
// depend on how the rows are split.
bool HorizontalPass(const uint8_t* src, qsizetype srcStride, int rows, uint8_t* dst, qsizetype dstStride,
                    const ResampleTaps& taps, ResampleKernel kernel)
{
    const int64_t work = int64_t(rows) * int64_t(taps.index.size());
    return ForRowRanges(rows, work, [&](int first, int last) {
        const uint8_t* in = src + first * srcStride;
        uint8_t* out = dst + first * dstStride;
#ifdef SKIN_RESAMPLE_AVX2
        if (kernel == ResampleKernel::Fastest && HaveAvx2()) {
            HorizontalPassAvx2(in, srcStride, last - first, out, dstStride, taps);
            return;
        }
#endif
        (void)kernel;
        HorizontalPassPlain(in, srcStride, last - first, out, dstStride, taps);
    });
}

bool VerticalPass(const uint8_t* src, qsizetype srcStride, int rowBytes, uint8_t* dst, qsizetype dstStride,
                  const ResampleTaps& taps, ResampleKernel kernel)
{
    const int64_t work = int64_t(rowBytes / 4) * int64_t(taps.index.size());
    return ForRowRanges(taps.Count(), work, [&](int first, int last) {
#ifdef SKIN_RESAMPLE_AVX2
        if (kernel == ResampleKernel::Fastest && HaveAvx2()) {
            VerticalPassAvx2(src, srcStride, rowBytes, dst, dstStride, taps, first, last);
            return;
        }
#endif
        (void)kernel;
        VerticalPassPlain(src, srcStride, rowBytes, dst, dstStride, taps, first, last);
    });
}

ResampleResult Fail(uint32_t code)
{
    ResampleResult r;
    r.error = code;
    return r;
}

} // namespace

double HermiteWeight(double x)
{
    x = std::fabs(x);
    if (x < 1.0)
        return 2.0 * x * x * x - 3.0 * x * x + 1.0;
    return 0.0;
}

ResampleTaps BuildResampleTaps(int sourceLength, int targetLength)
{
    ResampleTaps taps;
    const int n = sourceLength;
    const int m = targetLength;
    const double s = static_cast<double>(m) / static_cast<double>(n);
    const double radius = 1.0; // support of the Hermite kernel
    double kernelScale = 1.0;
    double halfWidth = radius;
    if (!(s > 1.0)) {
        kernelScale = s;
        halfWidth = radius / s;
    }
    const int maxTaps = static_cast<int>(2.0 * halfWidth + 1.0);
    const double inverse = 1.0 / s;

    taps.begin.reserve(static_cast<size_t>(m) + 1);
    taps.norm.reserve(static_cast<size_t>(m));
    taps.index.reserve(static_cast<size_t>(m) * std::min(maxTaps, n));
    taps.weight.reserve(static_cast<size_t>(m) * std::min(maxTaps, n));
    for (int i = 0; i < m; ++i) {
        taps.begin.push_back(static_cast<int32_t>(taps.index.size()));
        const double centre = i * inverse;
        const int first = static_cast<int>(centre + 0.5 - halfWidth);
        const int last = static_cast<int>(first + 2.0 * halfWidth);
        double sum = 0.0;
        int recorded = 0;
        for (int j = std::max(first, 0); j <= last && j < n && recorded < maxTaps; ++j) {
            const double w = HermiteWeight((centre - j) * kernelScale);
            if (w == 0.0)
                continue;
            taps.index.push_back(j);
            taps.weight.push_back(w);
            sum += w;
            ++recorded;
        }
        taps.norm.push_back(recorded > 0 ? 1.0 / sum : 0.0);
    }
    taps.begin.push_back(static_cast<int32_t>(taps.index.size()));
    return taps;
}

ResampleResult ResampleBitmapWith(const QImage& source, int width, int height, ResampleFilter filter,
                                  ResampleKernel kernel)
{
    if (filter == ResampleFilter::None)
        return Fail(RESAMPLE_NO_FILTER);
    if (source.isNull())
        return Fail(RESAMPLE_NO_SOURCE);
    if (width == 0)
        width = 1;
    if (height == 0)
        height = 1;
    width = std::min(width, kMaxResampleSide);
    height = std::min(height, kMaxResampleSide);
    if (width < 0 || height < 0)
        return Fail(RESAMPLE_NO_DESTINATION);
    if (source.depth() < 24)
        return Fail(RESAMPLE_BAD_SOURCE);

    try {
        // 32-bit pictures are read as their bytes (blue, green, red, alpha); anything else is
        // converted to ARGB32 first.
        QImage pixels = source;
        if (pixels.format() != QImage::Format_ARGB32 && pixels.format() != QImage::Format_RGB32)
            pixels = pixels.convertToFormat(QImage::Format_ARGB32);
        if (pixels.isNull())
            return Fail(RESAMPLE_NO_MEMORY);

        const int srcW = pixels.width();
        const int srcH = pixels.height();
        QImage dest = NewLargeImage(width, height, QImage::Format_ARGB32);
        if (dest.isNull())
            return Fail(RESAMPLE_NO_DESTINATION);

        if (srcW == width && srcH == height) {
            for (int y = 0; y < height; ++y)
                std::memcpy(dest.scanLine(y), pixels.constScanLine(y), static_cast<size_t>(width) * 4);
            return ResampleResult{dest, RESAMPLE_OK};
        }

        // Pass 1: rows from srcW to width, into a width x srcH byte buffer.
        // Pass 2: columns from srcH to height, into the destination.
        // A pass between equal lengths gives every sample one tap of weight 1, so it is skipped.
        const uchar* base = pixels.constBits();
        const qsizetype baseStride = pixels.bytesPerLine();
        LargeBlock middle;
        const uint8_t* mid = base;
        qsizetype midStride = baseStride;
        if (srcW != width) {
            const ResampleTaps rowTaps = BuildResampleTaps(srcW, width);
            if (srcH == height) {
                if (!HorizontalPass(base, baseStride, srcH, dest.bits(), dest.bytesPerLine(), rowTaps,
                                    kernel))
                    return Fail(RESAMPLE_NO_MEMORY);
                return ResampleResult{dest, RESAMPLE_OK};
            }
            // every byte is written by the pass: no need to clear it first
            middle = AllocateLarge(static_cast<size_t>(width) * 4 * static_cast<size_t>(srcH));
            if (middle == nullptr)
                return Fail(RESAMPLE_NO_MEMORY);
            midStride = static_cast<qsizetype>(width) * 4;
            if (!HorizontalPass(base, baseStride, srcH, middle.get(), midStride, rowTaps, kernel))
                return Fail(RESAMPLE_NO_MEMORY);
            mid = middle.get();
        }
        const ResampleTaps columnTaps = BuildResampleTaps(srcH, height);
        if (!VerticalPass(mid, midStride, width * 4, dest.bits(), dest.bytesPerLine(), columnTaps, kernel))
            return Fail(RESAMPLE_NO_MEMORY);
        return ResampleResult{dest, RESAMPLE_OK};
    } catch (const std::bad_alloc&) {
        return Fail(RESAMPLE_NO_MEMORY);
    }
}

ResampleResult ResampleBitmap(const QImage& source, int width, int height, ResampleFilter filter)
{
    return ResampleBitmapWith(source, width, height, filter, ResampleKernel::Fastest);
}
