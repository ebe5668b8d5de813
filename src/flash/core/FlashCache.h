#pragma once
// The folder that keeps downloaded controls: "VDSkinFlash" in the user's cache folder
// ($XDG_CACHE_HOME/skinmaker, else ~/.cache/skinmaker), made with its parents each time. Earlier
// versions kept it beside the program; a control found only there is copied over once.
#include <QString>

// The first of preferred/VDSkinFlash and fallback/VDSkinFlash that exists or can be made and is
// writable, with a trailing '/'; empty when neither is.
QString ChooseFlashCacheFolder(const QString& preferred, const QString& fallback);
// The user's cache folder of this program: $XDG_CACHE_HOME/skinmaker when that variable holds an
// absolute path, else ~/.cache/skinmaker. It does not depend on the application's name.
QString UserCacheFolder();
// The control cache of this user, with a trailing '/'; empty when it cannot be made.
QString FlashCacheFolder();
// Where earlier versions kept the cache: VDSkinFlash beside the program, read only.
QString LegacyFlashCacheFolder();
// The cache's file name for a control: its flash id and a hash of the address it came from, so
// that the same id from another address is another file.
QString FlashCacheFileName(const QString& flashId, const QString& url);
// Copies legacyFolder/fileName into cacheFolder when it is a whole flash movie there and not yet
// in the cache; the copy appears under its name only when complete. True when the cache then
// holds the file.
bool AdoptLegacyCachedControl(const QString& legacyFolder, const QString& cacheFolder,
                              const QString& fileName);
