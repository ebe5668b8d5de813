#pragma once
// Saving a skin as a skin package (.vsf) and opening one again.
#include "skin/HeaderStrips.h"
#include "skin/SkinDescription.h"
#include "skin/SkinDocument.h"
#include "zip/Zip.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

struct BuildResult {
    bool ok = false;
    QString error; // why the build failed, for the user; empty on success
};

// Renders the header strips and the thumbnail, makes conf.ini (a conf.ini left in the build folder
// by an earlier build is the base that is updated), reads decorations and flash controls, and
// writes them as one archive to packagePath. Everything is made in memory; the archive is written
// once, to a temporary file beside packagePath that replaces it only when complete, so a failed
// build leaves an existing package untouched and nothing behind.
BuildResult BuildPackage(const SkinContent& skin, const QString& packagePath);
BuildResult BuildPackage(const SkinDocument& document, const QString& packagePath);

struct OpenResult {
    bool ok = false;
    QString error;               // why the open was abandoned; empty on success
    QString extractionFolder;    // where the members taken as files were written
    QString headerPath;          // the rebuilt header image (may be missing when the package has no strips)
    QStringList members;         // member names in archive order
    SkinDescription description; // as read from conf.ini
    // Extra controls the package declares beyond those it gives (more than a skin may have, or
    // files missing): they are not in the skin, and the user is to be told.
    int controlsLeftOut = 0;
    QString warning; // for the user: what the open changed in what the package says
};

// Reads the package into memory and fills skin with what it finds; the members the skin takes as
// files (decorations, flash controls, the thumbnail, and the rebuilt header) are written into the
// package's extraction folder, the rest (strips, conf.ini) is not; what the package does not carry
// keeps its value. The crop becomes the whole rebuilt header and the
// colour numbers read are kept (colourAsRead), so that saving at once gives the same members.
// On failure skin is not touched.
OpenResult OpenPackage(const QString& packagePath, SkinContent& skin);
// The same into a document, which then holds the opened skin, unmodified.
OpenResult OpenPackage(const QString& packagePath, SkinDocument& document);

// A package read from memory with the checks and limits of OpenPackage and the same error on
// failure; nothing is written anywhere. On success it holds what an open unpacks, reads and
// rebuilds; packagePath only names the package in messages.
struct PackageContent {
    bool ok = false;
    QString error;                 // as OpenPackage gives it; empty on success
    QList<UnzippedMember> members; // in archive order
    SkinDescription description;
    RebuiltHeader header;
};
PackageContent ReadPackage(const QByteArray& archive, const QString& packagePath);

// OpenPackage without writing anything anywhere: the package file is read into memory (content)
// and skin filled as an open fills it, except that each decoration and control names its member
// as its file, and the header and thumbnail are neither decoded nor set (the crop is the whole
// rebuilt header all the same). For reading a package's facts, not for editing it.
OpenResult OpenPackageInMemory(const QString& packagePath, SkinContent& skin, PackageContent& content);
// A member as an open finds it (a later member of the same name wins; folders are none).
std::optional<QByteArray> PackageMember(const PackageContent& content, const QString& name);
// The size the rebuilt header declares; empty when the package gives none.
QSize HeaderSize(const PackageContent& content);

// The description file's "name": the package's file name without its last four characters.
QString PackageNameKey(const QString& packagePath);
