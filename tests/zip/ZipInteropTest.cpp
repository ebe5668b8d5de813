// Archives exchanged with other ZIP tools: what we write, they accept; what they write, we read.
#include "ArchiveBuilder.h"
#include "ZipTestUtil.h"
#include "support/TestSupport.h"
#include "zip/MemberDeflate.h"
#include "zip/Zip.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace ziptest;
using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

bool HaveTools(std::initializer_list<const char*> tools)
{
    for (const char* tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    }
    return true;
}

// The files of a typical skin plus the unusual ones: empty, already compressed, read-only.
QStringList MakeSkinFiles(const QString& folder)
{
    QDir().mkpath(folder);
    QByteArray strip;
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 700 * 3; ++x)
            strip.append(char((x / 3 + y) & 0xFF));
    const QList<QPair<QString, QByteArray>> files = {
        {"conf.ini", "[CONF]\r\nname=skin\r\ncolor=12345\r\n"},
        {"top_left.bmp", QByteArray("BM") + strip},
        {"thumb.png", Noise(4000, 1)},
        {"clock.swf", QByteArray("FWS") + Noise(9000, 2)},
        {"empty.swf", QByteArray()},
        {"bundle.ZIP", Noise(3000, 3)},
    };
    QStringList paths;
    for (const auto& [name, bytes] : files) {
        WriteAll(folder + "/" + name, bytes);
        paths << folder + "/" + name;
    }
    QFile(folder + "/thumb.png").setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    return paths;
}

} // namespace

TEST(ZipInterop, PeersAcceptWhatWeWrite)
{
    if (!HaveTools({"unzip", "zipinfo", "python3", "bsdtar", "7z"}))
        GTEST_SKIP() << "ZIP peers are not installed (the test command installs them)";
    ScratchDir dir;
    const QStringList sources = MakeSkinFiles(dir.file("src"));
    const QString archive = dir.file("skin.vsf");
    ASSERT_TRUE(ZipPackFiles(sources, archive));

    QByteArray out;
    EXPECT_EQ(RunTool("unzip", {"-t", archive}, &out), 0) << out.constData();
    EXPECT_TRUE(out.contains("No errors detected")) << out.constData();

    ASSERT_EQ(RunTool("zipinfo", {"-v", archive}, &out), 0) << out.constData();
    const QString info = QString::fromUtf8(out);
    EXPECT_EQ(info.count("file system or operating system of origin:      NTFS"), 6);
    EXPECT_EQ(info.count("version of encoding software:                   2.3"), 6);
    EXPECT_EQ(info.count("minimum software version required to extract:   2.0"), 6);
    EXPECT_EQ(info.count("compression sub-type (deflation):               maximum"), 5);
    EXPECT_EQ(info.count("compression method:                             none (stored)"), 1);
    EXPECT_EQ(info.count("extended local header:                          no"), 6);
    EXPECT_EQ(info.count("A subfield with ID 0x5455 (universal time) and 5 data bytes"), 6);
    EXPECT_EQ(info.count("local extra field has UTC/GMT modification/access/creation times"), 6);
    EXPECT_EQ(info.count("MS-DOS file attributes (20 hex):                arc"), 5);
    EXPECT_EQ(info.count("MS-DOS file attributes (21 hex):                rdo arc"), 1);
    EXPECT_TRUE(info.contains("There is no zipfile comment"));

    const QString check = "import sys, zipfile\n"
                          "z = zipfile.ZipFile(sys.argv[1])\n"
                          "print(z.testzip())\n"
                          "print(','.join(i.filename for i in z.infolist()))\n";
    ASSERT_EQ(RunTool("python3", {"-c", check, archive}, &out), 0) << out.constData();
    EXPECT_EQ(out, "None\nconf.ini,top_left.bmp,thumb.png,clock.swf,empty.swf,bundle.ZIP\n");

    ASSERT_EQ(RunTool("bsdtar", {"-tvf", archive}, &out), 0) << out.constData();
    for (const char* name : {"conf.ini", "top_left.bmp", "thumb.png", "clock.swf", "empty.swf", "bundle.ZIP"})
        EXPECT_TRUE(out.contains(name)) << name;

    EXPECT_EQ(RunTool("7z", {"t", archive}, &out), 0) << out.constData();

    // Info-ZIP restores the bytes and, from our timestamp field, the modification time.
    ASSERT_EQ(RunTool("unzip", {"-q", "-o", archive, "-d", dir.file("unzipped")}, &out), 0)
        << out.constData();
    for (const QString& source : sources) {
        const QString name = QFileInfo(source).fileName();
        const QString copy = dir.file("unzipped/" + name);
        EXPECT_EQ(ReadAll(copy), ReadAll(source)) << name.toStdString();
        EXPECT_EQ(QFileInfo(copy).lastModified().toSecsSinceEpoch(),
                  QFileInfo(source).lastModified().toSecsSinceEpoch())
            << name.toStdString();
    }
}

