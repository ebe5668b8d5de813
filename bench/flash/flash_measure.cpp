// Plays the sample movies in one stage page over a painted player picture and reports the time
// from opening each movie to its first frame, then the memory (PSS) and CPU of every process of
// the program (its web engine processes included). Optionally saves a screenshot with the tab
// overlay above the movies and one movie selected.
//   flash_measure MOVIES SECONDS [SCREENSHOT.png]
// Or shows the controls preview of the wizard with the clock and the weather badge over the
// decorated player picture, the badge selected, and saves a screenshot of the screen:
//   flash_measure preview SCREENSHOT.png
// Or times, in the wizard's controls preview, the first control from being chosen to its first
// frame, then a second control; "prepared" lets the preview make its stage ahead of need first,
// as the wizard does from step 3 on, "cold" does not:
//   flash_measure first prepared|cold
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"
#include "flash/web/WebViewDrawing.h"
#include "imaging/CSkinImage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

namespace {

struct Usage {
    qint64 pssKb = 0;
    // Pages only this program's processes hold: unlike PSS, it does not change with what else on
    // the machine maps the same libraries.
    qint64 privateKb = 0;
    qint64 cpuTicks = 0;
    int processes = 0;
    QString byProcess; // "kind PSS/private MiB" of each process
};

// The web engine's processes by their --type; a zygote's child is a renderer.
QString ProcessKind(qint64 pid, qint64 parent)
{
    const auto type = [](qint64 id) {
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(id));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        for (const QByteArray& argument : file.readAll().split('\0')) {
            if (argument.startsWith("--type="))
                return argument.mid(7);
        }
        return QByteArray();
    };
    const QByteArray own = type(pid);
    if (own.isEmpty())
        return pid == getpid() ? QStringLiteral("program") : QStringLiteral("other");
    if (own == "zygote" && type(parent) == "zygote")
        return QStringLiteral("renderer");
    return QString::fromLatin1(own);
}

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
        qint64 pss = 0, own = 0;
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray& l : rollup.readAll().split('\n')) {
                const qint64 kb = l.mid(l.indexOf(':') + 1).trimmed().split(' ').value(0).toLongLong();
                if (l.startsWith("Pss:"))
                    pss += kb;
                else if (l.startsWith("Private_Clean:") || l.startsWith("Private_Dirty:"))
                    own += kb;
            }
        }
        usage.pssKb += pss;
        usage.privateKb += own;
        usage.byProcess += QStringLiteral(" %1 %2/%3")
                               .arg(ProcessKind(it.key(), it.value()))
                               .arg(pss / 1024)
                               .arg(own / 1024);
    }
    return usage;
}

double CpuPercent(const Usage& before, const Usage& after, int seconds)
{
    return 100.0 * static_cast<double>(after.cpuTicks - before.cpuTicks) /
           static_cast<double>(sysconf(_SC_CLK_TCK) * seconds);
}

// The player picture, read once: the movie frames repaint what lies beneath them, and the
// wizard's canvas does not read its pictures on every paint either.
class Picture : public QWidget {
public:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(rect(), m_image); }

private:
    const QImage m_image{QStringLiteral(":/res/bitmap/154.bmp")};
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
        {CornerItemKind::Control,
         Corner::LeftTop,
         {150 - 420, 150 - 165},
         {80, 80},
         QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"),
         {},
         false},
        {CornerItemKind::Control,
         Corner::RightTop,
         {854 - 700, 150 - 160},
         {120, 60},
         QStringLiteral(SKIN_SOURCE_DIR "/res/flash/weather.swf"),
         {},
         false},
    });
    preview.SelectFlash(1);
    QTimer::singleShot(6000, [&] {
        preview.screen()->grabWindow(0).save(shot);
        app.quit();
    });
    return app.exec();
}

// The preview's page writes "frame <id>" to the console once a movie has drawn its first frame;
// the web engine passes console lines to Qt's log.
std::function<void(int)> g_frameSeen;
std::function<void()> g_warmSeen;

void CatchFrames(QtMsgType, const QMessageLogContext&, const QString& message)
{
    static const QRegularExpression frame(QStringLiteral("^frame (\\d+)$"));
    const QRegularExpressionMatch match = frame.match(message);
    if (match.hasMatch() && g_frameSeen)
        g_frameSeen(match.captured(1).toInt());
    else if (message == QStringLiteral("warm") && g_warmSeen)
        g_warmSeen();
}

// The longest time the user-interface thread went without running its event loop, sampled by a
// timer every 10 ms while the preview makes its stage.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_clock.start();
        m_timer.callOnTimeout([this] { worst = qMax(worst, m_clock.restart()); });
        m_timer.start(10);
    }
    qint64 worst = 0;

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
};

