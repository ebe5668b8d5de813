// Soak of the control download: a large control is downloaded from the local web host again and
// again through the gallery window, and "取消" in the progress dialog is pressed at a random
// moment of most transfers. After every round the cache must hold either nothing (cancelled) or
// the whole file (completed), never a partial one.
//   gallery_soak [ROUNDS] [MEGABYTES]
#include "flash/core/FlashCache.h"
#include "flash/ui/CProgressDlg.h"
#include "flash/ui/CWebFlashWnd.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Wait(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrepareWebEngine();
    const int rounds = argc > 1 ? atoi(argv[1]) : 50;
    const int megabytes = argc > 2 ? atoi(argv[2]) : 10;

    LocalWebHost host(FlashPlayerFolder());
    if (!host.Start())
        return 1;
    QFile clock(QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"));
    clock.open(QIODevice::ReadOnly);
    QByteArray movie = clock.readAll();
    const qint64 size = qint64(megabytes) * 1024 * 1024;
    movie.resize(size, '\0');
    for (int i = 0; i < 4; ++i) // the header's length is the padded size: a whole movie
        movie[4 + i] = static_cast<char>((quint64(size) >> (8 * i)) & 0xFF);
    host.AddContent(QStringLiteral("/c/big.swf"), "application/x-shockwave-flash", movie);
    const QString url = host.Url(QStringLiteral("/c/big.swf")).toString();

    QTemporaryDir cache;
    CWebFlashWnd gallery(nullptr, QUrl());
    gallery.Request().SetCacheFolder(cache.path());
    int added = 0;
    QObject::connect(&gallery, &CWebFlashWnd::controlDownloaded, [&added] { ++added; });
    const QString target = QDir(cache.path()).filePath(FlashCacheFileName(QStringLiteral("big"), url));
    const QString text = QStringLiteral("method=download\nflashid=big\nname=big\nurl=") + url;

    // Whole downloads (the first warms up) set the window for the random cancels.
    qint64 wholeMs = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        gallery.Request().HandleRequest(text);
        Wait([&] { return !gallery.Request().IsBusy(); });
        wholeMs = qMax<qint64>(timer.elapsed(), 1);
        QFile::remove(target);
    }
    qint64 received = 0;
    QObject::connect(&gallery.Request(), &CDownloadRequest::DownloadProgress,
                     [&](qint64 bytes, qint64) { received = bytes; });
    int midway = 0; // cancels after some but not all bytes had arrived

    int cancelled = 0;
    int completed = 0;
    int partial = 0;
    for (int round = 0; round < rounds; ++round) {
        const int before = added;
        gallery.Request().HandleRequest(text);
        // A cancel somewhere in 0 .. 1.2 x the time of a whole download (some come too late).
        const int delay = QRandomGenerator::global()->bounded(int(wholeMs * 12 / 10) + 1);
        bool pressed = false;
        received = 0;
        QTimer::singleShot(delay, &gallery, [&] {
            if (!gallery.Request().IsBusy())
                return;
            pressed = true;
            midway += received > 0 && received < size;
            if (gallery.ProgressDialog())
                gallery.ProgressDialog()->CancelButton()->click();
            else
                gallery.Request().CancelDownload();
        });
        Wait([&] { return !gallery.Request().IsBusy() && (pressed || added > before); });
        QCoreApplication::processEvents();
        const QStringList files = QDir(cache.path()).entryList(QDir::Files | QDir::Hidden);
        if (added > before) {
            ++completed;
            partial += QFileInfo(target).size() != size || files.size() != 1;
            QFile::remove(target);
        } else {
            ++cancelled;
            partial += !files.isEmpty();
        }
    }
    std::printf("rounds %d of %d MB, whole download %lld ms: %d cancelled (%d midway), %d completed, "
                "%d partial files\n",
                rounds, megabytes, static_cast<long long>(wholeMs), cancelled, midway, completed, partial);
    return partial == 0 ? 0 : 1;
}
