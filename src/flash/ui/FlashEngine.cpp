#include "flash/ui/FlashEngine.h"

#include "flash/web/CFlashStage.h"
#include "flash/web/CGalleryView.h"
#include "flash/web/FlashEngineModule.h"
#include "platform/SiteLinks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

struct Module {
    bool tried = false;
    CreateFlashStageFn createStage = nullptr;
    LocalSiteBaseFn siteBase = nullptr;
    CreateGalleryViewFn createGallery = nullptr;
};

// Beside the program (the build folder), then where it is installed, then by name (a program
// linked with the module, as its tests are, finds the copy already loaded).
Module& Loaded()
{
    static Module module;
    return module;
}

Module& Engine()
{
    Module& module = Loaded();
    if (module.tried)
        return module;
    module.tried = true;
    const QString folder = QCoreApplication::applicationDirPath();
    const QStringList candidates{folder + QStringLiteral("/" SKIN_FLASH_ENGINE_FILE),
                                 folder + QStringLiteral("/" SKIN_FLASH_ENGINE_INSTALLED),
                                 QStringLiteral("skinflashengine")};
    for (const QString& candidate : candidates) {
        if (candidate.contains(QLatin1Char('/')) && !QFileInfo::exists(candidate))
            continue;
        QLibrary library(candidate);
        if (!library.load())
            continue;
        module.createStage = reinterpret_cast<CreateFlashStageFn>(library.resolve("skinflash_create_stage"));
        module.siteBase = reinterpret_cast<LocalSiteBaseFn>(library.resolve("skinflash_site_base"));
        module.createGallery =
            reinterpret_cast<CreateGalleryViewFn>(library.resolve("skinflash_create_gallery_view"));
        if (module.createStage != nullptr && module.siteBase != nullptr && module.createGallery != nullptr)
            break;
        module.createStage = nullptr;
        module.siteBase = nullptr;
        module.createGallery = nullptr;
    }
    return module;
}

} // namespace

QString FlashPlayerFolder()
{
    const QString chosen = qEnvironmentVariable("SKINMAKER_FLASH_PLAYER");
    return chosen.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/flashplayer")
                            : chosen;
}

bool FlashPlayerInstalled()
{
    const QDir folder(FlashPlayerFolder());
    return folder.exists(QStringLiteral("ruffle.js")) &&
           !folder.entryList({QStringLiteral("*.wasm")}, QDir::Files).isEmpty();
}

std::unique_ptr<CFlashStage> CreateFlashStage(QWidget* anchor)
{
    const Module& module = Engine();
    if (module.createStage == nullptr)
        return nullptr;
    const QString folder = FlashPlayerFolder();
    return std::unique_ptr<CFlashStage>(module.createStage(anchor, &folder));
}

std::unique_ptr<CGalleryView> CreateGalleryView(QWidget* parent, const QUrl& galleryUrl)
{
    const Module& module = Engine();
    if (module.createGallery == nullptr)
        return nullptr;
    return std::unique_ptr<CGalleryView>(module.createGallery(parent, &galleryUrl));
}

QString LocalSiteBaseUrl()
{
    const Module& module = Engine();
    QString base;
    if (module.siteBase != nullptr) {
        const QString folder = FlashPlayerFolder();
        module.siteBase(&folder, &base);
    }
    return base;
}

void ServeSiteLinksLocally()
{
    SetLocalSiteBase(LocalSiteBaseUrl);
}

bool FlashEngineLoaded()
{
    return Loaded().createStage != nullptr;
}
