#pragma once
// Saving a skin as a skin package (.vsf) and opening one again.
#include "skin/HeaderStrips.h"
#include "skin/SkinDescription.h"
#include "skin/SkinDocument.h"
#include "zip/Zip.h"
#include "zip/ZipArchive.h"

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
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
class StripAhead;
// With a strip made ahead (see StripAhead) the build takes it when it is the skin's.
BuildResult BuildPackage(const SkinContent& skin, const QString& packagePath, StripAhead* ahead = nullptr);
BuildResult BuildPackage(const SkinDocument& document, const QString& packagePath,
                         StripAhead* ahead = nullptr);

// The header strip of a skin without a stretch region (the crop copied at its own size), made
// while the picture is being decoded: every row goes into the package's archive as soon as it is
// decoded, and the parts of the strip that are whole are compressed meanwhile. A build given it
// takes it when it was made whole, for the skin's crop, from the rows that became the skin's
// picture; otherwise the build cuts the strip itself.
class StripAhead {
public:
    // For the crop, in picture rows, of the picture about to be decoded.
    explicit StripAhead(const SkinRect& crop);
    ~StripAhead();
    StripAhead(const StripAhead&) = delete;
    StripAhead& operator=(const StripAhead&) = delete;

    // The decode's reports (BandDecoded): rows [0, decoded) of `rows`, which begin at picture row
    // firstRow, are final.
    void RowsDecoded(const QImage& rows, int firstRow, int decoded);
    // True once a build has taken the strip.
    bool Taken() const { return m_taken; }

private:
    friend BuildResult BuildPackage(const SkinContent&, const QString&, StripAhead*);
    // The archive holding the strip, when it was made whole for this crop of this picture (the
    // crop in the picture's own rows); null otherwise.
    ZipArchive* ArchiveFor(const SkinContent& skin);

    const SkinRect m_crop;
    std::unique_ptr<ZipArchive> m_archive;
    QDateTime m_time;
    const uchar* m_rows = nullptr; // the first report's rows, which every report must be
    QSize m_size;
    int m_firstRow = 0;
    int m_decoded = 0; // rows of the decode handed on so far
    char* m_strip = nullptr;
    bool m_failed = false;
    bool m_taken = false;
};

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
