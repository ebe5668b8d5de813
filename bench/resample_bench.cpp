// Speed of ResampleBitmap on the sizes the wizard resamples most: a photo fitted to the crop
// control (6000 x 4000 -> 700 x 467) and a header strip halved (1400 x 122 -> 700 x 61).
// SKIN_BENCH_PHOTO=<file> and SKIN_BENCH_STRIP=<file> resample those pictures instead of generated
// pixels (compare_imagemagick.sh uses them so that both programs work on the same pixels).
#include "imaging/ImageLoading.h"
#include "imaging/Resample.h"
#include "imaging/ResampleTaps.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

QImage Generated(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = rng.generate() | 0xFF000000u;
    }
    return img;
}

QImage FromFileOr(const char* variable, int w, int h)
{
    const char* path = std::getenv(variable);
    if (path == nullptr)
        return Generated(w, h);
    const QImage img = DecodePictureFile(QString::fromLocal8Bit(path));
    if (img.size() != QSize(w, h)) {
        std::fprintf(stderr, "%s: %s is not a %d x %d picture\n", variable, path, w, h);
        std::exit(2);
    }
    return img;
}

const QImage& Picture(int w)
{
    static const QImage photo = FromFileOr("SKIN_BENCH_PHOTO", 6000, 4000);
    static const QImage strip = FromFileOr("SKIN_BENCH_STRIP", 1400, 122);
    return w == 6000 ? photo : strip;
}

void Resample(benchmark::State& state, int w, int tw, int th, ResampleKernel kernel)
{
    const QImage& src = Picture(w);
    for (auto _ : state) {
        ResampleResult r = ResampleBitmapWith(src, tw, th, ResampleFilter::Hermite, kernel);
        benchmark::DoNotOptimize(r.image.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(Resample, Photo_6000x4000_to_700x467, 6000, 700, 467, ResampleKernel::Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Resample, Photo_6000x4000_to_700x467_plain, 6000, 700, 467, ResampleKernel::Plain)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Resample, Strip_1400x122_to_700x61, 1400, 700, 61, ResampleKernel::Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Resample, Strip_1400x122_to_700x61_plain, 1400, 700, 61, ResampleKernel::Plain)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Resample, Strip_1400x122_to_2800x244, 1400, 2800, 244, ResampleKernel::Fastest)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
