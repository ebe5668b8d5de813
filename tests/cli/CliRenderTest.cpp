#include "cli/CliFixture.h"
#include "skin/SkinViewPicture.h"
#include "support/HostileInput.h"

#include <QFileInfo>
#include <QImageReader>
#include <cstdlib>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

class CliRenderTest : public CliTest {
protected:
    // A 700 x 61 header with stretch region 100..600, a decoration hanging off the left-top
    // corner and a control inside the right-bottom corner.
    QString Package(const QString& name, bool tile)
    {
        QImage decoration(40, 40, QImage::Format_ARGB32);
        decoration.fill(qRgb(0, 255, 0));
        EXPECT_TRUE(decoration.save(Path("deco.png")));
        const QString out = Path(name);
        QStringList arguments{"build",
                              "-o",
                              out,
                              "--picture",
                              PatternPicture("header.png", 700, 61),
                              "--name",
                              "试",
                              "--stretch",
                              "100,0,600,61",
                              "--decoration",
                              "lefttop=" + Path("deco.png") + "@20,30",
                              "--control",
                              "rightbottom=" + QStringLiteral(SKIN_SOURCE_DIR "/res/flash/meter.swf") +
                                  "@260,100"};
        if (tile)
            arguments.append("--tile");
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return out;
    }
};

TEST_F(CliRenderTest, HeaderStripsSeamsAndItemsAtThreeWidths)
{
    QImage captions(QStringLiteral(SKIN_SOURCE_DIR "/res/png/4.png"));
    ASSERT_FALSE(captions.isNull());
    // A row of the header that the tab captions leave uncovered.
    int row = -1;
    for (int y = captions.height() - 1; y >= 0 && row < 0; --y) {
        bool clear = true;
        for (int x = 0; x < captions.width() && clear; ++x)
            clear = qAlpha(captions.pixel(x, y)) == 0;
        if (clear)
            row = y;
    }
    ASSERT_GE(row, 0);

    for (bool tile : {false, true}) {
        const QString package = Package(tile ? "tile.vsf" : "stretch.vsf", tile);
        ASSERT_EQ(Cli({"extract", package, Path("x")}).exitCode, 0);
        const QImage left(Path("x/TopPanelBKLeft.bmp"));
        const QImage mid(Path("x/TopPanelBKMid.bmp"));
        const QImage right(Path("x/TopPanelBKRight.bmp"));
        ASSERT_EQ(left.width() + mid.width() + right.width(), 700);
        for (int width : {700, 900, 1400}) {
            SCOPED_TRACE(QStringLiteral("tile %1 width %2").arg(tile).arg(width).toStdString());
            const QString png = Path(QStringLiteral("out%1.png").arg(width));
            const CliRun run = Cli({"render", package, png, "--width", QString::number(width)});
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            EXPECT_TRUE(run.out.contains("bottomright.swf") || run.out.contains("Flash"))
                << run.out.toStdString();
            const QImage shot = QImage(png).convertToFormat(QImage::Format_RGB32);
            // The decoration lies 20 left and 30 above the window.
            ASSERT_EQ(shot.size(), QSize(width + 20, 480 + 30));
            const QPoint header(20 + 2, 30 + 2);
            const auto at = [&](int x) { return shot.pixel(header.x() + x, header.y() + row); };
            const int band = width - 4;
            for (int x = 0; x < left.width(); ++x)
                ASSERT_EQ(at(x), left.pixel(x, row)) << "left strip column " << x;
            for (int x = 0; x < right.width(); ++x)
                ASSERT_EQ(at(band - right.width() + x), right.pixel(x, row)) << "right strip column " << x;
            const int span = band - left.width() - right.width();
            if (tile) {
                for (int x = 0; x < span; ++x)
                    ASSERT_EQ(at(left.width() + x), mid.pixel(x % mid.width(), row)) << "tile column " << x;
            } else {
                // The stretched middle starts and ends near the middle strip's outer columns.
                const auto near = [](QRgb a, QRgb b) {
                    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8;
                };
                EXPECT_TRUE(near(at(left.width()), mid.pixel(0, row)));
                EXPECT_TRUE(near(at(left.width() + span - 1), mid.pixel(mid.width() - 1, row)));
            }
            EXPECT_EQ(shot.pixel(5, 5), qRgb(0, 255, 0)) << "the decoration";
            // The control's box: corner point minus its position.
            EXPECT_EQ(shot.pixel(20 + width - 260, 30 + 480 - 100), qRgb(255, 128, 0))
                << "the control's outline";
        }
    }
}

TEST_F(CliRenderTest, AWindowNarrowerThanTheOuterStripsIsRefused)
{
    const QString package = Package("p.vsf", false);
    const CliRun run = Cli({"render", package, Path("n.png"), "--width", "150"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains("204")) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("n.png")));
    EXPECT_EQ(Cli({"render", package}).exitCode, 2);
    EXPECT_EQ(Cli({"render", package, Path("n.png"), "--height", "x"}).exitCode, 2);
    // The default is the player's default window.
    ASSERT_EQ(Cli({"render", package, Path("d.png")}).exitCode, 0);
    EXPECT_EQ(QImage(Path("d.png")).size(), QSize(704 + 20, 480 + 30));
}

// skinmaker-cli run to its end: exit code and the most memory it held.
struct Measured {
    int exitCode = -1;
    long peakKiB = 0;
};
Measured RunMeasured(const QStringList& arguments, const QString& temp)
{
    QList<QByteArray> words{SKIN_BINARY_DIR "/skinmaker-cli"};
    for (const QString& argument : arguments)
        words.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    QByteArray tmpdir = "TMPDIR=" + temp.toLocal8Bit();
    std::vector<char*> envp{tmpdir.data()};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (qstrncmp(*variable, "TMPDIR=", 7) != 0)
            envp.push_back(*variable);
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return {};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// A package of a few KB cannot make render take hundreds of MB: items far out are
// brought within bounds (with a warning) and drawn on a bounded canvas, and an oversized
// decoration is refused before it is decoded. The window itself is bounded too.
TEST_F(CliRenderTest, HostilePackagesStayWithinMemory)
{
    using skintest::HostilePackage;
    for (HostilePackage kind :
         {HostilePackage::HugeControl, HostilePackage::SpreadItems, HostilePackage::HugeDecoration}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const skintest::ScratchDir folder;
        const QString package = skintest::WriteHostilePackage(folder.path(), kind);
        ASSERT_FALSE(package.isEmpty());
        EXPECT_LT(QFileInfo(package).size(), 100 * 1024);
        const Measured measured = RunMeasured({"render", package, Path("h.png")}, m_temp.path());
        if (skintest::MemoryIsMeasurable()) {
            EXPECT_LT(measured.peakKiB, 300 * 1024);
        }
        const CliRun run = Cli({"render", package, Path("h.png"), "--lang", "en"});
        if (kind == HostilePackage::HugeDecoration) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.contains("too large")) << run.err.toStdString();
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("4096")) << run.err.toStdString();
        const QSize canvas = QImageReader(Path("h.png")).size();
        EXPECT_LE(canvas.width(), 704 + 2 * kMaxCanvasMargin);
        EXPECT_LE(canvas.height(), 480 + 2 * kMaxCanvasMargin);
    }
    EXPECT_EQ(Cli({"render", Package("p.vsf", false), Path("w.png"), "--width", "4097"}).exitCode, 2);
}

} // namespace
