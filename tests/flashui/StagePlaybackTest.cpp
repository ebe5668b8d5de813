// A generated movie played in a transparent stage page over a painted widget: the movie's opaque
// pixels where it was placed, the widget through its transparent parts, nothing outside the view.
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

const QColor kWidgetColor(200, 0, 200);

class Painted : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kWidgetColor); }
};

class StagePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList messages;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        messages << message;
    }
};

bool IsWidgetColor(QRgb pixel)
{
    return qAbs(qRed(pixel) - kWidgetColor.red()) < 8 && qAbs(qGreen(pixel) - kWidgetColor.green()) < 8 &&
           qAbs(qBlue(pixel) - kWidgetColor.blue()) < 8;
}

} // namespace

TEST(StagePlayback, MovieOverPaintedWidgetClippedToTheView)
{
    PrepareWebEngine();
    LocalWebHost host(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    ASSERT_TRUE(host.Start());
    if (!host.HasPlayer())
        GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
    const QUrl movie = host.RegisterMovie(QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"));

    Painted widget;
    widget.resize(400, 300);
    QWebEngineView view(&widget);
    auto* page = new StagePage(&view);
    page->setBackgroundColor(Qt::transparent);
    view.setPage(page);
    view.setGeometry(50, 50, 200, 150); // the anchor: the 80 x 80 clock at (150, 100) reaches past it
    widget.show();

    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
    view.load(host.Url(QStringLiteral("/stage.html")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded; }, 60000));
    page->runJavaScript(QStringLiteral("openMovie(0, '%1', 150, 100, 80, 80);").arg(movie.toString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->messages.contains("frame 0"); }, 120000))
        << page->messages.join('\n').toStdString();

    // The face is light and opaque just inside its rim; the corners of the stage are transparent.
    QImage shot;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            shot = widget.grab().toImage();
            return qGray(shot.pixel(50 + 150 + 40, 50 + 100 + 12)) > 180;
        },
        20000));
    EXPECT_FALSE(IsWidgetColor(shot.pixel(50 + 150 + 25, 50 + 100 + 40)));
    EXPECT_TRUE(IsWidgetColor(shot.pixel(50 + 150 + 2, 50 + 100 + 2)));
    EXPECT_TRUE(IsWidgetColor(shot.pixel(50 + 10, 50 + 10)));
    // Past the view's right and bottom edges the widget shows, although the clock would cover it.
    EXPECT_TRUE(IsWidgetColor(shot.pixel(50 + 200 + 10, 50 + 100 + 40)));
    EXPECT_TRUE(IsWidgetColor(shot.pixel(50 + 150 + 40, 50 + 150 + 10)));
    EXPECT_FALSE(page->messages.contains("failed 0"));
}
