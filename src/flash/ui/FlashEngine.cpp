#include "flash/ui/FlashEngine.h"

#include "flash/web/CFlashStage.h"
#include "flash/web/CGalleryView.h"
#include "flash/web/FlashEngineModule.h"
#include "platform/SiteLinks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPluginLoader>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace {

struct Module {
    bool tried = false;
    FlashEngineModule* engine = nullptr; // owned by its loader, never unloaded
};

Module& Loaded()
{
    static Module module;
    return module;
}

// Beside the program (the build folder), then where it is installed, then by name in Qt's library
// paths (tests add the build folder there).
QStringList Candidates()
{
    const QString folder = QCoreApplication::applicationDirPath();
    return {folder + QStringLiteral("/" SKIN_FLASH_ENGINE_FILE),
            folder + QStringLiteral("/" SKIN_FLASH_ENGINE_INSTALLED), QStringLiteral("skinflashengine")};
}

FlashEngineModule* Engine()
{
    Module& module = Loaded();
    if (module.tried)
        return module.engine;
    module.tried = true;
    const QStringList candidates = Candidates();
    for (const QString& candidate : candidates) {
        if (candidate.contains(QLatin1Char('/')) && !QFileInfo::exists(candidate))
            continue;
        auto* loader = new QPluginLoader(candidate, QCoreApplication::instance());
        module.engine = qobject_cast<FlashEngineModule*>(loader->instance());
        if (module.engine != nullptr)
            break;
        delete loader;
    }
    return module.engine;
}

} // namespace

QString FlashPlayerFolder()
{
    const QString chosen = qEnvironmentVariable("SKINMAKER_FLASH_PLAYER");
    if (!chosen.isEmpty())
        return chosen;
    // Beside the program in the build folder; installed, in the prefix's share/skinmaker/.
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = programFolder + QStringLiteral("/flashplayer");
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/skinmaker/flashplayer"));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

bool FlashPlayerInstalled()
{
    const QDir folder(FlashPlayerFolder());
    return folder.exists(QStringLiteral("ruffle.js")) &&
           !folder.entryList({QStringLiteral("*.wasm")}, QDir::Files).isEmpty();
}

namespace {

// The thread loading the library, while it runs.
QPointer<QThread>& PreloadThread()
{
    static QPointer<QThread> thread;
    return thread;
}

} // namespace

void WaitForFlashEnginePreload()
{
    if (QThread* thread = PreloadThread())
        thread->wait();
}

void PreloadFlashEngine(QObject* context, std::function<void()> ready)
{
    // Starting the engine waits for its helper processes; the first stage made on a later turn
    // then waits for nothing but itself.
    auto start = [context, ready = std::move(ready)] {
        if (FlashEngineModule* engine = Engine())
            engine->StartEngine();
        // A timer, not a queued call: the window paints and takes input first.
        QTimer::singleShot(1, context, ready);
    };
    QStringList files;
    if (!Loaded().tried) {
        for (const QString& candidate : Candidates()) {
            if (QFileInfo::exists(candidate))
                files << candidate;
        }
    }
    if (files.isEmpty()) {
        QTimer::singleShot(0, context, std::move(start));
        return;
    }
    // Loading a library is safe on any thread; the plugin object is still made on this one, by
    // Engine(), which then finds the library loaded.
    QThread* thread = QThread::create([files] {
        for (const QString& file : files) {
            if (QLibrary(file).load())
                return;
        }
    });
    QObject::connect(thread, &QThread::finished, context, std::move(start));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    PreloadThread() = thread;
    thread->start(QThread::LowPriority);
}

std::unique_ptr<CFlashStage> CreateFlashStage(QWidget* anchor)
{
    FlashEngineModule* engine = Engine();
    return std::unique_ptr<CFlashStage>(engine != nullptr ? engine->CreateStage(anchor, FlashPlayerFolder())
                                                          : nullptr);
}

std::unique_ptr<CGalleryView> CreateGalleryView(QWidget* parent, const QUrl& galleryUrl)
{
    FlashEngineModule* engine = Engine();
    return std::unique_ptr<CGalleryView>(engine != nullptr ? engine->CreateGalleryView(parent, galleryUrl)
                                                           : nullptr);
}

QString LocalSiteBaseUrl()
{
    FlashEngineModule* engine = Engine();
    return engine != nullptr ? engine->SiteBase(FlashPlayerFolder()) : QString();
}

void ServeSiteLinksLocally()
{
    SetLocalSiteBase(LocalSiteBaseUrl);
}

bool FlashEngineLoaded()
{
    return Loaded().engine != nullptr;
}
