#pragma once
// The working folders and the small file helpers.
//
// The build and extraction folders lie in a folder that only the user can use: on Linux and
// other Unix systems "skinmaker-<uid>" in the temporary folder, created with mode 0700 and
// checked (type, owner, mode) without following links; on Windows the per-user temporary
// folder itself. No operation here follows a symbolic link or uses a folder of another user.
#include <QString>

// The outcome of a folder operation: ok, or the message that tells the user why not.
struct FolderResult {
    bool ok = false;
    QString error;
    explicit operator bool() const { return ok; }
};

QString TempFolder();                                 // system temporary folder, no trailing separator
QString WorkingBase();                                // the user's private folder in it
QString BuildFolder();                                // <base>/VadiSkinMaker
QString ExtractionRoot();                             // <base>/VadiTempSkinPack
QString ExtractionFolder(const QString& packagePath); // <base>/VadiTempSkinPack/<package file name>
QString TryFolder(); // <base>/VadiTrySkin, holding only the package Try now writes
// The file name (without ".vsf") of the package Try now hands to the player: the skin name when
// nothing in it means anything to the Windows command line that starts the player (no "%", "^",
// "!", straight or fullwidth double quote, control character), else the skin name with every
// character other than a letter, a digit, "-" and "_" made "_".
QString TryPackageName(const QString& skinName);
QString TryPackagePath(const QString& skinName); // <try folder>/<TryPackageName>.vsf
// The part of a path after its last "/" or backslash (all of it when there is neither).
QString FileNamePart(const QString& path);

// Creates the private base when it is missing and checks it: a real folder (not a link),
// owned by the user, closed to everybody else (a folder of the user's that is not is closed).
FolderResult PrepareWorkingBase();
// The base and the build folder below it, ready to be written.
FolderResult PrepareBuildFolder();
// The base, the extraction root and a fresh, empty extraction folder for the package.
FolderResult PrepareExtractionFolder(const QString& packagePath);

// The base and a fresh, empty try folder.
FolderResult PrepareTryFolder();

// Deletes the plain files directly in folder (only those ending with suffix when it is not
// empty), then removes the folder. Fails when it cannot be listed, is a symbolic link or belongs
// to another user (nothing is deleted then), or when a file cannot be deleted.
FolderResult EmptyFolder(const QString& folder, const QString& suffix);
// Creates every folder on the path; an existing file of that path is deleted first. Refuses a
// path that is a symbolic link or a folder of another user, and any folder on the way that is a
// link or folder owned by someone other than the user or the system (root).
FolderResult MakeFolders(const QString& path);
bool FileExists(const QString& path);
// Removes folder with everything in it; links inside are removed themselves, never followed.
// Refuses a link or another user's folder at that name. A missing folder is done already.
FolderResult RemoveFolderTree(const QString& folder);
