#pragma once
// The working folders under the temporary folder and the small file helpers.
#include <QString>

QString TempFolder();                                 // system temporary folder, no trailing separator
QString BuildFolder();                                // <temp>/VadiSkinMaker
QString ExtractionRoot();                             // <temp>/VadiTempSkinPack
QString ExtractionFolder(const QString& packagePath); // <temp>/VadiTempSkinPack/<package file name>
// The part of a path after its last "/" or backslash (all of it when there is neither).
QString FileNamePart(const QString& path);

// Deletes the plain files directly in folder (only those ending with suffix when it is not
// empty), then removes the folder. False when it cannot be listed or a file cannot be deleted.
bool EmptyFolder(const QString& folder, const QString& suffix);
// Creates every folder on the path; an existing file of that path is deleted first.
bool MakeFolders(const QString& path);
bool FileExists(const QString& path);
