// What the program asks of the web engine before its first view.
#include "flash/web/WebEngineSetup.h"

#include <QQuickWindow>
#include <gtest/gtest.h>

TEST(WebEngineSetup, DrawsInSoftwareAndKeepsTheUsersFlagsLastAndOnce)
{
    qunsetenv("QT_QUICK_BACKEND");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--js-flags=--their-own");
    PrepareWebEngine();
    const QByteArray once = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    PrepareWebEngine();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), once);
    EXPECT_TRUE(once.endsWith(" --js-flags=--their-own"));
    EXPECT_TRUE(once.startsWith("--js-flags=--wasm-lazy-compilation "));
    EXPECT_EQ(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
}
