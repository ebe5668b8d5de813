// How long the user-interface thread is held by an undo of a crop drag on a 24-megapixel photo
// and by the recovery write that follows it, in the real wizard window on step 1:
//   UndoCropDrag     the undo itself (the document and every page following it) and the repaint
//                    of the crop control and the preview
//   RecoveryWrite    the write's part on this thread (taking the content), then the event loop
//                    until the write is done on its worker; max_block_ms is the longest the loop
//                    went without turning meanwhile (a 1 ms timer measures it)
// The photo is generated once (6000 x 4000) and decoded as the wizard decodes it.
#include "app/CWizardDlg.h"
#include "controls/CPictureCtrl.h"
#include "controls/CPreviewCtrl.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinHeadDlg.h"
#include "skin/RecoveryWriter.h"
#include "skin/SkinDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

QTemporaryDir& WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The wizard on step 1 with the photo chosen; made once.
CWizardDlg& Wizard()
{
    static CWizardDlg* wizard = [] {
        const QString path = WorkDir().filePath(QStringLiteral("photo.jpg"));
        QImage image(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb((x / 24) & 255, (y / 16) & 255, (x + y) / 40 & 255);
        }
        image.save(path, "JPG", 90);
        auto* made = new CWizardDlg;
        made->show();
        made->HeadPage()->ChoosePicture(path);
        made->HeadPage()->FinishLoading();
        QCoreApplication::processEvents();
        return made;
    }();
    return *wizard;
}

// A drag of the crop frame as the crop control reports it: 40 moves, then the button let go.
void DragCrop(SkinDocument& document)
{
    const SkinRect start = document.Crop();
    for (int i = 1; i <= 40; ++i)
        document.SetCrop(SkinRect(start.left, start.top + i * 20, start.right, start.bottom + i * 20));
    document.EndMerge();
}

void BM_UndoCropDrag(benchmark::State& state)
{
    CWizardDlg& wizard = Wizard();
    SkinDocument& document = wizard.Document();
    if (!document.HasPicture()) {
        state.SkipWithError("the photo did not load");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        DragCrop(document);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        document.UndoStack()->undo();
        wizard.HeadPage()->CropControl()->repaint();
        wizard.HeadPage()->Preview()->repaint();
    }
}

void BM_RecoveryWrite(benchmark::State& state)
{
    CWizardDlg& wizard = Wizard();
    SkinDocument& document = wizard.Document();
    RecoveryWriter writer(document, WorkDir().filePath(QStringLiteral("recovery")), {WorkDir().path()});
    writer.SetDelay(1000000); // written here, not by the timer
    double longest = 0;
    double handOver = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DragCrop(document);
        document.UndoStack()->undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        writer.WriteNow();
        handOver = std::max(handOver, timer.nsecsElapsed() / 1e6);
        // The loop turns while the worker writes; the longest gap between two turns is how long
        // the user-interface thread was held.
        qint64 last = timer.nsecsElapsed();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = timer.nsecsElapsed();
            longest = std::max(longest, (now - last) / 1e6);
            last = now;
        });
        tick.start(1);
        while (!writer.IsIdle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const qint64 now = timer.nsecsElapsed();
        longest = std::max(longest, (now - last) / 1e6);
    }
    state.counters["max_block_ms"] = longest;
    state.counters["hand_over_ms"] = handOver;
}

} // namespace

BENCHMARK(BM_UndoCropDrag)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
