// The history and the recovery file with a 24-megapixel photo: undoing and redoing a crop drag,
// writing the recovery file (what a worker does every few seconds) and reading it back (once, at
// start, decoding the photo).
#include "imaging/CSkinImage.h"
#include "skin/RecoveryFile.h"
#include "skin/SkinDocument.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

struct Photo {
    QTemporaryDir folder;
    QString path;
    SharedPicture picture;
};

const Photo& BigPhoto()
{
    static const Photo* photo = [] {
        auto* made = new Photo;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        for (int y = 0; y < kHeight; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWidth; ++x)
                row[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
        }
        made->path = made->folder.filePath("photo.jpg");
        image.save(made->path, "JPEG", 90);
        made->picture = std::make_shared<CSkinImage>();
        made->picture->LoadFromFile(made->path);
        return made;
    }();
    return *photo;
}

// A drag of 200 moves is one step: its undo and redo each replace the crop once.
void UndoCropDrag(benchmark::State& state)
{
    SkinDocument document;
    document.SetPicture(BigPhoto().path, BigPhoto().picture);
    document.EndMerge();
    for (int k = 1; k <= 200; ++k)
        document.SetCrop({k * 10, k * 5, k * 10 + 3000, k * 5 + 300});
    for (auto _ : state) {
        document.UndoStack()->undo();
        document.UndoStack()->redo();
    }
}

SkinContent BigSkin()
{
    SkinContent skin;
    skin.picturePath = BigPhoto().path;
    skin.picture = BigPhoto().picture;
    skin.crop = {0, 0, 3500, 305};
    skin.skinName = "big";
    return skin;
}

void WriteRecoveryFile(benchmark::State& state)
{
    QTemporaryDir folder;
    const RecoveryState recovery{BigSkin(), 3};
    for (auto _ : state) {
        QString error;
        if (!WriteRecovery(recovery, folder.filePath("state"), {}, &error))
            state.SkipWithError(qPrintable(error));
    }
}

void ReadRecoveryFile(benchmark::State& state)
{
    QTemporaryDir folder;
    WriteRecovery({BigSkin(), 3}, folder.filePath("state"), {}, nullptr);
    for (auto _ : state) {
        const RecoveryRead read = ReadRecovery(folder.filePath("state"));
        if (!read.state || read.state->content.picture == nullptr)
            state.SkipWithError("not restored");
    }
}

} // namespace

BENCHMARK(UndoCropDrag)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteRecoveryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRecoveryFile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
