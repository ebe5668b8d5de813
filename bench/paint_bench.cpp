// Paint times of the crop control, the header preview and the decorated player previews while
// the user drags, over a 6000 x 4000 picture. Each iteration is one mouse move followed by one synchronous
// paint.
#include "controls/CFramePreviewCtrl.h"
#include "controls/CPictureCtrl.h"
#include "controls/CPreviewCtrl.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "imaging/CSkinImage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The big picture, written once as a JPEG and decoded once per benchmark.
const QString& BigPicturePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb((x / 7) & 0xFF, (y / 5) & 0xFF, ((x + y) / 11) & 0xFF);
        }
        const QString file = dir.filePath(QStringLiteral("big.jpg"));
        image.save(file, "JPG", 90);
        return file;
    }();
    return path;
}

// Decodes the big picture and shows it in the crop control; false when it cannot be decoded.
bool ShowBigPicture(CPictureCtrl& ctrl)
{
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(BigPicturePath()))
        return false;
    ctrl.SetPicture(std::move(picture));
    return true;
}

// Shows a top-level widget and waits until its window can be painted into.
bool ShowExposed(QWidget& widget)
{
    widget.show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        QCoreApplication::processEvents();
        if (widget.windowHandle() != nullptr && widget.windowHandle()->isExposed())
            return true;
    }
    return false;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(p), widget->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// The crop control at its size on the page, dragging the bottom-right handle in and out.
void BM_CropControlHandleDrag(benchmark::State& state)
{
    CPictureCtrl ctrl;
    ctrl.resize(700, 267);
    if (!ShowExposed(ctrl)) {
        state.SkipWithError("window not exposed");
        return;
    }
    if (!ShowBigPicture(ctrl)) {
        state.SkipWithError("picture not loaded");
        return;
    }
    ctrl.repaint(); // fits the picture, builds the layers, makes the initial crop
    const SkinRect crop = ctrl.Crop();
    const QPoint corner(crop.right, crop.bottom);
    SendMouse(&ctrl, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 100;
        const int back = step < 50 ? step : 100 - step;
        SendMouse(&ctrl, QEvent::MouseMove, corner - QPoint(back * 8, back), Qt::NoButton, Qt::LeftButton);
        ctrl.repaint();
    }
    SendMouse(&ctrl, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    state.counters["layer_builds"] = ctrl.LayerBuilds();
}
BENCHMARK(BM_CropControlHandleDrag)->Unit(benchmark::kMillisecond)->Iterations(400);

// The crop control, moving a half-size crop around.
void BM_CropControlMoveDrag(benchmark::State& state)
{
    CPictureCtrl ctrl;
    ctrl.resize(700, 267);
    if (!ShowExposed(ctrl)) {
        state.SkipWithError("window not exposed");
        return;
    }
    if (!ShowBigPicture(ctrl)) {
        state.SkipWithError("picture not loaded");
        return;
    }
    ctrl.repaint();
    SkinRect crop = ctrl.Crop();
    SendMouse(&ctrl, QEvent::MouseButtonPress, {crop.right, crop.bottom}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&ctrl, QEvent::MouseMove, {(crop.left + crop.right) / 2, crop.bottom}, Qt::NoButton,
              Qt::LeftButton);
    SendMouse(&ctrl, QEvent::MouseButtonRelease, {(crop.left + crop.right) / 2, crop.bottom}, Qt::LeftButton,
              Qt::NoButton);
    crop = ctrl.Crop();
    const QPoint inside((crop.left + crop.right) / 2, (crop.top + crop.bottom) / 2);
    SendMouse(&ctrl, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 80;
        const int back = step < 40 ? step : 80 - step;
        SendMouse(&ctrl, QEvent::MouseMove, inside + QPoint(back * 6, back * 3), Qt::NoButton,
                  Qt::LeftButton);
        ctrl.repaint();
    }
    SendMouse(&ctrl, QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
    state.counters["layer_builds"] = ctrl.LayerBuilds();
}
BENCHMARK(BM_CropControlMoveDrag)->Unit(benchmark::kMillisecond)->Iterations(400);

// The header preview with a selection: its right edge dragged between narrow and nearly full width.
void BM_PreviewSelectionDrag(benchmark::State& state)
{
    SharedPicture picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(BigPicturePath())) {
        state.SkipWithError("picture not loaded");
        return;
    }
    CPreviewCtrl preview;
    preview.resize(704, 141);
    if (!ShowExposed(preview)) {
        state.SkipWithError("window not exposed");
        return;
    }
    preview.SetMainColor(0x00C08000);
    preview.SetPicture(picture);
    preview.SetPictureRect(0, 1651, 6000, 2174); // the centred 700:61 crop of the picture
    preview.ResetSelection();
    preview.repaint(); // builds the dimmed picture layer and the header rendition
    const SkinRect selection = preview.Selection();
    SendMouse(&preview, QEvent::MouseButtonPress, {selection.right + 2, 20}, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 100;
        const int back = step < 50 ? step : 100 - step;
        SendMouse(&preview, QEvent::MouseMove, {360 + back * 6, 20}, Qt::NoButton, Qt::LeftButton);
        preview.repaint();
    }
    SendMouse(&preview, QEvent::MouseButtonRelease, {400, 20}, Qt::LeftButton, Qt::NoButton);
    state.counters["layer_builds"] = preview.PictureLayerBuilds();
}
BENCHMARK(BM_PreviewSelectionDrag)->Unit(benchmark::kMillisecond)->Iterations(400);

// The header preview as on the header page (no selection), repainted at an unchanged crop.
void BM_PreviewRepaint(benchmark::State& state)
{
    SharedPicture picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(BigPicturePath())) {
        state.SkipWithError("picture not loaded");
        return;
    }
    CPreviewCtrl preview;
    preview.resize(704, 141);
    if (!ShowExposed(preview)) {
        state.SkipWithError("window not exposed");
        return;
    }
    preview.SetMainColor(0);
    preview.SetPicture(picture);
    preview.SetPictureRect(0, 1651, 6000, 2174);
    preview.repaint();
    for (auto _ : state)
        preview.repaint();
}
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMillisecond)->Iterations(400);

