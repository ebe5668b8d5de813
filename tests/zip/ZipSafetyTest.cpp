// Hostile and damaged archives: nothing lands outside the destination, damaged data is never
// reported as good, and no byte pattern makes the reader misbehave.
#include "ArchiveBuilder.h"
#include "platform/PackageLimits.h"
#include "skin/SkinPackage.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QUuid>
#include <gtest/gtest.h>

using namespace ziptest;
using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString ItemName(const QByteArray& storedName)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = storedName, .data = "x"});
    WriteAll(dir.file("n.zip"), builder.Build());
    ZipHandle* zip = UnzipOpen(dir.file("n.zip"));
    ZipItem item;
    const uint32_t result = UnzipGetItem(zip, 0, &item);
    UnzipClose(zip);
    return result == ZIP_OK ? item.name : QString("<refused>");
}

} // namespace

TEST(ZipSafety, NamesAreSanitisedToStayInsideTheBase)
{
    EXPECT_EQ(ItemName("../../x.ini"), "x.ini");
    EXPECT_EQ(ItemName("..\\x.ini"), "x.ini");
    EXPECT_EQ(ItemName("a/../../x"), "x");
    EXPECT_EQ(ItemName("a\\..\\b\\c.ini"), "b\\c.ini");
    EXPECT_EQ(ItemName("C:\\skin\\a.ini"), "skin\\a.ini");
    EXPECT_EQ(ItemName("D:../../etc/x"), "etc/x");
    EXPECT_EQ(ItemName("//server/share/x.ini"), "server/share/x.ini");
    EXPECT_EQ(ItemName("skin/./a..b.ini"), "skin/./a..b.ini");
    EXPECT_EQ(ItemName("a/.."), "<refused>");
    EXPECT_EQ(ItemName(".."), "<refused>");
    EXPECT_EQ(ItemName(QByteArray("ok.ini\0../../x", 14)), "ok.ini");
    EXPECT_EQ(ItemName(QByteArray::fromHex("c6a4b7f42e696e69")), QString::fromUtf8("皮肤.ini"));
}

TEST(ZipSafety, TraversingNamesAreExtractedInsideTheDestination)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    for (const char* name : {"../evil1.ini", "..\\evil2.ini", "a/../../evil3.ini", "/evil4.ini",
                             "C:\\evil5.ini", "sub\\..\\..\\evil6.ini"})
        builder.Add({.name = name, .data = name});
    WriteAll(dir.file("t.zip"), builder.Build());
    for (bool throughTemp : {false, true}) {
        const QString out = dir.file(throughTemp ? "d1/d2/temp" : "d1/d2/direct");
        QStringList names;
        EXPECT_TRUE(UnzipAll(dir.file("t.zip"), out, &names, throughTemp));
        EXPECT_EQ(FilesUnder(out), QStringList({"evil1.ini", "evil2.ini", "evil3.ini", "evil4.ini",
                                                "evil5.ini", "evil6.ini"}));
    }
    EXPECT_EQ(
        FilesUnder(dir.file("d1")),
        QStringList({"d2", "d2/direct", "d2/direct/evil1.ini", "d2/direct/evil2.ini", "d2/direct/evil3.ini",
                     "d2/direct/evil4.ini", "d2/direct/evil5.ini", "d2/direct/evil6.ini", "d2/temp",
                     "d2/temp/evil1.ini", "d2/temp/evil2.ini", "d2/temp/evil3.ini", "d2/temp/evil4.ini",
                     "d2/temp/evil5.ini", "d2/temp/evil6.ini"}));
}

