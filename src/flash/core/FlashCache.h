#pragma once
// The folder that keeps downloaded controls: "VDSkinFlash" in the program's folder when that can
// be written, else in the user's cache folder. The folder is made (with its parents) each time.
#include <QString>

// The first of programFolder/VDSkinFlash and userCacheFolder/VDSkinFlash that exists or can be
// made and is writable, with a trailing '/'; empty when neither is.
QString ChooseFlashCacheFolder(const QString& programFolder, const QString& userCacheFolder);
// The same for this program and user.
QString FlashCacheFolder();
// The cache's file name for a control: its flash id and a hash of the address it came from, so
// that the same id from another address is another file.
QString FlashCacheFileName(const QString& flashId, const QString& url);
