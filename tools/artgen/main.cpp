// skin_artgen: draws every built-in picture of the skin maker into res/ and the sample photo
// into res/sample/. Usage: skin_artgen [res folder]
#include "ArtCommon.h"
#include "DiagramArt.h"
#include "OverlayArt.h"
#include "PlayerArt.h"
#include "SampleArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

namespace {

bool g_ok = true;

void Report(bool ok, const QString& path, const QImage& image)
{
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), image.width(), image.height());
    g_ok = g_ok && ok;
}

// folder: "bitmap", or "bitmap/en" for the pictures with English words. suffix: "@2x" for the
// rendition of a picture drawn at twice its size for screens of a device pixel ratio of 2.
void Bmp(const QString& root, int id, const QImage& image, const char* folder = "bitmap",
         const char* suffix = "")
{
    const QString path =
        QStringLiteral("%1/%2/%3%4.bmp").arg(root, QLatin1String(folder)).arg(id).arg(QLatin1String(suffix));
    Report(art::WriteBmp24(image, path), path, image);
}

void Png(const QString& root, const QString& name, const QImage& image)
{
    const QString path = QStringLiteral("%1/%2.png").arg(root, name);
    Report(art::WritePngRgba(image, path), path, image);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SKIN_RES_DIR);
    for (const char* folder : {"bitmap", "bitmap/en", "png", "icon", "sample"})
        QDir(root).mkpath(QString::fromLatin1(folder));

    const QImage player = art::DrawPlayer(704, 480);
    Bmp(root, 154, player);
    Bmp(root, 118, player.copy(0, 0, 704, art::kHeaderBottom));
    Bmp(root, 119, player.copy(0, art::kHeaderBottom, 704, 480 - art::kHeaderBottom));
    Bmp(root, 135, player.copy(0, art::kHeaderBottom, 704, 77));
    Bmp(root, 159, art::DrawPlayer(850, 480).copy(0, 0, 850, 141));

    const QImage dark = art::DrawOverlay(704, QPoint(0, 0), false);
    const QImage light = art::DrawOverlay(700, QPoint(-2, -1), true);
    Png(root, QStringLiteral("png/4"), dark);
    Png(root, QStringLiteral("png/137"), light);
    Png(root, QStringLiteral("png/158"), art::DrawPaletteIcon());
    Png(root, QStringLiteral("png/158@2x"), art::DrawPaletteIcon(2));

    const QImage sample = art::DrawSample(1800, 600);
    const QString samplePath = root + QStringLiteral("/sample/sample.jpg");
    QImageWriter jpeg(samplePath, "jpeg");
    jpeg.setQuality(90);
    Report(jpeg.write(sample), samplePath, sample);

    const art::DiagramParts parts{player, sample, light};
    for (const art::ArtLanguage language : {art::ArtLanguage::Chinese, art::ArtLanguage::English}) {
        const char* folder = language == art::ArtLanguage::English ? "bitmap/en" : "bitmap";
        Bmp(root, 176, art::DrawHeaderDiagram(parts, language), folder);
        Bmp(root, 175, art::DrawStretchDiagram(parts, language), folder);
        Bmp(root, 160, art::DrawFrameDiagram(parts, language), folder);
        Bmp(root, 161, art::DrawControlsDiagram(parts, language), folder);
        Bmp(root, 174, art::DrawSaveDiagram(parts, language), folder);
        Bmp(root, 134, art::DrawCropPlaceholder(language), folder);
        Bmp(root, 136, art::DrawPreviewPlaceholder(language), folder);
    }
    Bmp(root, 173, art::DrawHelpIcon());
    Bmp(root, 173, art::DrawHelpIcon(2), "bitmap", "@2x");

    Png(root, QStringLiteral("icon/128"), art::DrawAppIcon(256));
    // 512: the 256 picture for screens of a device pixel ratio of 2.
    for (int size : {512, 128, 64, 48, 32, 16})
        Png(root, QStringLiteral("icon/128-%1").arg(size), art::DrawAppIcon(size));
    const QString svgPath = root + QStringLiteral("/icon/org.skinmaker.skinmaker.svg");
    QFile svg(svgPath);
    const QByteArray svgText = art::AppIconSvg();
    Report(svg.open(QIODevice::WriteOnly) && svg.write(svgText) == svgText.size(), svgPath,
           QImage(256, 256, QImage::Format_ARGB32));
    return g_ok ? 0 : 1;
}