int TimeFirstControl(QApplication& app, bool prepared)
{
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    // The web engine logs console lines at info level, which its "js" category leaves out by default.
    QLoggingCategory::setFilterRules(QStringLiteral("js.info=true"));
    qInstallMessageHandler(CatchFrames);
    QWidget window;
    window.resize(CPlayerCanvasCtrl::kCanvasWidth, CPlayerCanvasCtrl::kCanvasHeight);
    auto* preview = new CControlsPreviewCtrl(&window);
    preview->resize(window.size());
    window.show();
    const QString samples = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
    const CornerItem clock{CornerItemKind::Control,
                           Corner::LeftTop,
                           {150 - 420, 150 - 165},
                           {80, 80},
                           samples + "clock.swf",
                           {},
                           false};
    const CornerItem weather{CornerItemKind::Control,
                             Corner::RightTop,
                             {854 - 700, 150 - 160},
                             {120, 60},
                             samples + "weather.swf",
                             {},
                             false};
    QElapsedTimer timer;
    StallMeter stalls;
    qint64 first = -1;
    const auto choose = [&](const QList<CornerItem>& controls) {
        timer.start();
        preview->SetControls(controls);
    };
    g_frameSeen = [&](int id) {
        if (id == 0 && first < 0) {
            first = timer.elapsed();
            choose({clock, weather});
        } else if (id == 1 && first >= 0) {
            std::printf("first control (%s): first frame %lld ms, second control %lld ms, longest UI stall "
                        "%lld ms\n",
                        prepared ? "stage made ahead" : "cold", static_cast<long long>(first),
                        static_cast<long long>(timer.elapsed()), static_cast<long long>(stalls.worst));
            app.quit();
        }
    };
    // Once the window is up: stalls count from here.
    QTimer::singleShot(500, [&] {
        stalls.worst = 0;
        if (!prepared) {
            choose({clock});
            return;
        }
        // The user spends a while on steps 3 and 4 before choosing the first control.
        g_warmSeen = [&] { QTimer::singleShot(500, [&] { choose({clock}); }); };
        preview->PrepareStage();
    });
    QTimer::singleShot(180000, [&] {
        std::fprintf(stderr, "timed out\n");
        app.exit(1);
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
    OpenGLKeptOut openGL; // as the wizard
    QApplication app(argc, argv);
    openGL.RestoreEnvironment();
    // The previews find the engine module by name, as the tests do.
    QCoreApplication::addLibraryPath(QStringLiteral(SKIN_BINARY_DIR));
    if (QString(argv[1]) == QStringLiteral("preview"))
        return ShowPreview(app, QString(argv[2]));
    if (QString(argv[1]) == QStringLiteral("first"))
        return TimeFirstControl(app, QString(argv[2]) == QStringLiteral("prepared"));
    const int count = QString(argv[1]).toInt();
    const int seconds = QString(argv[2]).toInt();
    const QString shot = argc > 3 ? QString(argv[3]) : QString();

    PrepareWebEngine();
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
        const double cpu = CpuPercent(before, after, seconds);
        qint64 worst = 0, sum = 0;
        for (int i = 0; i < count; ++i) {
            worst = qMax(worst, firstFrame[i] - opened[i]);
            sum += firstFrame[i] - opened[i];
        }
        std::printf("movies %2d  first frame: mean %lld ms, slowest %lld ms, warm %lld ms  |  processes %d, "
                    "PSS %.1f MiB (private %.1f MiB), CPU %.1f %% of one core over %d s\n",
                    count, static_cast<long long>(sum / qMax(count, 1)), static_cast<long long>(worst),
                    static_cast<long long>(firstFrame[count] - opened[count]), after.processes,
                    static_cast<double>(after.pssKb) / 1024.0, static_cast<double>(after.privateKb) / 1024.0,
                    cpu, seconds);
        std::printf("movies %2d  PSS/private MiB by process:%s\n", count, qPrintable(after.byProcess));
        if (!shot.isEmpty())
            picture.screen()->grabWindow(0).save(shot);
        // Then the same movies hidden (as the controls list hides them), and the whole view hidden
        // (another step, the wizard minimised).
        QString hide;
        for (int i = 0; i < count; ++i)
            hide += QStringLiteral("showMovie(%1, false);").arg(i);
        page->runJavaScript(hide);
        QTimer::singleShot(1000, [&] {
            const Usage hiddenStart = MeasureTree();
            QTimer::singleShot(seconds * 1000, [&, hiddenStart] {
                const double hiddenCpu = CpuPercent(hiddenStart, MeasureTree(), seconds);
                view->hide();
                QTimer::singleShot(1000, [&, hiddenCpu] {
                    const Usage offStart = MeasureTree();
                    QTimer::singleShot(seconds * 1000, [&, hiddenCpu, offStart] {
                        std::printf("movies %2d  hidden movies: CPU %.1f %%  |  hidden view: CPU %.1f %%\n",
                                    count, hiddenCpu, CpuPercent(offStart, MeasureTree(), seconds));
                        app.quit();
                    });
                });
            });
        });
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
