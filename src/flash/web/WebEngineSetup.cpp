#include "flash/web/WebEngineSetup.h"

#include <QByteArray>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QtGlobal>

#include <unistd.h>

void PrepareWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
    // The web views draw into the window like any other widget. Composed through OpenGL instead,
    // every movie frame would redraw the whole window, which costs a core's worth without a GPU,
    // and the first view would turn the window into an OpenGL one. A backend the user chose wins.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // The player's WebAssembly is large and most of it never runs: its functions are compiled when
    // first called, not all up front. Sound plays in the browser process instead of one of its
    // own. Flags the user gave come after these, so theirs win.
    static const QByteArray kOurs =
        QByteArrayLiteral("--js-flags=--wasm-lazy-compilation --disable-features=AudioServiceOutOfProcess");
    const QByteArray theirs = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!theirs.startsWith(kOurs))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", theirs.isEmpty() ? kOurs : kOurs + ' ' + theirs);
}
