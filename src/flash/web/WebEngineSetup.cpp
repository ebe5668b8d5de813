#include "flash/web/WebEngineSetup.h"

#include "flash/web/WebViewDrawing.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QWebEngineProfile>
#include <QtGlobal>

#include <utility>

#include <unistd.h>

namespace {

// The C library's allocator settings for the engine's own processes. Compiling the player's
// WebAssembly goes through many short-lived blocks of 32 KiB; freed, they stay with the threads'
// allocation pools for good (50 to 100 MiB in the movies' process). Blocks from 32 KiB up are
// mapped on their own instead and go back to the system when freed.
const QByteArray kEngineTunables = QByteArrayLiteral("glibc.malloc.mmap_threshold=32768");

// Sets `variable` to ours followed by the user's value (theirs come last and win), once.
void PutOursFirst(const char* variable, const QByteArray& ours, char separator)
{
    const QByteArray theirs = qgetenv(variable);
    if (!theirs.startsWith(ours))
        qputenv(variable, theirs.isEmpty() ? ours : ours + separator + theirs);
}

} // namespace

void PrepareWebEngine()
{
    // The engine reports its set-up (graphics and command line) when it starts; that is shown only
    // when asked for: QT_LOGGING_RULES="qt.webenginecontext.info=true", which wins over this.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
    // The web views draw into the window like any other widget. Composed through OpenGL instead,
    // every movie frame would redraw the whole window, which costs a core's worth without a GPU,
    // and the first view would turn the window into an OpenGL one. A backend the user chose wins.
    // Chosen once: asked again after the first view, Qt Quick says its scene graph is set up already.
    static bool graphicsChosen = false;
    if (WebViewsDrawInSoftware() && !std::exchange(graphicsChosen, true))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // The player's WebAssembly is large and most of it never runs: its functions are compiled when
    // first called, not all up front. Sound plays in the browser process instead of one of its
    // own.
    PutOursFirst(
        "QTWEBENGINE_CHROMIUM_FLAGS",
        QByteArrayLiteral("--js-flags=--wasm-lazy-compilation --disable-features=AudioServiceOutOfProcess"),
        ' ');
    if (QCoreApplication::instance() == nullptr)
        return;
    // The engine starts its helper processes with its profile, and they keep the environment they
    // started with; programs started later (the player, a browser for a link) get the user's.
    const bool hadTunables = qEnvironmentVariableIsSet("GLIBC_TUNABLES");
    const QByteArray theirTunables = qgetenv("GLIBC_TUNABLES");
    PutOursFirst("GLIBC_TUNABLES", kEngineTunables, ':');
    QWebEngineProfile::defaultProfile();
    if (hadTunables)
        qputenv("GLIBC_TUNABLES", theirTunables);
    else
        qunsetenv("GLIBC_TUNABLES");
}
