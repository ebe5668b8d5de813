#pragma once
// The program's way to the flash engine module (the web engine and the local web host). The
// module is loaded on first need, never at start, so the wizard starts as fast as without it.
#include <QString>
#include <functional>
#include <memory>

class CFlashStage;
class CGalleryView;
class QObject;
class QUrl;
class QWidget;

// The flash player's files: SKINMAKER_FLASH_PLAYER when set, else flashplayer/ beside the program
// (the build folder), else share/skinmaker/flashplayer/ under the installation prefix.
QString FlashPlayerFolder();
// True when the player's script and its WebAssembly are in FlashPlayerFolder().
bool FlashPlayerInstalled();

// Loads the module's library, and the web engine's with it, on a worker thread, then starts the web
// engine, and calls ready on a later turn of the user-interface thread (unless context is gone by
// then): making the first stage then stops the user interface only for the stage itself. ready
// runs soon when there is nothing to load.
void PreloadFlashEngine(QObject* context, std::function<void()> ready);
// Waits for a library load PreloadFlashEngine started: called before the application object goes,
// which the library's start-up code still uses.
void WaitForFlashEnginePreload();
// A stage over the anchor; null when the module cannot be loaded or the host cannot listen.
std::unique_ptr<CFlashStage> CreateFlashStage(QWidget* anchor);
// A gallery web view in parent opening galleryUrl; null when the module cannot be loaded.
std::unique_ptr<CGalleryView> CreateGalleryView(QWidget* parent, const QUrl& galleryUrl);
// The local host's base URL, the host started on first call; empty when that fails.
QString LocalSiteBaseUrl();
// Makes the site links (SiteUrl) point at the local host while SKINMAKER_SITE is unset; the
// module loads and the host starts when the first link is followed.
void ServeSiteLinksLocally();
// Whether the module has been loaded in this process.
bool FlashEngineLoaded();
