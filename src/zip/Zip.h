#pragma once
// ZIP container for skin packages: a handle-based writer (create, add files, close) and reader
// (open, list, extract, close), plus the two convenience operations the package code calls.
// Flat archives only: no ZIP64, no spanning; raw DEFLATE comes from zlib.
//
// Entry names are stored as GBK bytes (bit 11 of the flags is never set). Names read back are
// decoded from GBK, or from UTF-8 when a foreign archive sets bit 11.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// Result codes shared by the writer and the reader (0 = success).
inline constexpr uint32_t ZIP_OK = 0x00000000;
inline constexpr uint32_t ZIP_NOFILE = 0x00000200;      // a file could not be opened or created
inline constexpr uint32_t ZIP_WRITE = 0x00000400;       // a write failed or was short
inline constexpr uint32_t ZIP_CORRUPT = 0x00000700;     // headers disagree, bad name or CRC mismatch
inline constexpr uint32_t ZIP_READ = 0x00000800;        // reading archive data failed
inline constexpr uint32_t ZIP_PASSWORD = 0x00001000;    // encrypted entry whose check byte does not match
inline constexpr uint32_t ZIP_ARGS = 0x00010000;        // null handle, empty name, index out of range
inline constexpr uint32_t ZIP_FAILED = 0x00040000;      // an earlier operation on this archive failed
inline constexpr uint32_t ZIP_ENDED = 0x00050000;       // the central directory is already written
inline constexpr uint32_t ZIP_WRONGHANDLE = 0x00080000; // writer handle given to the reader or back
inline constexpr uint32_t ZIP_NOTINITED = 0x01000000;   // internal state missing
inline constexpr uint32_t ZIP_SEEK = 0x02000000;        // repositioning the output failed
inline constexpr uint32_t ZIP_NOCHANGE = 0x04000000;    // a header could not be corrected
inline constexpr uint32_t ZIP_FLATE = 0x05000000;       // the (de)compressor reported an error
// Untrusted archives (reader): see platform/PackageLimits.h.
inline constexpr uint32_t ZIP_LIMIT = 0x06000000;   // too many members, or a member or the whole too large
inline constexpr uint32_t ZIP_OVERLAP = 0x07000000; // two members share bytes of the archive

// Kind tags carried by every handle.
inline constexpr int ZIP_KIND_READER = 1;
inline constexpr int ZIP_KIND_WRITER = 2;

// Opaque archive handle, owned by the caller from create/open until close.
struct ZipHandle;

// Windows file attribute bits as carried in ZIP external attributes and in ZipItem.
inline constexpr uint32_t ZIP_ATTR_READONLY = 0x01;
inline constexpr uint32_t ZIP_ATTR_HIDDEN = 0x02;
inline constexpr uint32_t ZIP_ATTR_SYSTEM = 0x04;
inline constexpr uint32_t ZIP_ATTR_DIRECTORY = 0x10;
inline constexpr uint32_t ZIP_ATTR_ARCHIVE = 0x20;

// One member as the reader reports it. Times are Windows file times: 100-nanosecond units
// since 1601-01-01 UTC.
struct ZipItem {
    int32_t index = 0; // position in the central directory; for index -1 the member count
    QString name;      // member name after sanitising (never leaves the extraction folder)
    uint32_t attributes = 0;
    uint64_t accessTime = 0;
    uint64_t creationTime = 0;
    uint64_t modifyTime = 0;
    int32_t compressedSize = 0;
    int32_t uncompressedSize = 0;
};

// ---- writer ----
// Creates or truncates the archive file; null when it cannot be created.
ZipHandle* ZipCreate(const QString& archivePath);
// Appends one member holding the whole content of sourcePath. A `\` in entryName becomes `/`.
uint32_t ZipAddFile(ZipHandle* handle, const QString& entryName, const QString& sourcePath);
// Writes the central directory and end record, closes the file and frees the handle
// (the handle is invalid afterwards whatever the result).
uint32_t ZipClose(ZipHandle* handle);
// Packs the files, each named by its file name, in list order. On failure the partly
// written archive is deleted and false is returned.
bool ZipPackFiles(const QStringList& sourcePaths, const QString& archivePath);

// ---- reader ----
// Opens an archive; null when the file cannot be opened or is not a readable archive, or when
// it has more than kMaxPackageMembers members or members that share bytes (*why, when given,
// says which: ZIP_NOFILE, ZIP_LIMIT or ZIP_OVERLAP).
// Relative extraction targets are resolved against the current directory at this moment.
ZipHandle* UnzipOpen(const QString& archivePath, uint32_t* why = nullptr);
// Index -1 fills only `index` with the member count; 0..count-1 fills the whole record.
uint32_t UnzipGetItem(ZipHandle* handle, int index, ZipItem* out);
// Extracts one member to target (a folder member creates the folder). A member whose data
// fails its CRC-32 or size yields ZIP_CORRUPT and the target file is removed; one larger than
// kMaxMemberBytes yields ZIP_LIMIT and nothing is written. A target that is a symbolic link
// yields ZIP_NOFILE.
uint32_t UnzipItemToFile(ZipHandle* handle, int index, const QString& target);
// Closes the archive and frees the handle.
uint32_t UnzipClose(ZipHandle* handle);
// Extracts every member into destinationFolder, appending each member name to namesOut.
// With throughTemp the members are staged in a fresh private temporary folder first.
// True when every member was extracted; members done before a failure stay in place. Members
// together larger than kMaxPackageBytes stop it with ZIP_LIMIT; *result, when given, gets the
// code of the failure (ZIP_OK on success). No member is written through a symbolic link.
bool UnzipAll(const QString& archivePath, const QString& destinationFolder, QStringList* namesOut,
              bool throughTemp, uint32_t* result = nullptr);

// One member unpacked into memory: its name as UnzipAll lists it, its data, and whether it is a
// folder member (no data).
struct UnzippedMember {
    QString name;
    QByteArray bytes;
    bool folder = false;
};
// UnzipAll for an archive held in memory, with the same checks and limits and the same result
// codes; nothing is written anywhere. The members come in archive order.
bool UnzipAllToMemory(const QByteArray& archive, QList<UnzippedMember>* membersOut,
                      uint32_t* result = nullptr);
// The same for an archive file, read as it is needed (the file is not held in memory whole).
bool UnzipFileToMemory(const QString& archivePath, QList<UnzippedMember>* membersOut,
                       uint32_t* result = nullptr);
