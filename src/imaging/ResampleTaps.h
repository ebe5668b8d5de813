#pragma once
// The building blocks of ResampleBitmap, exposed for tests and benchmarks.
#include "imaging/Resample.h"

#include <cstdint>
#include <vector>

// The Hermite kernel: 2|x|^3 - 3|x|^2 + 1 inside |x| < 1, else 0.
double HermiteWeight(double x);

// The taps of one pass from sourceLength to targetLength samples: output sample i sums
// weight[t] * source[index[t]] for t in [begin[i], begin[i + 1]) and multiplies by norm[i]
// (1 / sum of its weights, 0 when it has no taps).
struct ResampleTaps {
    std::vector<int32_t> begin;
    std::vector<int32_t> index;
    std::vector<double> weight;
    std::vector<double> norm;
    int Count() const { return static_cast<int>(norm.size()); }
};
ResampleTaps BuildResampleTaps(int sourceLength, int targetLength);

// Plain: portable scalar loops. Fastest: vector loops where the processor has them; same bytes.
enum class ResampleKernel { Plain, Fastest };
ResampleResult ResampleBitmapWith(const QImage& source, int width, int height, ResampleFilter filter,
                                  ResampleKernel kernel);
