// The in-memory archive: the same bytes for any number of workers, what it reads back, and a
// save that fails halfway.
#include "zip/ZipArchive.h"
#include "ZipTestUtil.h"
#include "support/TestSupport.h"
#include "zip/MemberDeflate.h"
#include "zip/Zip.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTimeZone>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

using namespace ziptest;
using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

const QDateTime kTime(QDate(2024, 3, 5), QTime(10, 20, 58), QTimeZone::utc());

struct Member {
    QString name;
    QByteArray bytes;
};

QList<Member> SampleMembers()
{
    return {{"TopPanelBKMid.bmp", PhotoRows(kSplitMemberBytes + kSplitBlockBytes / 2 + 7)},
            {"small.bmp", PhotoRows(6700)},
            {"conf.ini", "[CONF]\r\nname=x\r\n"},
            {"empty.swf", {}},
            {"bundle.zip", "stored as it is"}};
}

QByteArray Archive(int workers)
{
    ZipArchive archive(workers);
    for (const Member& member : SampleMembers())
        EXPECT_EQ(archive.Add(member.name, member.bytes, kTime), ZIP_OK);
    QByteArray bytes;
    EXPECT_EQ(archive.Finish(&bytes), ZIP_OK);
    return bytes;
}

} // namespace

TEST(ZipArchive, SameBytesForAnyNumberOfWorkersAndEveryMemberReadsBack)
{
    const QByteArray one = Archive(1);
    EXPECT_EQ(Archive(2), one);
    EXPECT_EQ(Archive(3), one);
    EXPECT_EQ(Archive(2), one);

    const std::unique_ptr<ZipArchive> read = ZipArchive::Open(one);
    ASSERT_NE(read, nullptr);
    const QList<Member> members = SampleMembers();
    ASSERT_EQ(read->Entries().size(), members.size());
    for (int i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read->Entries()[i].name, members[i].name);
        EXPECT_EQ(read->Read(members[i].name), members[i].bytes);
    }
    EXPECT_EQ(read->Read(QStringLiteral("SMALL.BMP")), std::nullopt);
    // The general-purpose flag says the level: normal (libdeflate's 6), for split members too.
    const qsizetype second = 30 + 17 + 17 + LE32(one, 18);
    EXPECT_EQ(LE16(one, 6), 0u);
    EXPECT_EQ(LE16(one, second + 6), 0u);
    EXPECT_EQ(LE16(one, second + 8), 8u);
}

// Blocks deflated apart and joined are one stream, wherever in its last byte a block ends.
TEST(ZipArchive, JoinedBlocksInflateToTheMember)
{
    for (int seed = 0; seed < 4; ++seed) {
        SCOPED_TRACE(seed);
        QByteArray content = PhotoRows(kSplitMemberBytes + seed * 997);
        for (qsizetype i = seed; i < content.size(); i += 4099 + seed)
            content[i] = char(i * (seed + 1)); // moves where the blocks end
        QByteArray joined;
        for (int piece = 0; piece < DeflatePieceCount(content.size()); ++piece) {
            QByteArray part;
            ASSERT_TRUE(DeflatePiece(content, piece, &part));
            joined += part;
        }
        bool ok = false;
        EXPECT_EQ(RawInflate(joined, &ok), content);
        EXPECT_TRUE(ok);
        if (seed == 0) {
            // The blocks lose little against zlib's level 8 of the whole.
            uLongf size = compressBound(uLong(content.size()));
            QByteArray zlib(qsizetype(size), '\0');
            ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(zlib.data()), &size,
                                reinterpret_cast<const Bytef*>(content.constData()), uLong(content.size()),
                                8),
                      Z_OK);
            EXPECT_LE(double(joined.size()), 1.01 * double(size - 6));
        }
    }
}

// A member written in place, from its end backwards as a bottom-up bitmap is, gives the archive
// that adding its bytes whole gives; one left half written is refused.
TEST(ZipArchive, MemberWrittenInPlaceIsTheMemberAdded)
{
    const QByteArray content = PhotoRows(2 * kSplitBlockBytes + 18007);
    for (int workers : {1, 2}) {
        ZipArchive whole(workers), inPlace(workers);
        ASSERT_EQ(whole.Add("strip.bmp", content, kTime), ZIP_OK);
        char* data = nullptr;
        ASSERT_EQ(inPlace.AddInPlace("strip.bmp", QByteArray(content.size(), '\0'), kTime, &data), ZIP_OK);
        for (qsizetype end = content.size(); end > 0; end -= 18000) {
            const qsizetype begin = std::max<qsizetype>(0, end - 18000);
            std::memcpy(data + begin, content.constData() + begin, size_t(end - begin));
            inPlace.Written(begin, end);
        }
        ASSERT_EQ(inPlace.Add("conf.ini", "[CONF]", kTime), ZIP_OK);
        ASSERT_EQ(whole.Add("conf.ini", "[CONF]", kTime), ZIP_OK);
        QByteArray expected, made;
        ASSERT_EQ(whole.Finish(&expected), ZIP_OK);
        ASSERT_EQ(inPlace.Finish(&made), ZIP_OK);
        EXPECT_TRUE(made == expected) << workers << " workers";
    }
    ZipArchive unfinished(2);
    char* data = nullptr;
    ASSERT_EQ(unfinished.AddInPlace("strip.bmp", content, kTime, &data), ZIP_OK);
    unfinished.Written(0, content.size() / 2);
    QByteArray bytes;
    EXPECT_EQ(unfinished.Finish(&bytes), ZIP_ARGS);
}

TEST(ZipArchive, RefusesWhatItCannotHold)
{
    ZipArchive archive(1);
    EXPECT_EQ(archive.Add(QString(), "x", kTime), ZIP_ARGS);
    EXPECT_EQ(archive.Add(QString(300, 'n'), "x", kTime), ZIP_ARGS);
    EXPECT_EQ(archive.Add("a.ini", "a", kTime), ZIP_OK);
    QByteArray bytes;
    EXPECT_EQ(archive.Finish(&bytes), ZIP_OK);
    EXPECT_EQ(archive.Add("b.ini", "b", kTime), ZIP_ENDED);
    EXPECT_EQ(ZipArchive::Open(QByteArray("PK\x03\x04 nothing")), nullptr);
}

// A write that fails halfway (here the file size limit) leaves the old file as it was and no
// temporary file beside it.
TEST(ZipArchive, FailedSaveLeavesTheOldFileAndNothingElse)
{
    ScratchDir dir;
    const QString target = dir.file("skin.vsf");
    ASSERT_TRUE(WriteAll(target, "the older package"));
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ZipArchive archive(2);
    archive.Add("noise.bin", PhotoRows(2 << 20), kTime);
    const uint32_t saved = archive.Save(target);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(saved, ZIP_WRITE);
    EXPECT_EQ(ReadAll(target), "the older package");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"skin.vsf"});

    ZipArchive nowhere(1);
    nowhere.Add("a.ini", "a", kTime);
    EXPECT_EQ(nowhere.Save(dir.file("no/such/folder/x.vsf")), ZIP_NOFILE);
}