TEST(ZipSafety, DataFailingItsCrcIsReportedAndRemoved)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "good.ini", .data = "fine"});
    builder.Add({.name = "bad.bmp",
                 .data = QByteArray(40000, 'q'),
                 .crcOverride = 0xDEADBEEF,
                 .localCrcOverride = 0xDEADBEEF});
    builder.Add(
        {.name = "stored.bmp", .data = "stored", .method = 0, .crcOverride = 7, .localCrcOverride = 7});
    builder.Add({.name = "short.ini", .data = "abc", .uncompressedSizeOverride = 4});
    builder.Add({.name = "later.ini", .data = "later"});
    WriteAll(dir.file("c.zip"), builder.Build());

    ZipHandle* zip = UnzipOpen(dir.file("c.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(UnzipItemToFile(zip, 1, dir.file("bad.bmp")), ZIP_CORRUPT);
    EXPECT_EQ(UnzipItemToFile(zip, 2, dir.file("stored.bmp")), ZIP_CORRUPT);
    EXPECT_EQ(UnzipItemToFile(zip, 3, dir.file("short.ini")), ZIP_CORRUPT);
    UnzipClose(zip);
    EXPECT_FALSE(QFile::exists(dir.file("bad.bmp")));
    EXPECT_FALSE(QFile::exists(dir.file("stored.bmp")));
    EXPECT_FALSE(QFile::exists(dir.file("short.ini")));

    for (bool throughTemp : {false, true}) {
        const QString out = dir.file(throughTemp ? "temp" : "direct");
        QStringList names;
        EXPECT_FALSE(UnzipAll(dir.file("c.zip"), out, &names, throughTemp));
        EXPECT_EQ(names, QStringList({"good.ini"}));
        EXPECT_EQ(FilesUnder(out), QStringList({"good.ini"}));
    }
}

TEST(ZipSafety, StagingNeverTouchesOtherFilesInTheTemporaryFolder)
{
    ScratchDir dir;
    const QString name = "skinzip-" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ".ini";
    const QString bystander = QDir::tempPath() + "/" + name;
    ASSERT_TRUE(WriteAll(bystander, "someone else's file"));
    ArchiveBuilder builder;
    builder.Add({.name = name.toLatin1(), .data = "member"});
    WriteAll(dir.file("s.zip"), builder.Build());
    QStringList names;
    EXPECT_TRUE(UnzipAll(dir.file("s.zip"), dir.file("out"), &names, true));
    EXPECT_EQ(ReadAll(dir.file("out/" + name)), "member");
    EXPECT_EQ(ReadAll(bystander), "someone else's file");
    QFile::remove(bystander);
}

TEST(ZipSafety, ExistingDestinationFilesAreReplaced)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "conf.ini", .data = "new"});
    WriteAll(dir.file("r.zip"), builder.Build());
    QDir().mkpath(dir.file("out"));
    WriteAll(dir.file("out/conf.ini"), "old content that is longer");
    QFile(dir.file("out/conf.ini")).setPermissions(QFileDevice::ReadOwner);
    QStringList names;
    EXPECT_TRUE(UnzipAll(dir.file("r.zip"), dir.file("out"), &names, true));
    EXPECT_EQ(ReadAll(dir.file("out/conf.ini")), "new");
}

// Every truncation and many random corruptions of a real package: whatever the reader makes of
// them, it must stay inside its folder (the sanitizer builds also catch any stray access).
TEST(ZipSafety, DamagedPackagesStayContained)
{
    ScratchDir dir;
    QDir().mkpath(dir.file("src"));
    WriteAll(dir.file("src/conf.ini"), "[CONF]\r\nname=x\r\n");
    WriteAll(dir.file("src/a.bmp"), QByteArray(3000, 'a') + QByteArray(300, 'b'));
    WriteAll(dir.file("src/b.zip"), "stored bytes");
    ASSERT_TRUE(ZipPackFiles({dir.file("src/conf.ini"), dir.file("src/a.bmp"), dir.file("src/b.zip")},
                             dir.file("p.vsf")));
    const QByteArray good = ReadAll(dir.file("p.vsf"));
    QRandomGenerator random(20261207);
    QList<QByteArray> variants;
    for (qsizetype cut = 0; cut < good.size(); cut += 7)
        variants << good.left(cut);
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes = good;
        for (int flips = 1 + int(random.bounded(4)); flips > 0; --flips)
            bytes[int(random.bounded(quint32(bytes.size())))] = char(random.bounded(256));
        variants << bytes;
    }
    const QString box = dir.file("box");
    for (const QByteArray& bytes : variants) {
        QDir(box).removeRecursively();
        QDir().mkpath(box + "/in/out");
        WriteAll(box + "/in/p.vsf", bytes);
        QStringList names;
        UnzipAll(box + "/in/p.vsf", box + "/in/out", &names, true);
        const QStringList present = FilesUnder(box);
        for (const QString& path : present)
            ASSERT_TRUE(path == "in" || path == "in/p.vsf" || path.startsWith("in/out"))
                << path.toStdString();
    }
}

