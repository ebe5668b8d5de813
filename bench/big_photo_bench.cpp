// A 24-megapixel JPEG from file to result, side by side with Qt's own decode of the same file in
// the same run:
//   QtDecode/N      QImageReader::read of the photo (0) or the grainy photo (1): the floor; each
//                   benchmark below also measures it beside every iteration (counter decode_ms)
//   CliBuild/N      `skinmaker-cli build` as a process: N = 0 the photo with the default crop (one
//                   strip, 6000 x 522); 1 the same with a stretch region (three strips scaled to 61
//                   rows high); 2 a grainy photo with the default crop (a strip DEFLATE can hardly
//                   shrink). SKIN_BENCH_CLI=<program> runs that one instead of the build's.
//   BaselineBuild/N the same with SKIN_BENCH_BASELINE_CLI=<program>, when it is set
//   ChooseToCrop    CSkinHeadDlg::ChoosePicture until the crop control holds the picture and has
//                   painted it (worker included)
// bench/big_photo.sh runs it and prints the ratios. SKIN_BENCH_PHOTO=<file> uses that JPEG instead
// of the generated photo, and generates it there first when the file does not exist (the grainy
// photo is always generated).
#include "controls/CPictureCtrl.h"
#include "pages/CSkinHeadDlg.h"
#include "skin/SkinDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir& WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A photo-like 6000 x 4000 picture: soft gradients and waves with luminance grain of the given
// amplitude, saved at quality 90.
QString GeneratedPhoto(const QString& path, int grainAmplitude = 4)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double wave = 40.0 * std::sin(x / 97.0) * std::cos(y / 61.0);
            const int grain = static_cast<int>(rng.bounded(2 * grainAmplitude)) - grainAmplitude;
            const auto channel = [&](double base) { return std::clamp(int(base + wave) + grain, 0, 255); };
            row[x] = qRgb(channel(60 + x / 40.0), channel(90 + y / 30.0), channel(200 - (x + y) / 60.0));
        }
    }
    if (!image.save(path, "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    std::fprintf(stderr, "generated %s: %lld bytes\n", qPrintable(path), QFileInfo(path).size());
    return path;
}

const QString& PhotoPath()
{
    static const QString path = [] {
        const char* given = std::getenv("SKIN_BENCH_PHOTO");
        const QString path = given != nullptr ? QString::fromLocal8Bit(given)
                                              : WorkDir().filePath(QStringLiteral("photo.jpg"));
        return QFileInfo::exists(path) ? path : GeneratedPhoto(path);
    }();
    return path;
}

const QString& GrainyPhotoPath()
{
    static const QString path = GeneratedPhoto(WorkDir().filePath(QStringLiteral("grainy.jpg")), 40);
    return path;
}

// Milliseconds of Qt's full decode of the file; negative when it fails.
double QtDecodeMs(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QImageReader reader(path);
    const QImage image = reader.read();
    benchmark::DoNotOptimize(image.constBits());
    return image.isNull() ? -1.0 : double(timer.nsecsElapsed()) / 1e6;
}

// The floor each measurement is compared with is measured beside it, in the same iteration with
// the clock paused, so that both see the same load on the machine: a decode measured apart, some
// minutes earlier, made the ratio swing with whatever else the machine was doing meanwhile.
class BesideDecode {
public:
    BesideDecode(benchmark::State& state, const QString& path) : m_state(state), m_path(path) {}
    ~BesideDecode()
    {
        if (m_count > 0)
            m_state.counters["decode_ms"] = m_total / m_count;
    }
    bool Measure()
    {
        m_state.PauseTiming();
        const double ms = QtDecodeMs(m_path);
        m_state.ResumeTiming();
        if (ms < 0) {
            m_state.SkipWithError("decode failed");
            return false;
        }
        m_total += ms;
        ++m_count;
        return true;
    }

private:
    benchmark::State& m_state;
    const QString m_path;
    double m_total = 0;
    int m_count = 0;
};

// 0 the photo, 1 the grainy photo.
void BM_QtDecode(benchmark::State& state)
{
    const QString& path = state.range(0) == 1 ? GrainyPhotoPath() : PhotoPath();
    for (auto _ : state) {
        if (QtDecodeMs(path) < 0) {
            state.SkipWithError("decode failed");
            return;
        }
    }
}

void RunCliBuild(benchmark::State& state, const QString& cli)
{
    QStringList arguments{QStringLiteral("build"),
                          QStringLiteral("-o"),
                          WorkDir().filePath(QStringLiteral("out.vsf")),
                          QStringLiteral("--picture"),
                          state.range(0) == 2 ? GrainyPhotoPath() : PhotoPath(),
                          QStringLiteral("--name"),
                          QStringLiteral("photo"),
                          QStringLiteral("--force")};
    if (state.range(0) == 1) // the default crop of 6000 x 4000 is 0,1739,6000,2261
        arguments << QStringLiteral("--stretch") << QStringLiteral("1000,1739,5000,2261");
    BesideDecode decode(state, state.range(0) == 2 ? GrainyPhotoPath() : PhotoPath());
    for (auto _ : state) {
        if (!decode.Measure())
            return;
        QProcess process;
        process.start(cli, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            state.SkipWithError(qPrintable(QStringLiteral("skinmaker-cli failed: ") +
                                           QString::fromLocal8Bit(process.readAllStandardError())));
            return;
        }
    }
}

void BM_CliBuild(benchmark::State& state)
{
    const char* given = std::getenv("SKIN_BENCH_CLI");
    RunCliBuild(state, given != nullptr ? QString::fromLocal8Bit(given)
                                        : QStringLiteral(SKIN_BINARY_DIR "/skinmaker-cli"));
}

void BM_BaselineBuild(benchmark::State& state)
{
    const char* baseline = std::getenv("SKIN_BENCH_BASELINE_CLI");
    if (baseline == nullptr || *baseline == 0) {
        state.SkipWithError("SKIN_BENCH_BASELINE_CLI is not set");
        return;
    }
    RunCliBuild(state, QString::fromLocal8Bit(baseline));
}

// The header page at its size in the wizard, inside a stand-in window.
void BM_ChooseToCrop(benchmark::State& state)
{
    const QString& path = PhotoPath();
    SkinDocument document;
    QWidget window;
    window.resize(874, 632);
    auto* page = new CSkinHeadDlg(document, &window);
    page->setGeometry(0, 30, 874, 567);
    window.show();
    QElapsedTimer wait;
    wait.start();
    while (!(window.windowHandle() != nullptr && window.windowHandle()->isExposed()) && wait.elapsed() < 5000)
        QCoreApplication::processEvents();
    CPictureCtrl* crop = page->CropControl();
    BesideDecode decode(state, path);
    for (auto _ : state) {
        if (!decode.Measure())
            return;
        page->ChoosePicture(path);
        while (!crop->HasPicture() || crop->isHidden()) {
            // sleeps until the worker's end is posted: a busy wait would take a core from it
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (!page->IsLoading() && !crop->HasPicture()) {
                state.SkipWithError("the picture did not load");
                return;
            }
        }
        crop->repaint();
        state.PauseTiming();
        document.Reset();
        page->ResetPage();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_QtDecode)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliBuild)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BaselineBuild)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChooseToCrop)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