// The packages the builder writes: libdeflate's members and a member deflated in primed blocks.
TEST(ZipInterop, PeersAcceptOurInMemoryArchives)
{
    if (!HaveTools({"unzip", "python3", "bsdtar", "7z"}))
        GTEST_SKIP() << "ZIP peers are not installed (the test command installs them)";
    ScratchDir dir;
    QByteArray strip = Noise(int(kSplitMemberBytes + 12345), 4);
    for (qsizetype i = 0; i < strip.size(); ++i)
        strip[i] = char((strip[i] & 7) + (i / 3 % 6000) / 40); // smooth with grain: blocks find matches
    const QList<QPair<QString, QByteArray>> members = {{"TopPanelBKMid.bmp", strip},
                                                       {"small.bmp", Noise(6000, 5)},
                                                       {"conf.ini", "[CONF]\r\nname=skin\r\n"},
                                                       {"empty.swf", {}},
                                                       {"bundle.ZIP", Noise(300, 6)}};
    ZipArchive archive(2);
    for (const auto& [name, bytes] : members)
        ASSERT_EQ(archive.Add(name, bytes, QDateTime::currentDateTimeUtc()), ZIP_OK);
    const QString path = dir.file("skin.vsf");
    ASSERT_EQ(archive.Save(path), ZIP_OK);

    QByteArray out;
    EXPECT_EQ(RunTool("unzip", {"-t", path}, &out), 0) << out.constData();
    EXPECT_TRUE(out.contains("No errors detected")) << out.constData();
    EXPECT_EQ(RunTool("7z", {"t", path}, &out), 0) << out.constData();
    const QString check = "import sys, zipfile\n"
                          "z = zipfile.ZipFile(sys.argv[1])\n"
                          "print(z.testzip())\n";
    ASSERT_EQ(RunTool("python3", {"-c", check, path}, &out), 0) << out.constData();
    EXPECT_EQ(out, "None\n");
    ASSERT_EQ(RunTool("bsdtar", {"-xf", path, "-C", dir.path()}, &out), 0) << out.constData();
    for (const auto& [name, bytes] : members)
        EXPECT_EQ(ReadAll(dir.file(name)), bytes) << name.toStdString();
}

TEST(ZipInterop, WeReadWhatPeersWrite)
{
    if (!HaveTools({"zip", "python3", "7z"}))
        GTEST_SKIP() << "ZIP peers are not installed (the test command installs them)";
    ScratchDir dir;
    const QString src = dir.file("src");
    QDir().mkpath(src + "/sub");
    WriteAll(src + "/conf.ini", "[CONF]\r\nname=peer\r\n");
    WriteAll(src + "/noise.bin", Noise(100000, 7));
    WriteAll(src + "/text.txt", QByteArray(50000, 't') + Noise(100, 8));
    WriteAll(src + "/empty.txt", QByteArray());
    WriteAll(src + "/sub/deep.bmp", QByteArray(70000, 'd'));
    SetUnixTimes(src + "/conf.ini", 1700000000, 1600000001);
    const QStringList files = {"conf.ini", "noise.bin", "text.txt", "empty.txt", "sub/deep.bmp"};

    QByteArray out;
    ASSERT_EQ(RunTool("zip", {"-q", "-r", dir.file("infozip.zip"), "."}, &out, src), 0) << out.constData();
    ASSERT_EQ(RunTool("7z", {"a", "-tzip", dir.file("sevenzip.zip"), "."}, &out, src), 0) << out.constData();
    const QString python =
        "import io, os, sys, zipfile\n"
        "class Pipe(io.RawIOBase):\n"
        "    def __init__(self, f): self.f = f\n"
        "    def writable(self): return True\n"
        "    def write(self, b): return self.f.write(b)\n"
        "def pack(path, comment=b'', streamed=False):\n"
        "    with open(path, 'wb') as f:\n"
        "        with zipfile.ZipFile(Pipe(f) if streamed else f, 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "            for name in sys.argv[2:]:\n"
        "                z.write(name)\n"
        "            z.comment = comment\n"
        "os.chdir(sys.argv[1])\n"
        "pack('../python.zip')\n"
        "pack('../streamed.zip', streamed=True)\n"
        "pack('../comment.zip', comment=b'c' * 2000)\n";
    QStringList arguments = {"-c", python, src};
    arguments << files;
    ASSERT_EQ(RunTool("python3", arguments, &out), 0) << out.constData();
    // The streamed archive really carries data descriptors.
    const QByteArray streamed = ReadAll(dir.file("streamed.zip"));
    EXPECT_TRUE(streamed.contains(QByteArray("PK\x07\x08", 4)));
    EXPECT_EQ(ReadAll(dir.file("comment.zip")).right(2000), QByteArray(2000, 'c'));

    for (const char* archive : {"infozip.zip", "sevenzip.zip", "python.zip", "streamed.zip", "comment.zip"}) {
        SCOPED_TRACE(archive);
        const QString target = dir.file(QString("out-") + archive);
        QStringList names;
        ASSERT_TRUE(UnzipAll(dir.file(archive), target, &names, true));
        for (const QString& file : files)
            EXPECT_EQ(ReadAll(target + "/" + file), ReadAll(src + "/" + file)) << file.toStdString();
        EXPECT_TRUE(names.contains("sub/deep.bmp"));
    }
    // Info-ZIP's own timestamp field brings the modification time back to the second.
    EXPECT_EQ(QFileInfo(dir.file("out-infozip.zip/conf.ini")).lastModified().toSecsSinceEpoch(), 1600000001);
}

