// The archive layout written for skin packages, checked byte by byte.
#include "ZipTestUtil.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <algorithm>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace ziptest;
using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

uint32_t Crc(const QByteArray& data)
{
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

// Raw DEFLATE level 8 fed in 16 KiB pieces, as the writer used to stream a member from its file.
QByteArray ChunkedDeflate(const QByteArray& data)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray out;
    char buffer[16384];
    for (qsizetype at = 0;; at += 16384) {
        const qsizetype piece = std::clamp<qsizetype>(data.size() - at, 0, 16384);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData() + at));
        stream.avail_in = uInt(piece);
        const int flush = piece == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, flush);
            out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
        if (piece == 0)
            break;
    }
    deflateEnd(&stream);
    return out;
}

// One parsed local member and its central record.
struct Parsed {
    qsizetype local = 0;
    qsizetype central = 0;
    QByteArray name;
    QByteArray localExtra;
    QByteArray centralExtra;
    QByteArray data;
};

// Walks an archive that this system wrote and returns its members, checking the framing.
QList<Parsed> Parse(const QByteArray& zip)
{
    QList<Parsed> members;
    const qsizetype end = zip.size() - 22;
    EXPECT_EQ(LE32(zip, end), 0x06054B50u);
    const uint32_t count = LE16(zip, end + 10);
    qsizetype central = qsizetype(LE32(zip, end + 16));
    for (uint32_t i = 0; i < count; ++i) {
        Parsed p;
        p.central = central;
        EXPECT_EQ(LE32(zip, central), 0x02014B50u);
        const uint32_t nameLength = LE16(zip, central + 28);
        const uint32_t extraLength = LE16(zip, central + 30);
        p.name = zip.mid(central + 46, nameLength);
        p.centralExtra = zip.mid(central + 46 + nameLength, extraLength);
        p.local = qsizetype(LE32(zip, central + 42));
        const uint32_t localExtraLength = LE16(zip, p.local + 28);
        p.localExtra = zip.mid(p.local + 30 + nameLength, localExtraLength);
        p.data = zip.mid(p.local + 30 + nameLength + localExtraLength, LE32(zip, p.local + 18));
        members.append(p);
        central += 46 + nameLength + extraLength + LE16(zip, central + 32);
    }
    return members;
}

int64_t UtcSeconds(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()).toSecsSinceEpoch();
}

} // namespace

