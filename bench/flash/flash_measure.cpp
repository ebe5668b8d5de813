// Plays the sample movies in one stage page over a painted player picture and reports the time
// from opening each movie to its first frame, then the memory (PSS) and CPU of every process of
// the program (its web engine processes included). Optionally saves a screenshot with the tab
// overlay above the movies and one movie selected.
//   flash_measure MOVIES SECONDS [SCREENSHOT.png]
// Or shows the controls preview of the wizard with the clock and the weather badge over the
// decorated player picture, the badge selected, and saves a screenshot of the screen:
//   flash_measure preview SCREENSHOT.png
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"
#include "imaging/CSkinImage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

namespace {

struct Usage {
    qint64 pssKb = 0;
    qint64 cpuTicks = 0;
    int processes = 0;
};

// This process and all its descendants.
Usage MeasureTree()
{
    QHash<qint64, qint64> parents;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        parents.insert(pid, fields.value(1).toLongLong());
    }
    Usage usage;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        qint64 p = it.key();
        while (p > 1 && p != getpid())
            p = parents.value(p, 0);
        if (p != getpid())
            continue;
        ++usage.processes;
        const QString dir = QStringLiteral("/proc/%1/").arg(it.key());
        QFile stat(dir + "stat");
        if (stat.open(QIODevice::ReadOnly)) {
            const QByteArray line = stat.readAll();
            const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
            usage.cpuTicks += f.value(11).toLongLong() + f.value(12).toLongLong();
        }
        QFile rollup(dir + "smaps_rollup");
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray& l : rollup.readAll().split('\n'))
                if (l.startsWith("Pss:"))
                    usage.pssKb += l.mid(4).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return usage;
}

class Picture : public QWidget {
public:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawImage(rect(), QImage(QStringLiteral(":/res/bitmap/154.bmp")));
    }
};

class StagePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void(const QString&)> onMessage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        if (onMessage)
            onMessage(message);
    }
};

// The wizard's controls preview as the controls page shows it, with two controls playing.
int ShowPreview(QApplication& app, const QString& shot)
{
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    CControlsPreviewCtrl preview;
    preview.resize(CPlayerCanvasCtrl::kCanvasWidth, CPlayerCanvasCtrl::kCanvasHeight);
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg")))
        return 1;
    preview.SetLook({picture, {0, 200, 1800, 200 + 1800 * 61 / 700}, 0, false});
    preview.show();
    preview.ShowCorner(Corner::LeftTop);
    // The clock over the tab labels at the left, the badge over the header at the right.
    preview.SetControls({
        {Corner::LeftTop,
         {150 - 420, 150 - 165},
         {80, 80},
         QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf")},
        {Corner::RightTop,
         {854 - 700, 150 - 160},
         {120, 60},
         QStringLiteral(SKIN_SOURCE_DIR "/res/flash/weather.swf")},
    });
    preview.SelectFlash(1);
    QTimer::singleShot(6000, [&] {
        preview.screen()->grabWindow(0).save(shot);
        app.quit();
    });
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: flash_measure MOVIES SECONDS [SCREENSHOT.png]\n");
        return 2;
    }
    PrepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (QString(argv[1]) == QStringLiteral("preview"))
        return ShowPreview(app, QString(argv[2]));
    const int count = QString(argv[1]).toInt();
    const int seconds = QString(argv[2]).toInt();
    const QString shot = argc > 3 ? QString(argv[3]) : QString();

    LocalWebHost host(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    if (!host.Start() || !host.HasPlayer()) {
        std::fprintf(stderr, "flash playback is not installed beside %s\n", argv[0]);
        return 1;
    }
    QFile overlay(QStringLiteral(":/res/png/4.png"));
    overlay.open(QIODevice::ReadOnly);
    host.AddContent("/overlay/4.png", "image/png", overlay.readAll());
    const QString samples = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
    const QStringList names{"clock.swf", "weather.swf", "meter.swf"};
    QList<QUrl> urls;
    for (const QString& name : names)
        urls << host.RegisterMovie(samples + name);

    Picture picture;
    picture.resize(704, 480);
    auto* view = new QWebEngineView(&picture);
    auto* page = new StagePage(view);
    page->setBackgroundColor(Qt::transparent);
    view->setPage(page);
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setGeometry(picture.rect());
    picture.show();

    QElapsedTimer clock;
    // One more movie (id count) is opened once the others play: the first frame with a warm player.
    QList<qint64> opened(count + 1), firstFrame(count + 1, -1);
    int framesSeen = 0;
    Usage before;
    auto open = [&](int i) {
        const int kind = i % 3;
        const int x = i < 2 ? 20 + i * 135 : 160 + ((i - 2) % 3) * 185;
        const int y = i < 2 ? 30 : 130 + ((i - 2) / 3) * 58;
        opened[i] = clock.elapsed();
        page->runJavaScript(QStringLiteral("openMovie(%1, '%2', %3, %4, %5, %6); shadeMovie(0, true);")
                                .arg(i)
                                .arg(urls[kind].toString())
                                .arg(x)
                                .arg(y)
                                .arg(kind == 0   ? 80
                                     : kind == 1 ? 120
                                                 : 200)
                                .arg(kind == 0 ? 80 : 60));
    };
    auto finish = [&] {
        const Usage after = MeasureTree();
        const double cpu = 100.0 * static_cast<double>(after.cpuTicks - before.cpuTicks) /
                           static_cast<double>(sysconf(_SC_CLK_TCK) * seconds);
        qint64 worst = 0, sum = 0;
        for (int i = 0; i < count; ++i) {
            worst = qMax(worst, firstFrame[i] - opened[i]);
            sum += firstFrame[i] - opened[i];
        }
        std::printf("movies %2d  first frame: mean %lld ms, slowest %lld ms, warm %lld ms  |  processes %d, "
                    "PSS %.1f MiB, CPU %.1f %% of one core over %d s\n",
                    count, static_cast<long long>(sum / qMax(count, 1)), static_cast<long long>(worst),
                    static_cast<long long>(firstFrame[count] - opened[count]), after.processes,
                    static_cast<double>(after.pssKb) / 1024.0, cpu, seconds);
        if (!shot.isEmpty())
            picture.screen()->grabWindow(0).save(shot);
        app.quit();
    };
    page->onMessage = [&](const QString& message) {
        if (!message.startsWith("frame "))
            return;
        const int id = message.mid(6).toInt();
        if (id < 0 || id > count || firstFrame[id] >= 0)
            return;
        firstFrame[id] = clock.elapsed();
        if (id == count) {
            page->runJavaScript(QStringLiteral("closeMovie(%1);").arg(count));
            before = MeasureTree();
            QTimer::singleShot(seconds * 1000, finish);
        } else if (++framesSeen == count) {
            open(count);
        }
    };
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool ok) {
        if (!ok) {
            std::fprintf(stderr, "the stage page did not load\n");
            app.exit(1);
            return;
        }
        page->runJavaScript("setOverlay('/overlay/4.png', 0, 0, 704, 61);");
        clock.start();
        for (int i = 0; i < count; ++i)
            open(i);
    });
    view->load(host.Url(QStringLiteral("/stage.html")));
    QTimer::singleShot(180000, [&] {
        std::fprintf(stderr, "timed out: %d of %d movies drew a frame\n", framesSeen, count);
        app.exit(1);
    });
    return app.exec();
}
