// Speed of the colour suggestions: a header crop of a 24-megapixel photo must cost about what a
// small picture costs (the crop is sampled on a bounded grid), and well under 15 ms; entering the
// colour page with a new crop costs the page's old entry plus that.
#include "controls/CColorPreviewCtrl.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorSuggest.h"
#include "imaging/ImageLoading.h"
#include "pages/CColorSkinDlg.h"
#include "skin/SkinDocument.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A photo-like picture: a sunset sky, hills, a sun and grain on every pixel.
QImage PhotoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(40, 50, 120));
    sky.setColorAt(0.45, QColor(230, 120, 90));
    sky.setColorAt(0.6, QColor(250, 190, 110));
    sky.setColorAt(1, QColor(70, 40, 80));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 200));
    painter.drawEllipse(QPointF(width * 0.6, height * 0.5), height * 0.05, height * 0.05);
    painter.setBrush(QColor(120, 80, 130));
    painter.drawEllipse(QRectF(-width * 0.2, height * 0.52, width * 0.8, height * 0.3));
    painter.setBrush(QColor(90, 60, 110));
    painter.drawEllipse(QRectF(width * 0.4, height * 0.54, width * 0.9, height * 0.25));
    painter.end();
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int grain = static_cast<int>(state >> 28) - 8;
            const auto move = [grain](int c) { return std::clamp(c + grain, 0, 255); };
            row[x] = qRgb(move(qRed(row[x])), move(qGreen(row[x])), move(qBlue(row[x])));
        }
    }
    return image;
}

void Suggest(benchmark::State& state, const QImage& picture, const SkinRect& crop)
{
    for (auto _ : state) {
        auto suggestions = SuggestColors(picture, crop);
        benchmark::DoNotOptimize(suggestions.data());
    }
}

// A 6000 x 523 header crop out of the middle of a 6000 x 4000 photo.
void SuggestHeaderOf24Megapixels(benchmark::State& state)
{
    static const QImage photo = PhotoLike(6000, 4000);
    Suggest(state, photo, {0, 1739, 6000, 2262});
}

// A picture that is already header-sized: every pixel is sampled.
void SuggestHeaderOfSmallPicture(benchmark::State& state)
{
    static const QImage photo = PhotoLike(700, 61 * 3);
    Suggest(state, photo, {0, 61, 700, 122});
}

// Every sample a random colour: the most histogram cells, the slowest clustering.
void SuggestRandomColours(benchmark::State& state)
{
    static const QImage noise = [] {
        QImage image(1024, 256, QImage::Format_ARGB32);
        QRandomGenerator rng(3);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = rng.generate() | 0xFF000000u;
        }
        return image;
    }();
    Suggest(state, noise, {0, 0, noise.width(), noise.height()});
}

void SuggestSamplePhoto(benchmark::State& state)
{
    static const QImage photo = DecodePictureFile(QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg"));
    if (photo.isNull()) {
        state.SkipWithError("res/sample/sample.jpg cannot be decoded");
        return;
    }
    Suggest(state, photo, {0, 222, 1800, 378});
}

// The 24-megapixel photo as the header page hands it to the colour page.
const SharedPicture& PhotoPicture()
{
    static const SharedPicture picture = std::make_shared<CSkinImage>();
    static const bool loaded = [] {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        return PhotoLike(6000, 4000).save(path) && picture->LoadFromFile(path);
    }();
    (void)loaded;
    return picture;
}

// Entering the colour page: the page follows the document's crop and its preview is painted at the
// wizard's size. Alternating between two crops makes every entry a new crop, so every entry
// computes suggestions; the same crop again tells the page nothing.
void EnterColorPage(benchmark::State& state, bool newCrop)
{
    SkinDocument document;
    document.SetPicture(QStringLiteral("photo.jpg"), PhotoPicture());
    CColorSkinDlg page(document, nullptr);
    page.resize(874, 567);
    const SkinRect crops[2] = {{0, 1739, 6000, 2262}, {0, 1740, 6000, 2263}};
    int turn = 0;
    for (auto _ : state) {
        document.SetCrop(crops[newCrop ? turn++ % 2 : 0]);
        QImage shown = page.Preview()->grab().toImage();
        benchmark::DoNotOptimize(shown.constBits());
    }
}

void EnterColorPageWithNewCrop(benchmark::State& state)
{
    EnterColorPage(state, true);
}

void EnterColorPageAgain(benchmark::State& state)
{
    EnterColorPage(state, false);
}

} // namespace

BENCHMARK(EnterColorPageWithNewCrop)->Unit(benchmark::kMillisecond);
BENCHMARK(EnterColorPageAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(SuggestHeaderOf24Megapixels)->Unit(benchmark::kMillisecond);
BENCHMARK(SuggestHeaderOfSmallPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(SuggestRandomColours)->Unit(benchmark::kMillisecond);
BENCHMARK(SuggestSamplePhoto)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
