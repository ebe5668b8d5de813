// Listing and extracting archives: what the reader reports and what it puts on disk.
#include "ArchiveBuilder.h"
#include "ZipTestUtil.h"
#include "platform/PackageLimits.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"
#include "zip/ZipTime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace ziptest;
using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

int64_t ModifiedSeconds(const QString& path)
{
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

bool IsWritable(const QString& path)
{
    return QFileInfo(path).permissions() &
           (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);
}

QString WriteArchive(const ScratchDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.file(name);
    EXPECT_TRUE(WriteAll(path, bytes));
    return path;
}

} // namespace

TEST(ZipReader, PackedSkinComesBackWithContentTimesAndAttributes)
{
    ScratchDir dir;
    QDir().mkpath(dir.file("src"));
    const QByteArray big = QByteArray(100000, 'a') + QByteArray("tail") + QByteArray(40000, 'b');
    ASSERT_TRUE(WriteAll(dir.file("src/conf.ini"), "[CONF]\r\n"));
    ASSERT_TRUE(WriteAll(dir.file("src/top.bmp"), big));
    ASSERT_TRUE(WriteAll(dir.file("src/empty.swf"), QByteArray()));
    ASSERT_TRUE(SetUnixTimes(dir.file("src/conf.ini"), 1600000000, 1500000001));
    ASSERT_TRUE(SetUnixTimes(dir.file("src/top.bmp"), 1600000000, 1500000003));
    QFile(dir.file("src/top.bmp")).setPermissions(QFileDevice::ReadOwner);
    ASSERT_TRUE(ZipPackFiles({dir.file("src/conf.ini"), dir.file("src/top.bmp"), dir.file("src/empty.swf")},
                             dir.file("skin.vsf")));

    ZipHandle* zip = UnzipOpen(dir.file("skin.vsf"));
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    ASSERT_EQ(UnzipGetItem(zip, -1, &item), ZIP_OK);
    EXPECT_EQ(item.index, 3);
    ASSERT_EQ(UnzipGetItem(zip, 1, &item), ZIP_OK);
    EXPECT_EQ(item.index, 1);
    EXPECT_EQ(item.name, "top.bmp");
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE | ZIP_ATTR_READONLY);
    EXPECT_EQ(item.uncompressedSize, big.size());
    EXPECT_LT(item.compressedSize, 2000);
    // Times come from the extended timestamp, to the second, not from the DOS fields.
    EXPECT_EQ(item.modifyTime, FileTimeFromUnix(1500000003));
    EXPECT_EQ(item.accessTime, FileTimeFromUnix(1600000000));
    ASSERT_EQ(UnzipGetItem(zip, 0, &item), ZIP_OK); // walking back restarts at the first member
    EXPECT_EQ(item.name, "conf.ini");
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE);
    EXPECT_EQ(UnzipGetItem(zip, 3, &item), ZIP_ARGS);
    EXPECT_EQ(UnzipGetItem(zip, -2, &item), ZIP_ARGS);
    EXPECT_EQ(UnzipItemToFile(zip, 3, dir.file("x")), ZIP_ARGS);
    EXPECT_EQ(UnzipItemToFile(zip, -1, dir.file("x")), ZIP_ARGS);
    EXPECT_EQ(UnzipClose(zip), ZIP_OK);

    for (bool throughTemp : {false, true}) {
        SCOPED_TRACE(throughTemp);
        const QString out = dir.file(throughTemp ? "out-temp" : "out-direct");
        QStringList names;
        ASSERT_TRUE(UnzipAll(dir.file("skin.vsf"), out, &names, throughTemp));
        EXPECT_EQ(names, QStringList({"conf.ini", "top.bmp", "empty.swf"}));
        EXPECT_EQ(ReadAll(out + "/top.bmp"), big);
        EXPECT_EQ(ReadAll(out + "/conf.ini"), "[CONF]\r\n");
        EXPECT_TRUE(QFileInfo(out + "/empty.swf").isFile());
        EXPECT_EQ(ModifiedSeconds(out + "/conf.ini"), 1500000001);
        EXPECT_EQ(ModifiedSeconds(out + "/top.bmp"), 1500000003);
        EXPECT_FALSE(IsWritable(out + "/top.bmp"));
        EXPECT_TRUE(IsWritable(out + "/conf.ini"));
    }
}

TEST(ZipReader, RelativeTargetsAreResolvedAgainstTheFolderCurrentAtOpen)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "a.ini", .data = "alpha"});
    const QString archive = WriteArchive(dir, "a.zip", builder.Build());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ZipHandle* zip = UnzipOpen(archive);
    QDir::setCurrent(previous);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(UnzipItemToFile(zip, 0, "deep\\er/a.ini"), ZIP_OK);
    UnzipClose(zip);
    EXPECT_EQ(ReadAll(dir.file("deep/er/a.ini")), "alpha");
}