// For scale: what the drags avoid, one rebuild of the crop control's layers (a whole-picture
// resample to the display size) after a resize.
void BM_CropControlLayerRebuild(benchmark::State& state)
{
    CPictureCtrl ctrl;
    ctrl.resize(700, 267);
    if (!ShowExposed(ctrl)) {
        state.SkipWithError("window not exposed");
        return;
    }
    if (!ShowBigPicture(ctrl)) {
        state.SkipWithError("picture not loaded");
        return;
    }
    ctrl.repaint();
    int i = 0;
    for (auto _ : state) {
        ctrl.resize(700, 267 - (i++ % 2)); // a new display size each time
        ctrl.repaint();
    }
}
BENCHMARK(BM_CropControlLayerRebuild)->Unit(benchmark::kMillisecond)->Iterations(5);

// The decorated player preview over the big picture: the canvas as on the frame page, a 200 x 160
// decoration at the left-top corner, the header crop of the centred 700:61 band.
class CanvasFixture {
public:
    bool SetUp(benchmark::State& state)
    {
        if (!m_picture->LoadFromFile(BigPicturePath())) {
            state.SkipWithError("picture not loaded");
            return false;
        }
        m_decoration.setAutoRemove(true);
        QImage decoration(200, 160, QImage::Format_ARGB32);
        decoration.fill(qRgba(200, 40, 40, 180));
        if (!m_decoration.open() || !decoration.save(&m_decoration, "PNG")) {
            state.SkipWithError("decoration not written");
            return false;
        }
        m_decoration.close();
        preview.resize(834, 392);
        if (!ShowExposed(preview)) {
            state.SkipWithError("window not exposed");
            return false;
        }
        preview.SetLook({m_picture, {0, 1651, 6000, 2174}, 0x00C08000, false});
        if (!preview.LoadItemPicture(m_decoration.fileName(), Corner::LeftTop)) {
            state.SkipWithError("decoration not loaded");
            return false;
        }
        preview.repaint(); // makes the header rendition
        m_rendition = HeaderRendition();
        return true;
    }
    // Counters: recolourings and header renditions made while the benchmark ran.
    void Report(benchmark::State& state)
    {
        state.counters["recolorings"] = preview.Look().RecolorCount() - 1;
        state.counters["header_renditions"] = HeaderRendition() == m_rendition ? 0 : 1;
    }