TEST(ZipInterop, UnixMemberWithoutOwnerWriteIsExtractedReadOnly)
{
    if (!HaveTools({"zip"}))
        GTEST_SKIP() << "Info-ZIP is not installed (the test command installs it)";
    ScratchDir dir;
    WriteAll(dir.file("locked.ini"), "locked");
    WriteAll(dir.file("open.ini"), "open");
    QFile(dir.file("locked.ini")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QByteArray out;
    ASSERT_EQ(RunTool("zip", {"-q", dir.file("ro.zip"), "locked.ini", "open.ini"}, &out, dir.path()), 0);
    ZipHandle* zip = UnzipOpen(dir.file("ro.zip"));
    ASSERT_NE(zip, nullptr);
    ZipItem item;
    ASSERT_EQ(UnzipGetItem(zip, 0, &item), ZIP_OK);
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE | ZIP_ATTR_READONLY);
    ASSERT_EQ(UnzipGetItem(zip, 1, &item), ZIP_OK);
    EXPECT_EQ(item.attributes, ZIP_ATTR_ARCHIVE);
    UnzipClose(zip);
    QStringList names;
    ASSERT_TRUE(UnzipAll(dir.file("ro.zip"), dir.file("out"), &names, true));
    EXPECT_EQ(ReadAll(dir.file("out/locked.ini")), "locked");
    EXPECT_FALSE(QFileInfo(dir.file("out/locked.ini")).permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(QFileInfo(dir.file("out/open.ini")).permissions() & QFileDevice::WriteOwner);
}

// The encrypted members the reader is tested with are what Info-ZIP makes of the empty password,
// so the reader's cipher is checked against an independent one.
TEST(ZipInterop, EmptyPasswordCipherMatchesInfoZip)
{
    if (!HaveTools({"unzip"}))
        GTEST_SKIP() << "Info-ZIP is not installed (the test command installs it)";
    ScratchDir dir;
    ArchiveBuilder builder;
    builder.Add({.name = "secret.ini", .data = QByteArray(3000, 's') + Noise(500, 9), .encrypt = true});
    builder.Add({.name = "stored.bin", .data = Noise(700, 10), .method = 0, .encrypt = true});
    WriteAll(dir.file("e.zip"), builder.Build());
    QByteArray out;
    EXPECT_EQ(RunTool("unzip", {"-P", "", "-t", dir.file("e.zip")}, &out), 0) << out.constData();
    QStringList names;
    ASSERT_TRUE(UnzipAll(dir.file("e.zip"), dir.file("out"), &names, true));
    EXPECT_EQ(ReadAll(dir.file("out/secret.ini")), QByteArray(3000, 's') + Noise(500, 9));
    EXPECT_EQ(ReadAll(dir.file("out/stored.bin")), Noise(700, 10));
}
