#include "imaging/Resample.h"
#include "imaging/ResampleTaps.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>
#include <vector>

namespace {

// A one-row picture whose four bytes of pixel x are all v[x].
QImage Row(const std::vector<int>& v)
{
    QImage img(int(v.size()), 1, QImage::Format_ARGB32);
    for (size_t x = 0; x < v.size(); ++x)
        img.setPixel(int(x), 0, qRgba(v[x], v[x], v[x], v[x]));
    return img;
}

std::vector<int> Blues(const QImage& img, int y = 0)
{
    std::vector<int> out;
    for (int x = 0; x < img.width(); ++x)
        out.push_back(img.constScanLine(y)[4 * x]);
    return out;
}

QImage Random(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_ARGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, rng.generate());
    return img;
}

// The resampling rules written out directly, one sample at a time, with no tap lists.
std::vector<uint8_t> ReferencePass(const std::vector<uint8_t>& in, int n, int m)
{
    const double s = double(m) / n;
    const double kscale = s > 1 ? 1.0 : s;
    const double hw = s > 1 ? 1.0 : 1.0 / s;
    std::vector<uint8_t> out(static_cast<size_t>(m));
    for (int i = 0; i < m; ++i) {
        const double centre = i * (1 / s);
        const int first = int(centre + 0.5 - hw);
        const int last = int(first + 2 * hw);
        double sum = 0, wsum = 0;
        for (int j = first; j <= last; ++j) {
            if (j < 0 || j >= n)
                continue;
            double x = std::fabs((centre - j) * kscale);
            double w = x < 1 ? 2 * x * x * x - 3 * x * x + 1 : 0;
            if (w == 0)
                continue;
            sum += w * in[size_t(j)];
            wsum += w;
        }
        if (wsum == 0) {
            out[size_t(i)] = 0;
            continue;
        }
        const double v = sum * (1 / wsum);
        out[size_t(i)] = uint8_t(std::clamp(int(v), 0, 255));
    }
    return out;
}

QImage ReferenceResample(const QImage& src, int w, int h)
{
    const int W = src.width();
    const int H = src.height();
    // rows first, into a byte buffer, then columns
    std::vector<uint8_t> mid(size_t(w) * H * 4);
    for (int y = 0; y < H; ++y)
        for (int c = 0; c < 4; ++c) {
            std::vector<uint8_t> line(static_cast<size_t>(W));
            for (int x = 0; x < W; ++x)
                line[size_t(x)] = src.constScanLine(y)[4 * x + c];
            const auto out = ReferencePass(line, W, w);
            for (int x = 0; x < w; ++x)
                mid[(size_t(y) * w + x) * 4 + c] = out[size_t(x)];
        }
    QImage dst(w, h, QImage::Format_ARGB32);
    for (int x = 0; x < w; ++x)
        for (int c = 0; c < 4; ++c) {
            std::vector<uint8_t> column(static_cast<size_t>(H));
            for (int y = 0; y < H; ++y)
                column[size_t(y)] = mid[(size_t(y) * w + x) * 4 + c];
            const auto out = ReferencePass(column, H, h);
            for (int y = 0; y < h; ++y)
                dst.scanLine(y)[4 * x + c] = out[size_t(y)];
        }
    return dst;
}

} // namespace

TEST(Resample, HandWorkedReductionAndEnlargement)
{
    // 4 -> 2: s = 0.5, half-width 2.
    // out0: centre 0, taps j0 (w 1), j1 (w 0.5): (0 + 50) / 1.5 = 33.3 -> 33
    // out1: centre 2, taps j1 (0.5), j2 (1), j3 (0.5): (50 + 200 + 127.5) / 2 = 188.75 -> 188
    ResampleResult r = ResampleBitmap(Row({0, 100, 200, 255}), 2, 1, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Blues(r.image), (std::vector<int>{33, 188}));
    // every byte of a pixel, alpha included, goes through the same sum
    EXPECT_EQ(r.image.pixel(1, 0), qRgba(188, 188, 188, 188));

    // 2 -> 4: s = 2, centres 0, 0.5, 1, 1.5: b0, the mean, b1, and b1 again (the right edge
    // sample only sees j = 1)
    r = ResampleBitmap(Row({0, 200}), 4, 1, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Blues(r.image), (std::vector<int>{0, 100, 200, 200}));

    // 3 -> 5: s = 5/3, centre 0.6 weighs j0 by k(0.6) = 0.352 and j1 by k(0.4) = 0.648:
    // 0.648 * 255 / 1.0 = 165.24 -> 165
    r = ResampleBitmap(Row({0, 255, 0}), 5, 1, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Blues(r.image)[1], 165);

    // Columns are the second pass over the truncated bytes of the first:
    // a 4 x 2 picture to 2 x 1 averages the two rows' results {33, 188} and {0, 0}.
    // centre 0 of 2 -> 1: taps j0 (1), j1 (k(0.5) = 0.5): (33 + 0) / 1.5 = 22, 188 / 1.5 = 125.3
    QImage two(4, 2, QImage::Format_ARGB32);
    two.fill(0);
    for (int x = 0; x < 4; ++x)
        two.setPixel(x, 0, Row({0, 100, 200, 255}).pixel(x, 0));
    r = ResampleBitmap(two, 2, 1, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Blues(r.image), (std::vector<int>{22, 125}));
}