    CFramePreviewCtrl preview;

private:
    qint64 HeaderRendition()
    {
        const QImage* rendition =
            m_picture->GetCroppedScaledBitmap(700, 61, {0, 1651, 6000, 2174}, ResampleFilter::Hermite);
        return rendition == nullptr ? 0 : rendition->cacheKey();
    }

    SharedPicture m_picture = std::make_shared<CSkinImage>();
    QTemporaryFile m_decoration;
    qint64 m_rendition = 0;
};

// Dragging the left-top decoration back and forth.
void BM_CanvasDecorationDrag(benchmark::State& state)
{
    CanvasFixture canvas;
    if (!canvas.SetUp(state))
        return;
    const QPoint grip(150, 150);
    SendMouse(&canvas.preview, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 100;
        const int back = step < 50 ? step : 100 - step;
        SendMouse(&canvas.preview, QEvent::MouseMove, grip + QPoint(back * 4, back * 2), Qt::NoButton,
                  Qt::LeftButton);
        canvas.preview.repaint();
    }
    SendMouse(&canvas.preview, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    canvas.Report(state);
}
BENCHMARK(BM_CanvasDecorationDrag)->Unit(benchmark::kMillisecond)->Iterations(400);

// Panning the view across the canvas by dragging the background.
void BM_CanvasPan(benchmark::State& state)
{
    CanvasFixture canvas;
    if (!canvas.SetUp(state))
        return;
    const QPoint start(600, 300);
    SendMouse(&canvas.preview, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 100;
        const int back = step < 50 ? step : 100 - step;
        SendMouse(&canvas.preview, QEvent::MouseMove, start - QPoint(back * 4, back * 8), Qt::NoButton,
                  Qt::LeftButton);
        canvas.preview.repaint();
    }
    SendMouse(&canvas.preview, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    canvas.Report(state);
}
BENCHMARK(BM_CanvasPan)->Unit(benchmark::kMillisecond)->Iterations(400);

// The controls preview as on step 5: the recoloured window with its header, the clock at the
// left-top corner, selected and dragged back and forth. The movie itself plays in the web
// engine's own process; this is the preview's own paint.
void BM_ControlsPreviewDrag(benchmark::State& state)
{
    SharedPicture picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromFile(BigPicturePath())) {
        state.SkipWithError("picture not loaded");
        return;
    }
    CControlsPreviewCtrl preview;
    preview.resize(834, 314);
    if (!ShowExposed(preview)) {
        state.SkipWithError("window not exposed");
        return;
    }
    preview.SetLook({picture, {0, 1651, 6000, 2174}, 0x00C08000, false});
    QList<CornerItem> controls{{CornerItemKind::Control,
                                Corner::LeftTop,
                                {0, 0},
                                {80, 80},
                                QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"),
                                {},
                                false}};
    preview.SetControls(controls);
    preview.SelectFlash(0);
    QObject::connect(&preview, &CControlsPreviewCtrl::flashDragged, [&](int index, QPoint delta) {
        controls[index].offset -= delta;
        preview.SetControls(controls);
    });
    preview.repaint();
    const QPoint grip(190, 190);
    SendMouse(&preview, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 100;
        const int back = step < 50 ? step : 100 - step;
        SendMouse(&preview, QEvent::MouseMove, grip + QPoint(back * 4, back), Qt::NoButton, Qt::LeftButton);
        preview.repaint();
    }
    SendMouse(&preview, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_ControlsPreviewDrag)->Unit(benchmark::kMillisecond)->Iterations(400);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