TEST(ZipWriter, EmptyArchiveIsTheEndRecordAlone)
{
    ScratchDir dir;
    ZipHandle* zip = ZipCreate(dir.file("empty.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipClose(zip), ZIP_OK);
    QByteArray expected("PK\x05\x06", 4);
    expected.append(18, '\0');
    EXPECT_EQ(ReadAll(dir.file("empty.zip")), expected);
}

TEST(ZipWriter, SkinFilesAreLaidOutExactly)
{
    ScratchDir dir;
    const QByteArray ini = "[CONF]\r\nname=test\r\n" + QByteArray(3000, 'x');
    QByteArray bmp;
    for (int i = 0; i < 70000; ++i)
        bmp.append(char((i * 7) ^ (i >> 5)));
    const QByteArray nested = "already packed";
    ASSERT_TRUE(WriteAll(dir.file("conf.ini"), ini));
    ASSERT_TRUE(WriteAll(dir.file("top.bmp"), bmp));
    ASSERT_TRUE(WriteAll(dir.file("extra.ZIP"), nested));
    // Seconds 59 are halved to 29 in the DOS time.
    const int64_t modified = UtcSeconds(2024, 3, 5, 10, 20, 59);
    const int64_t accessed = UtcSeconds(2024, 3, 6, 8, 0, 0);
    for (const char* name : {"conf.ini", "top.bmp", "extra.ZIP"})
        ASSERT_TRUE(SetUnixTimes(dir.file(name), accessed, modified));
    QFile(dir.file("top.bmp")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    ASSERT_TRUE(ZipPackFiles({dir.file("conf.ini"), dir.file("top.bmp"), dir.file("extra.ZIP")},
                             dir.file("skin.vsf")));
    const QByteArray zip = ReadAll(dir.file("skin.vsf"));
    const QList<Parsed> members = Parse(zip);
    ASSERT_EQ(members.size(), 3);
    const QByteArray sources[] = {ini, bmp, nested};
    const uint32_t attributes[] = {0x81800020u, 0x81000021u, 0x81800020u};
    qsizetype nextLocal = 0;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Parsed& m = members[i];
        const bool stored = i == 2;
        EXPECT_EQ(m.local, nextLocal);
        // Local header.
        EXPECT_EQ(LE32(zip, m.local), 0x04034B50u);
        EXPECT_EQ(LE16(zip, m.local + 4), 20u);
        EXPECT_EQ(LE16(zip, m.local + 6), stored ? 0u : 2u);
        EXPECT_EQ(LE16(zip, m.local + 8), stored ? 0u : 8u);
        EXPECT_EQ(LE16(zip, m.local + 10), (10u << 11) | (20u << 5) | 29u);
        EXPECT_EQ(LE16(zip, m.local + 12), (44u << 9) | (3u << 5) | 5u);
        EXPECT_EQ(LE32(zip, m.local + 14), Crc(sources[i]));
        EXPECT_EQ(LE32(zip, m.local + 22), uint32_t(sources[i].size()));
        EXPECT_EQ(LE16(zip, m.local + 28), 17u);
        EXPECT_EQ(m.localExtra.left(5), QByteArray("UT\x0D\x00\x07", 5));
        EXPECT_EQ(LE32(m.localExtra, 5), uint32_t(modified));
        EXPECT_EQ(LE32(m.localExtra, 9), uint32_t(accessed));
        // Central header repeats the local fields and adds its own.
        EXPECT_EQ(LE16(zip, m.central + 4), 0x0B17u);
        EXPECT_EQ(zip.mid(m.central + 6, 24), zip.mid(m.local + 4, 24));
        EXPECT_EQ(LE16(zip, m.central + 30), 9u);
        EXPECT_EQ(LE16(zip, m.central + 32), 0u);
        EXPECT_EQ(LE32(zip, m.central + 38), attributes[i]);
        EXPECT_EQ(m.centralExtra, QByteArray("UT\x05\x00\x07", 5) + m.localExtra.mid(5, 4));
        // Member data.
        if (stored) {
            EXPECT_EQ(m.data, sources[i]);
        } else {
            bool ok = false;
            EXPECT_EQ(RawInflate(m.data, &ok), sources[i]);
            EXPECT_TRUE(ok);
            // Compressed in one pass, the bytes are those of the piecewise stream.
            EXPECT_EQ(m.data, ChunkedDeflate(sources[i]));
        }
        nextLocal = m.local + 30 + m.name.size() + 17 + m.data.size();
    }
    EXPECT_EQ(members[0].name, "conf.ini");
    const qsizetype end = zip.size() - 22;
    EXPECT_EQ(LE32(zip, end + 16), uint32_t(nextLocal)); // directory starts right after the data
    EXPECT_EQ(LE32(zip, end + 12), uint32_t(end - nextLocal));
    EXPECT_EQ(LE16(zip, end + 8), 3u);
    EXPECT_EQ(LE16(zip, end + 20), 0u);
}

// ZipPackFiles packs members side by side; the archive is the one adding them one by one gives.
TEST(ZipWriter, PackingSideBySideGivesTheSequentialArchive)
{
    ScratchDir dir;
    QStringList files;
    for (int i = 0; i < 9; ++i) {
        QByteArray bytes;
        for (int k = 0; k < 20000 * (i + 1); ++k)
            bytes.append(char((k * (i + 3)) ^ (k >> 7)));
        files << dir.file(QStringLiteral("m%1.bmp").arg(i));
        ASSERT_TRUE(WriteAll(files.last(), bytes));
        // Members carry their access time; the first read after writing moves it, so read once
        // here that both archives see the same one.
        ReadAll(files.last());
    }
    ASSERT_TRUE(ZipPackFiles(files, dir.file("parallel.vsf")));
    ZipHandle* sequential = ZipCreate(dir.file("sequential.vsf"));
    for (const QString& file : files)
        ASSERT_EQ(ZipAddFile(sequential, QFileInfo(file).fileName(), file), ZIP_OK);
    ASSERT_EQ(ZipClose(sequential), ZIP_OK);
    EXPECT_EQ(ReadAll(dir.file("parallel.vsf")), ReadAll(dir.file("sequential.vsf")));
}

TEST(ZipWriter, EmptySourceIsACompleteEmptyDeflateStream)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteAll(dir.file("empty.swf"), QByteArray()));
    ASSERT_TRUE(ZipPackFiles({dir.file("empty.swf")}, dir.file("a.zip")));
    const QByteArray zip = ReadAll(dir.file("a.zip"));
    const Parsed m = Parse(zip).value(0);
    EXPECT_EQ(LE16(zip, 6), 2u);
    EXPECT_EQ(LE16(zip, 8), 8u);
    EXPECT_EQ(LE32(zip, 14), 0u);
    EXPECT_EQ(LE32(zip, 22), 0u);
    EXPECT_FALSE(m.data.isEmpty());
    bool ok = false;
    EXPECT_TRUE(RawInflate(m.data, &ok).isEmpty());
    EXPECT_TRUE(ok);
}