TEST(Resample, TapsOfAReduction)
{
    const ResampleTaps taps = BuildResampleTaps(4, 2);
    ASSERT_EQ(taps.Count(), 2);
    // zero weights at the ends are not recorded
    EXPECT_EQ(std::vector<int32_t>(taps.index.begin(), taps.index.begin() + taps.begin[1]),
              (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(std::vector<int32_t>(taps.index.begin() + taps.begin[1], taps.index.end()),
              (std::vector<int32_t>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(taps.norm[0], 1 / 1.5);
    EXPECT_EQ(HermiteWeight(0.5), 0.5);
    EXPECT_EQ(HermiteWeight(-0.5), 0.5);
    EXPECT_EQ(HermiteWeight(1.0), 0.0);
}

TEST(Resample, SizesAreClampedAndOwnSizeIsACopy)
{
    const QImage src = Random(3, 2, 1);
    ResampleResult r = ResampleBitmap(src, 0, 5000, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.size(), QSize(1, 4096));

    r = ResampleBitmap(src, 3, 2, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image, src);
    EXPECT_EQ(r.image.format(), QImage::Format_ARGB32);

    // one axis unchanged: that axis passes through exactly
    const QImage tall = Random(5, 40, 2);
    r = ResampleBitmap(tall, 5, 13, ResampleFilter::Hermite);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image, ReferenceResample(tall, 5, 13));
}

TEST(Resample, AllBlackStaysBlack)
{
    QImage black(37, 11, QImage::Format_ARGB32);
    black.fill(0);
    for (QSize size : {QSize(1, 1), QSize(10, 3), QSize(700, 61), QSize(37, 200), QSize(4096, 2)}) {
        const ResampleResult r = ResampleBitmap(black, size.width(), size.height(), ResampleFilter::Hermite);
        ASSERT_TRUE(r.ok());
        for (int y = 0; y < r.image.height(); ++y)
            for (int x = 0; x < r.image.width(); ++x)
                ASSERT_EQ(r.image.pixel(x, y), 0u) << size.width() << "x" << size.height();
    }
}

TEST(Resample, ErrorCodes)
{
    const QImage src = Random(4, 4, 3);
    EXPECT_EQ(ResampleBitmap(src, 2, 2, ResampleFilter::None).error, uint32_t(RESAMPLE_NO_FILTER));
    // the filter is checked before the source
    EXPECT_EQ(ResampleBitmap(QImage(), 2, 2, ResampleFilter::None).error, uint32_t(RESAMPLE_NO_FILTER));
    EXPECT_EQ(ResampleBitmap(QImage(), 2, 2, ResampleFilter::Hermite).error, uint32_t(RESAMPLE_NO_SOURCE));
    QImage indexed(4, 4, QImage::Format_Indexed8);
    EXPECT_EQ(ResampleBitmap(indexed, 2, 2, ResampleFilter::Hermite).error, uint32_t(RESAMPLE_BAD_SOURCE));
    const ResampleResult negative = ResampleBitmap(src, -3, 2, ResampleFilter::Hermite);
    EXPECT_EQ(negative.error, uint32_t(RESAMPLE_NO_DESTINATION));
    EXPECT_TRUE(negative.image.isNull());
}

TEST(Resample, MatchesTheRulesOnRandomPictures)
{
    struct Case {
        int w, h, tw, th;
    };
    const Case cases[] = {{97, 31, 40, 13},     {40, 13, 97, 31}, {700, 61, 350, 30},
                          {1400, 122, 700, 61}, {13, 200, 50, 7}, {5, 5, 4096, 1},
                          {300, 2, 1, 1},       {64, 64, 63, 65}, {3, 3, 7, 2}};
    quint32 seed = 10;
    for (const Case& c : cases) {
        const QImage src = Random(c.w, c.h, ++seed);
        const QImage expected = ReferenceResample(src, c.tw, c.th);
        for (ResampleKernel kernel : {ResampleKernel::Plain, ResampleKernel::Fastest}) {
            const ResampleResult r = ResampleBitmapWith(src, c.tw, c.th, ResampleFilter::Hermite, kernel);
            ASSERT_TRUE(r.ok());
            EXPECT_EQ(r.image, expected)
                << c.w << "x" << c.h << " -> " << c.tw << "x" << c.th << " kernel " << int(kernel);
        }
    }
}

TEST(Resample, LargePicturesSplitAcrossThreadsGiveTheSameBytes)
{
    // both passes have enough work here to be shared among the cores
    const QImage src = Random(1000, 1500, 77);
    const QImage expected = ReferenceResample(src, 700, 100);
    for (ResampleKernel kernel : {ResampleKernel::Plain, ResampleKernel::Fastest})
        EXPECT_EQ(ResampleBitmapWith(src, 700, 100, ResampleFilter::Hermite, kernel).image, expected)
            << "kernel " << int(kernel);
}

TEST(Resample, ReadsPicturesOfOtherFormatsAndCustomStrides)
{
    const QImage src = Random(30, 20, 99);
    // RGB32 is read as its bytes like ARGB32
    QImage rgb32 = src.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ResampleBitmap(rgb32, 11, 7, ResampleFilter::Hermite).image, ReferenceResample(rgb32, 11, 7));

    // 24-bit pictures are converted to ARGB32 (alpha 255) first
    const QImage rgb888 = src.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(ResampleBitmap(rgb888, 11, 7, ResampleFilter::Hermite).image,
              ReferenceResample(rgb888.convertToFormat(QImage::Format_ARGB32), 11, 7));

    // a picture that views part of another one's rows
    const QImage view(src.constScanLine(3) + 4 * 5, 17, 9, src.bytesPerLine(), QImage::Format_ARGB32);
    EXPECT_EQ(ResampleBitmap(view, 6, 4, ResampleFilter::Hermite).image,
              ReferenceResample(view.copy(), 6, 4));
}
