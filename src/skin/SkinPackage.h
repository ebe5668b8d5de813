#pragma once
// Saving a skin project as a skin package (.vsf) and opening one again.
#include "skin/HeaderStrips.h"
#include "skin/SkinDescription.h"
#include "skin/SkinProject.h"
#include "zip/Zip.h"

#include <QString>
#include <QStringList>

struct BuildResult {
    bool ok = false;
    QString error; // why the build failed, for the user; empty on success
};

// Renders the header strips and the thumbnail into the build folder, writes conf.ini there
// (a conf.ini left by an earlier build is updated), copies decorations and flash controls, and
// zips them into packagePath. The archive is written to a temporary file beside packagePath and
// renamed over it only when complete, so a failed build leaves an existing package untouched.
// The member files written into the build folder are removed afterwards, whatever the outcome;
// the folder stays.
BuildResult BuildPackage(const SkinProject& project, const QString& packagePath);

struct OpenResult {
    bool ok = false;
    QString error;            // why the open was abandoned; empty on success
    QString extractionFolder; // where the members were unpacked
    QString headerPath;       // the rebuilt header image (may be missing when the package has no strips)
    QStringList members;      // member names in archive order
    QString warning;          // for the user: what the open changed in what the package says
};

// Unpacks the package into its extraction folder and fills project with what it finds; fields
// the package does not carry keep their values. The crop becomes the whole rebuilt header and the
// colour numbers read are kept (colourAsRead), so that saving at once gives the same members.
// On failure project is not touched.
OpenResult OpenPackage(const QString& packagePath, SkinProject& project);

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

// Empty when name can be stored as a skin name; otherwise the message to show. The player reads
// names in GBK, one line of the description file, at most 255 bytes.
QString CheckSkinName(const QString& name);

// The description file's "name": the package's file name without its last four characters.
QString PackageNameKey(const QString& packagePath);