TEST(ZipReader, EmptyArchiveAndNonArchives)
{
    ScratchDir dir;
    ArchiveBuilder empty;
    ZipHandle* zip = UnzipOpen(WriteArchive(dir, "empty.zip", empty.Build()));
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    item.name = "stale";
    EXPECT_EQ(UnzipGetItem(zip, -1, &item), ZIP_OK);
    EXPECT_EQ(item.index, 0);
    EXPECT_TRUE(item.name.isEmpty());
    EXPECT_EQ(UnzipGetItem(zip, 0, &item), ZIP_ARGS);
    UnzipClose(zip);

    EXPECT_EQ(UnzipOpen(dir.file("missing.zip")), nullptr);
    const QByteArray good = [] {
        ArchiveBuilder b;
        b.Add({.name = "a", .data = "a"});
        return b.Build();
    }();
    QByteArray twoDisks = good;
    twoDisks[twoDisks.size() - 22 + 4] = 1;
    QByteArray countsDiffer = good;
    countsDiffer[countsDiffer.size() - 22 + 8] = 2;
    QByteArray directoryPastEnd = good;
    directoryPastEnd[directoryPastEnd.size() - 22 + 16] = char(0x7F);
    QByteArray badCentral = good;
    badCentral[badCentral.indexOf("PK\x01\x02") + 3] = 9;
    const QByteArray cases[] = {QByteArray("this is not a zip archive"),
                                QByteArray(),
                                good.left(good.size() - 1),
                                twoDisks,
                                countsDiffer,
                                directoryPastEnd,
                                badCentral};
    for (const QByteArray& bytes : cases) {
        const QString path = WriteArchive(dir, "bad.zip", bytes);
        EXPECT_EQ(UnzipOpen(path), nullptr);
        QStringList names;
        EXPECT_FALSE(UnzipAll(path, dir.file("out"), &names, true));
        EXPECT_TRUE(names.isEmpty());
    }
}

TEST(ZipReader, EndRecordIsFoundBehindCommentsAndPrependedBytes)
{
    ScratchDir dir;
    for (int commentLength : {0, 1, 1019, 1020, 2000, 60000}) {
        SCOPED_TRACE(commentLength);
        ArchiveBuilder builder;
        builder.SetPrefix(QByteArray(5000, 'S')); // e.g. a self-extractor stub
        builder.SetComment(QByteArray(commentLength, 'c'));
        builder.Add({.name = "one.ini", .data = "first member"});
        builder.Add({.name = "two.bmp", .data = QByteArray(20000, 'z'), .method = 0});
        const QString archive = WriteArchive(dir, "c.zip", builder.Build());
        const QString out = dir.file(QString("out%1").arg(commentLength));
        QStringList names;
        ASSERT_TRUE(UnzipAll(archive, out, &names, false));
        EXPECT_EQ(names, QStringList({"one.ini", "two.bmp"}));
        EXPECT_EQ(ReadAll(out + "/one.ini"), "first member");
        EXPECT_EQ(ReadAll(out + "/two.bmp"), QByteArray(20000, 'z'));
    }
}

TEST(ZipReader, TimesFallBackToLocalDosTime)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    // 2021-06-15 13:45:58 local time, no extended timestamp.
    builder.Add({.name = "a.ini",
                 .data = "x",
                 .dosTime = uint16_t((13 << 11) | (45 << 5) | 29),
                 .dosDate = uint16_t((41 << 9) | (6 << 5) | 15)});
    // Only the modification time in the extended timestamp: the others keep the DOS time.
    Member partial{.name = "b.ini", .data = "y"};
    partial.localExtra =
        QByteArray("\x01\x00\x02\x00zzUT\x05\x00\x01", 11) + QByteArray("\x00\x5E\xD0\xB2", 4);
    builder.Add(partial);
    ZipHandle* zip = UnzipOpen(WriteArchive(dir, "t.zip", builder.Build()));
    ASSERT_NE(zip, nullptr);
    const uint64_t local = FileTimeFromMSecs(
        QDateTime(QDate(2021, 6, 15), QTime(13, 45, 58), Qt::LocalTime).toMSecsSinceEpoch());
    ZipItem item;
    ASSERT_EQ(UnzipGetItem(zip, 0, &item), ZIP_OK);
    EXPECT_EQ(item.modifyTime, local);
    EXPECT_EQ(item.accessTime, local);
    EXPECT_EQ(item.creationTime, local);
    ASSERT_EQ(UnzipGetItem(zip, 1, &item), ZIP_OK);
    EXPECT_EQ(item.modifyTime, FileTimeFromUnix(0xB2D05E00u));
    EXPECT_EQ(item.accessTime, FileTimeFromDosDateTime(0x5A21, 0x6000));
    UnzipClose(zip);
}