namespace {

// Opens bytes as an archive and unpacks them both ways; the codes UnzipOpen and UnzipAll give.
struct Refusal {
    uint32_t open = ZIP_OK;
    uint32_t unpack = ZIP_OK;
    bool unpacked = false;
    QStringList files; // what the unpacking left in its destination
};

Refusal Unpack(const QByteArray& bytes)
{
    ScratchDir dir;
    WriteAll(dir.file("a.zip"), bytes);
    Refusal refusal;
    if (ZipHandle* zip = UnzipOpen(dir.file("a.zip"), &refusal.open))
        UnzipClose(zip);
    QDir().mkpath(dir.file("out"));
    QStringList names;
    refusal.unpacked = UnzipAll(dir.file("a.zip"), dir.file("out"), &names, true, &refusal.unpack);
    refusal.files = FilesUnder(dir.file("out"));
    return refusal;
}

} // namespace

// A small archive whose directory entries all point at one record would unpack to many times
// its size; one whose record runs into the next hides data in another member's bytes.
TEST(ZipSafety, MembersSharingBytesAreRefused)
{
    ArchiveBuilder bomb;
    bomb.Add({.name = "a.bmp", .data = QByteArray(100000, '\0')});
    for (int copy = 0; copy < 4; ++copy)
        bomb.Add({.name = "a.bmp", .data = QByteArray(100000, '\0'), .sharesRecordOf = 0});
    ArchiveBuilder overrun;
    overrun.Add({.name = "a.ini", .data = "aaaa", .method = 0, .compressedSizeOverride = 40});
    overrun.Add({.name = "b.ini", .data = "bbbb", .method = 0});
    ArchiveBuilder intoDirectory;
    intoDirectory.Add({.name = "a.ini", .data = "aaaa", .method = 0, .compressedSizeOverride = 10});

    for (const ArchiveBuilder* archive : {&bomb, &overrun, &intoDirectory}) {
        const Refusal refusal = Unpack(archive->Build());
        EXPECT_EQ(refusal.open, ZIP_OVERLAP);
        EXPECT_FALSE(refusal.unpacked);
        EXPECT_EQ(refusal.unpack, ZIP_OVERLAP);
        EXPECT_TRUE(refusal.files.isEmpty());
    }
}