TEST(ZipWriter, EntryNamesUseSlashesAndGbkBytes)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteAll(dir.file("src"), "abc"));
    ZipHandle* zip = ZipCreate(dir.file("n.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAddFile(zip, "skin\\conf.ini", dir.file("src")), ZIP_OK);
    EXPECT_EQ(ZipAddFile(zip, QString::fromUtf8("皮肤.ini"), dir.file("src")), ZIP_OK);
    // A name the archive cannot hold is refused, and the archive stays usable.
    EXPECT_EQ(ZipAddFile(zip, QString(), dir.file("src")), ZIP_ARGS);
    EXPECT_EQ(ZipAddFile(zip, QString(260, 'a'), dir.file("src")), ZIP_ARGS);
    EXPECT_EQ(ZipAddFile(zip, QString(259, 'a'), dir.file("src")), ZIP_OK);
    EXPECT_EQ(ZipClose(zip), ZIP_OK);
    const QList<Parsed> members = Parse(ReadAll(dir.file("n.zip")));
    ASSERT_EQ(members.size(), 3);
    EXPECT_EQ(members[0].name, "skin/conf.ini");
    EXPECT_EQ(members[1].name, QByteArray::fromHex("c6a4b7f42e696e69"));
    EXPECT_EQ(members[2].name.size(), 259);
}

TEST(ZipWriter, StoredExtensionsFollowTheLastDotOfTheWholeName)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteAll(dir.file("src"), QByteArray(500, 'a')));
    ZipHandle* zip = ZipCreate(dir.file("m.zip"));
    const char* names[] = {"a.tgz", "b.Gz", "c.z", "pack.zip/readme", "no_extension", "x.zip.ini"};
    for (const char* name : names)
        ASSERT_EQ(ZipAddFile(zip, name, dir.file("src")), ZIP_OK);
    ZipClose(zip);
    const QByteArray bytes = ReadAll(dir.file("m.zip"));
    const QList<Parsed> members = Parse(bytes);
    const uint32_t methods[] = {0, 0, 0, 8, 8, 8};
    ASSERT_EQ(members.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(LE16(bytes, members[i].local + 8), methods[i]) << names[i];
}

TEST(ZipWriter, FailedMembersLeaveAConsistentArchive)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteAll(dir.file("a.ini"), "first"));
    ASSERT_TRUE(WriteAll(dir.file("b.ini"), "second"));
    ZipHandle* zip = ZipCreate(dir.file("f.zip"));
    EXPECT_EQ(ZipAddFile(zip, "a.ini", dir.file("a.ini")), ZIP_OK);
    EXPECT_EQ(ZipAddFile(zip, "gone.ini", dir.file("missing.ini")), ZIP_NOFILE);
    EXPECT_EQ(ZipAddFile(zip, "dir", dir.path()), ZIP_NOFILE);
    EXPECT_EQ(ZipAddFile(zip, "b.ini", dir.file("b.ini")), ZIP_OK);
    EXPECT_EQ(ZipClose(zip), ZIP_OK);
    const QList<Parsed> members = Parse(ReadAll(dir.file("f.zip")));
    ASSERT_EQ(members.size(), 2);
    EXPECT_EQ(members[1].name, "b.ini");
}

TEST(ZipWriter, PackingStopsAtAMissingSourceAndLeavesNoArchive)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteAll(dir.file("a.ini"), "a"));
    EXPECT_FALSE(ZipPackFiles({dir.file("a.ini"), dir.file("missing.bmp")}, dir.file("p.vsf")));
    EXPECT_FALSE(QFile::exists(dir.file("p.vsf")));
    EXPECT_FALSE(ZipPackFiles({dir.file("a.ini")}, dir.file("no/such/folder/p.vsf")));
}

TEST(ZipWriter, HandlesAreCheckedByKind)
{
    ScratchDir dir;
    EXPECT_EQ(ZipCreate(dir.file("missing/x.zip")), nullptr);
    EXPECT_EQ(ZipAddFile(nullptr, "a", dir.file("a")), ZIP_ARGS);
    EXPECT_EQ(ZipClose(nullptr), ZIP_ARGS);
    EXPECT_EQ(UnzipClose(nullptr), ZIP_ARGS);

    ZipHandle* writer = ZipCreate(dir.file("k.zip"));
    ASSERT_NE(writer, nullptr);
    ZipItem item;
    EXPECT_EQ(UnzipGetItem(writer, -1, &item), ZIP_WRONGHANDLE);
    EXPECT_EQ(UnzipItemToFile(writer, 0, dir.file("t")), ZIP_WRONGHANDLE);
    EXPECT_EQ(UnzipClose(writer), ZIP_WRONGHANDLE);
    EXPECT_EQ(ZipClose(writer), ZIP_OK);

    ZipHandle* reader = UnzipOpen(dir.file("k.zip"));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ZipAddFile(reader, "a", dir.file("k.zip")), ZIP_WRONGHANDLE);
    EXPECT_EQ(ZipClose(reader), ZIP_WRONGHANDLE);
    EXPECT_EQ(UnzipClose(reader), ZIP_OK);
}
