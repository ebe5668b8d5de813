#pragma once
// The folder that keeps downloaded controls: "VDSkinFlash" in the program's folder when that can
// be written, else in the user's cache folder. The folder is made (with its parents) each time.
#include <QString>

// The first of programFolder/VDSkinFlash and userCacheFolder/VDSkinFlash that exists or can be
// made and is writable, with a trailing '/'; empty when neither is.
QString ChooseFlashCacheFolder(const QString& programFolder, const QString& userCacheFolder);
// The same for this program and user.
QString FlashCacheFolder();