TEST(ZipSafety, SizeAndCountLimitsAreKept)
{
    // One member declared above the member limit: refused before a byte is written.
    ArchiveBuilder big;
    big.Add({.name = "big.bmp", .data = "x", .uncompressedSizeOverride = kMaxMemberBytes + 1});
    // Members each within the limit but together above the package limit: refused before the first.
    ArchiveBuilder many;
    const int64_t each = kMaxMemberBytes - 1;
    for (int64_t declared = 0; declared <= kMaxPackageBytes; declared += each)
        many.Add(
            {.name = QByteArray::number(declared) + ".bmp", .data = "x", .uncompressedSizeOverride = each});
    // More members than a package may have.
    ArchiveBuilder crowd;
    for (int k = 0; k <= kMaxPackageMembers; ++k)
        crowd.Add({.name = QByteArray::number(k) + ".ini", .data = "", .method = 0});

    const Refusal bigRefusal = Unpack(big.Build());
    EXPECT_EQ(bigRefusal.open, ZIP_OK);
    EXPECT_EQ(bigRefusal.unpack, ZIP_LIMIT);
    const Refusal manyRefusal = Unpack(many.Build());
    EXPECT_EQ(manyRefusal.unpack, ZIP_LIMIT);
    EXPECT_TRUE(manyRefusal.files.isEmpty());
    const Refusal crowdRefusal = Unpack(crowd.Build());
    EXPECT_EQ(crowdRefusal.open, ZIP_LIMIT);
    EXPECT_EQ(crowdRefusal.unpack, ZIP_LIMIT);
    EXPECT_TRUE(crowdRefusal.files.isEmpty());

    ScratchDir dir;
    WriteAll(dir.file("big.zip"), big.Build());
    ZipHandle* zip = UnzipOpen(dir.file("big.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(UnzipItemToFile(zip, 0, dir.file("big.bmp")), ZIP_LIMIT);
    UnzipClose(zip);
    EXPECT_FALSE(QFileInfo::exists(dir.file("big.bmp")));
}

#ifndef Q_OS_WIN
// A link already in the destination would carry a member out of it.
TEST(ZipSafety, MembersAreNeverWrittenThroughALink)
{
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "sub/conf.ini", .data = "member"});
    builder.Add({.name = "top.ini", .data = "member"});
    WriteAll(dir.file("l.zip"), builder.Build());
    QDir().mkpath(dir.file("victim"));
    WriteAll(dir.file("victim/top.ini"), "victim");
    for (bool throughTemp : {false, true}) {
        const QString out = dir.file(throughTemp ? "temp" : "direct");
        QDir().mkpath(out);
        ASSERT_TRUE(QFile::link(dir.file("victim"), out + "/sub"));
        uint32_t result = ZIP_OK;
        EXPECT_FALSE(UnzipAll(dir.file("l.zip"), out, nullptr, throughTemp, &result));
        EXPECT_EQ(result, ZIP_NOFILE);
        QFile::remove(out + "/sub");
        ASSERT_TRUE(QFile::link(dir.file("victim/top.ini"), out + "/top.ini"));
        ArchiveBuilder flat;
        flat.Add({.name = "top.ini", .data = "member"});
        WriteAll(dir.file("f.zip"), flat.Build());
        EXPECT_FALSE(UnzipAll(dir.file("f.zip"), out, nullptr, throughTemp, &result));
    }
    EXPECT_EQ(FilesUnder(dir.file("victim")), QStringList({"top.ini"}));
    EXPECT_EQ(ReadAll(dir.file("victim/top.ini")), "victim");
}
#endif

// A directory member is never a member file: a package whose "topleft.png/" and "topright.swf/"
// are folders has no decoration and no control there.
TEST(ZipSafety, DirectoryMembersAreNoPackageFiles)
{
    ScratchDir dir;
    QDir().mkpath(dir.file("tmp"));
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.file("tmp").toLocal8Bit());
    QImage strip(800, 61, QImage::Format_RGB32);
    strip.fill(Qt::darkBlue);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "BMP");
    ziptest::ArchiveBuilder archive;
    archive.Add({"TopPanelBKMid.bmp", bmp});
    archive.Add({"conf.ini", "[CONF]\r\nshowname=dirs\r\nlefttopx=1\r\n"});
    for (const QByteArray name : {"topleft.png/", "topright.swf/"})
        archive.Add({name, {}, 0, 0, 0x0B17, 0x41ED0010});
    WriteAll(dir.file("dirs.vsf"), archive.Build());

    SkinContent skin;
    const OpenResult result = OpenPackage(dir.file("dirs.vsf"), skin);
    qputenv("TMPDIR", oldTemp);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo(result.extractionFolder + "/topleft.png").isDir());
    // Neither folder is taken for a decoration or a control.
    EXPECT_TRUE(skin.items.isEmpty());
}
