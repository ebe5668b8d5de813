// Speed of recolouring a 704 x 480 player picture: one colour click recolours several of these.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

constexpr ColorRef kTarget = 0xB87146; // the blue preset swatch

// Every pixel a random colour: the most distinct inputs a picture of this size can have.
QImage RandomColours()
{
    QImage img(704, 480, QImage::Format_ARGB32);
    QRandomGenerator rng(3);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            row[x] = rng.generate() | 0xFF000000u;
    }
    return img;
}

// Smooth shading in a few hues, as window chrome is drawn.
QImage Chrome()
{
    QImage img(704, 480, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int shade = 60 + (y * 150) / 480 + (x % 64 == 0 ? 40 : 0);
            row[x] = qRgb(shade, shade + (x / 176) * 8, std::min(255, shade + 30));
        }
    }
    return img;
}

// The same main colour on every call, as when one click recolours several pictures.
void Recolor(benchmark::State& state, const QImage& picture)
{
    for (auto _ : state) {
        QImage out = RecolorBitmap(picture, kTarget);
        benchmark::DoNotOptimize(out.constBits());
    }
}

void RecolorRandom(benchmark::State& state)
{
    static const QImage picture = RandomColours();
    Recolor(state, picture);
}

// A new main colour on every call: the per-colour table is built each time.
void RecolorRandomNewColour(benchmark::State& state)
{
    static const QImage picture = RandomColours();
    ColorRef target = kTarget;
    for (auto _ : state) {
        target = target == kTarget ? 0x3F79BF : kTarget;
        QImage out = RecolorBitmap(picture, target);
        benchmark::DoNotOptimize(out.constBits());
    }
}

void RecolorChrome(benchmark::State& state)
{
    static const QImage picture = Chrome();
    Recolor(state, picture);
}

// The built-in player window picture, when the resources hold it.
void RecolorPlayerPicture(benchmark::State& state)
{
    static CSkinImage player;
    static const bool loaded = player.LoadFromResource(154, ResourceType::Bitmap);
    if (!loaded) {
        state.SkipWithError("built-in picture 154 is not in the resources");
        return;
    }
    Recolor(state, player.Picture());
}

// For comparison: RecolorPixel called for every pixel, with no table.
void RecolorPixelByPixel(benchmark::State& state)
{
    static const QImage picture = RandomColours();
    for (auto _ : state) {
        QImage out = picture.copy();
        for (int y = 0; y < out.height(); ++y) {
            auto* row = reinterpret_cast<quint32*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                const quint32 p = row[x];
                const ColorRef c = RecolorPixel(MakeColorRef(qRed(p), qGreen(p), qBlue(p)), kTarget);
                row[x] = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
            }
        }
        benchmark::DoNotOptimize(out.constBits());
    }
}

} // namespace

BENCHMARK(RecolorRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(RecolorRandomNewColour)->Unit(benchmark::kMillisecond);
BENCHMARK(RecolorChrome)->Unit(benchmark::kMillisecond);
BENCHMARK(RecolorPlayerPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(RecolorPixelByPixel)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