TEST(ZipReader, AttributesFollowTheHostSystem)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    // Unix host, mode 0444: read-only.
    builder.Add(
        {.name = "locked.ini", .data = "ro", .versionMadeBy = 0x031E, .externalAttributes = 0x81240000});
    // Unix host, directory.
    builder.Add({.name = "folder/",
                 .data = "",
                 .method = 0,
                 .versionMadeBy = 0x031E,
                 .externalAttributes = 0x41ED0010});
    // FAT host: low byte as Windows attributes.
    builder.Add({.name = "folder/h.ini", .data = "h", .versionMadeBy = 0x0014, .externalAttributes = 0x27});
    const QString archive = WriteArchive(dir, "h.zip", builder.Build());
    ZipHandle* zip = UnzipOpen(archive);
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    ASSERT_EQ(UnzipGetItem(zip, 0, &item), ZIP_OK);
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE | ZIP_ATTR_READONLY);
    ASSERT_EQ(UnzipGetItem(zip, 1, &item), ZIP_OK);
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE | ZIP_ATTR_DIRECTORY);
    ASSERT_EQ(UnzipGetItem(zip, 2, &item), ZIP_OK);
    EXPECT_EQ(item.attributes, 0x27u);
    UnzipClose(zip);

    QStringList names;
    ASSERT_TRUE(UnzipAll(archive, dir.file("out"), &names, true));
    EXPECT_FALSE(IsWritable(dir.file("out/locked.ini")));
    EXPECT_EQ(ReadAll(dir.file("out/locked.ini")), "ro");
    EXPECT_TRUE(QFileInfo(dir.file("out/folder")).isDir());
    EXPECT_EQ(ReadAll(dir.file("out/folder/h.ini")), "h");
    EXPECT_FALSE(IsWritable(dir.file("out/folder/h.ini")));
}

TEST(ZipReader, EncryptedMembersOpenWithTheEmptyPassword)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "secret.ini", .data = QByteArray(5000, 's'), .encrypt = true});
    builder.Add({.name = "stored.ini", .data = "plain", .method = 0, .encrypt = true});
    builder.Add({.name = "wrong.ini", .data = "w", .encrypt = true, .wrongCheckByte = true});
    ZipHandle* zip = UnzipOpen(WriteArchive(dir, "e.zip", builder.Build()));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(UnzipItemToFile(zip, 0, dir.file("secret.ini")), ZIP_OK);
    EXPECT_EQ(UnzipItemToFile(zip, 1, dir.file("stored.ini")), ZIP_OK);
    EXPECT_EQ(UnzipItemToFile(zip, 2, dir.file("wrong.ini")), ZIP_PASSWORD);
    UnzipClose(zip);
    EXPECT_EQ(ReadAll(dir.file("secret.ini")), QByteArray(5000, 's'));
    EXPECT_EQ(ReadAll(dir.file("stored.ini")), "plain");
}

TEST(ZipReader, LocalHeaderMustAgreeWithTheDirectory)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "bad.ini", .data = "x", .localCrcOverride = 1234});
    // With sizes announced to follow, the local CRC is not compared.
    builder.Add({.name = "dd.ini", .data = "y", .flags = 0x0008, .localCrcOverride = 0});
    ZipHandle* zip = UnzipOpen(WriteArchive(dir, "l.zip", builder.Build()));
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    EXPECT_EQ(UnzipGetItem(zip, 0, &item), ZIP_CORRUPT);
    EXPECT_EQ(UnzipItemToFile(zip, 0, dir.file("bad.ini")), ZIP_CORRUPT);
    EXPECT_EQ(UnzipItemToFile(zip, 1, dir.file("dd.ini")), ZIP_OK);
    UnzipClose(zip);
    EXPECT_EQ(ReadAll(dir.file("dd.ini")), "y");
}

TEST(ZipReader, DirectoryShorterThanItsCountFailsPastItsEnd)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "a.ini", .data = "a"});
    builder.Add({.name = "b.ini", .data = "b"});
    QByteArray bytes = builder.Build();
    const qsizetype end = bytes.size() - 22;
    // As many members promised as a package may have, two present.
    for (int at : {8, 10}) {
        bytes[end + at] = char(kMaxPackageMembers & 0xFF);
        bytes[end + at + 1] = char(kMaxPackageMembers >> 8);
    }
    const QString archive = WriteArchive(dir, "short.zip", bytes);
    ZipHandle* zip = UnzipOpen(archive);
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    EXPECT_EQ(UnzipGetItem(zip, -1, &item), ZIP_OK);
    EXPECT_EQ(item.index, kMaxPackageMembers);
    EXPECT_EQ(UnzipGetItem(zip, 1, &item), ZIP_OK);
    for (int index = 2; index < kMaxPackageMembers; ++index)
        ASSERT_EQ(UnzipGetItem(zip, index, &item), ZIP_CORRUPT) << index;
    EXPECT_EQ(UnzipGetItem(zip, 0, &item), ZIP_OK);
    EXPECT_EQ(item.name, "a.ini");
    EXPECT_EQ(UnzipItemToFile(zip, 1, dir.file("b.ini")), ZIP_OK);
    UnzipClose(zip);
    QStringList names;
    EXPECT_FALSE(UnzipAll(archive, dir.file("out"), &names, true));
    EXPECT_EQ(names, QStringList({"a.ini", "b.ini"}));
}
