// The text a gallery page sends, the plain-name rule for flash ids and the cache folder choice.
#include "flash/core/FlashRequest.h"
#include "flash/core/FlashCache.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

TEST(FlashRequest, LinesInAnyOrderWithCrLfOrLf)
{
    for (const char* text : {"method=download\r\nflashid=clock01\r\nname=时钟\r\nurl=http://h/c.swf\r\n",
                             "flashid=clock01\nname=时钟\n\n\nurl=http://h/c.swf\nmethod=download",
                             "\r\rname=时钟\rurl=http://h/c.swf\rflashid=clock01\rmethod=download\r\r"}) {
        const FlashRequest request = ParseFlashRequest(QString::fromUtf8(text));
        EXPECT_TRUE(request.IsDownload()) << text;
        EXPECT_EQ(request.flashId, "clock01") << text;
        EXPECT_EQ(request.name, QStringLiteral("时钟")) << text;
        EXPECT_EQ(request.url, "http://h/c.swf") << text;
    }
}

TEST(FlashRequest, KeysValuesAndTheMethod)
{
    // The key ends at the first "="; a later key replaces an earlier one; unknown and bare lines
    // are skipped; width and height are kept as given.
    FlashRequest request =
        ParseFlashRequest("method=download\nurl=http://a/"
                          "?x=1&y=2\nflashid=one\nflashid=two\nnoequals\nMETHOD=x\nwidth=80\nheight=6=0");
    EXPECT_TRUE(request.IsDownload());
    EXPECT_EQ(request.url, "http://a/?x=1&y=2");
    EXPECT_EQ(request.flashId, "two");
    EXPECT_EQ(request.width, "80");
    EXPECT_EQ(request.height, "6=0");

    // Another method first stops reading: nothing after it counts.
    request = ParseFlashRequest("method=upload\nmethod=download\nflashid=clock01");
    EXPECT_FALSE(request.IsDownload());
    EXPECT_TRUE(request.flashId.isEmpty());
    // The method is compared exactly, and a later other method stops reading too.
    EXPECT_FALSE(ParseFlashRequest("method=Download").IsDownload());
    EXPECT_FALSE(ParseFlashRequest("method=download \nflashid=a").IsDownload());
    request = ParseFlashRequest("flashid=a\nmethod=download\nmethod=other\nflashid=b");
    EXPECT_FALSE(request.IsDownload());
    EXPECT_EQ(request.flashId, "a");
    EXPECT_FALSE(ParseFlashRequest("").IsDownload());
}

TEST(FlashRequest, OnlyPlainNamesAreFlashIds)
{
    for (const char* id : {"clock01", "a", "Weather_2-b.v1", "x..y"})
        EXPECT_TRUE(IsPlainFlashId(QString::fromUtf8(id))) << id;
    for (const char* id : {"", ".", "..", ".hidden", "../clock", "a/b", "a\\b", "/etc/x", "c:x", "a b",
                           "时钟", "a\nb", "a%2fb", "a*"})
        EXPECT_FALSE(IsPlainFlashId(QString::fromUtf8(id))) << id;
    EXPECT_TRUE(IsPlainFlashId(QString(64, 'a')));
    EXPECT_FALSE(IsPlainFlashId(QString(65, 'a')));
}

TEST(FlashCache, ProgramFolderFirstThenTheUsersCache)
{
    skintest::ScratchDir scratch;
    const QString program = scratch.file("program/bin");
    const QString cache = scratch.file("home/.cache/skinmaker");
    EXPECT_EQ(ChooseFlashCacheFolder(program, cache), program + "/VDSkinFlash/");
    EXPECT_TRUE(QFileInfo(program + "/VDSkinFlash").isDir());

    // A program folder in which the cache cannot be made: the user's cache folder, made with its parents.
    const QString blocked = scratch.file("blocked");
    ASSERT_TRUE(skintest::WriteAll(blocked, "a file, not a folder"));
    EXPECT_EQ(ChooseFlashCacheFolder(blocked, cache), cache + "/VDSkinFlash/");
    EXPECT_TRUE(QFileInfo(cache + "/VDSkinFlash").isDir());
    EXPECT_EQ(ChooseFlashCacheFolder(blocked, blocked + "/x"), QString());
}

TEST(FlashCache, LivesUnderXdgCacheHomeNeverBesideTheProgram)
{
    skintest::ScratchDir scratch;
    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(scratch.path()));
    EXPECT_EQ(FlashCacheFolder(), scratch.path() + "/skinmaker/VDSkinFlash/");
    EXPECT_TRUE(QFileInfo(scratch.path() + "/skinmaker/VDSkinFlash").isDir());
    // A relative value is no cache folder: the home folder's .cache is.
    qputenv("XDG_CACHE_HOME", "relative/cache");
    EXPECT_EQ(UserCacheFolder(), QDir::homePath() + "/.cache/skinmaker");
    qputenv("XDG_CACHE_HOME", saved);
}

TEST(FlashCache, WholeControlsOfTheOldCacheBesideTheProgramAreCopiedOver)
{
    skintest::ScratchDir scratch;
    const QString legacy = scratch.file("bin/VDSkinFlash");
    const QString cache = scratch.file("cache/VDSkinFlash");
    ASSERT_TRUE(QDir().mkpath(legacy) && QDir().mkpath(cache));
    const QByteArray movie = skintest::SwfMovie(40, 30);
    ASSERT_TRUE(skintest::WriteAll(legacy + "/whole-1.swf", movie));
    ASSERT_TRUE(skintest::WriteAll(legacy + "/cut-1.swf", movie.left(movie.size() - 1)));

    EXPECT_TRUE(AdoptLegacyCachedControl(legacy, cache, "whole-1.swf"));
    EXPECT_EQ(skintest::ReadAll(cache + "/whole-1.swf"), movie);
    EXPECT_TRUE(QFileInfo::exists(legacy + "/whole-1.swf")); // read, never changed
    EXPECT_FALSE(AdoptLegacyCachedControl(legacy, cache, "cut-1.swf"));
    EXPECT_FALSE(AdoptLegacyCachedControl(legacy, cache, "missing-1.swf"));
    EXPECT_EQ(QDir(cache).entryList(QDir::Files | QDir::Hidden), QStringList{"whole-1.swf"});
}

TEST(FlashCache, FileNameKeepsTheIdAndTellsAddressesApart)
{
    const QString a = FlashCacheFileName("clock01", "http://a.example/c/clock01.swf");
    EXPECT_TRUE(a.startsWith("clock01-") && a.endsWith(".swf")) << a.toStdString();
    EXPECT_EQ(a, FlashCacheFileName("clock01", "http://a.example/c/clock01.swf"));
    EXPECT_NE(a, FlashCacheFileName("clock01", "http://b.example/c/clock01.swf"));
    EXPECT_TRUE(IsPlainFlashId(a));
}

TEST(FlashRequest, RedirectsOnlyToTheSameHostOrItsHttps)
{
    const QUrl from("http://Skins.example:8080/c/clock.swf");
    for (const char* to : {"http://skins.example:8080/other.swf", "https://skins.example/c.swf",
                           "https://skins.example:8080/c.swf"})
        EXPECT_TRUE(IsAllowedRedirect(from, QUrl(to))) << to;
    for (const char* to :
         {"http://skins.example/c.swf", "http://127.0.0.1:8080/c.swf", "http://evil.example:8080/",
          "ftp://skins.example:8080/c.swf", "file:///etc/passwd", "https://skins.example:9/c.swf", ""})
        EXPECT_FALSE(IsAllowedRedirect(from, QUrl(to))) << to;
    EXPECT_FALSE(IsAllowedRedirect(QUrl("https://skins.example/c.swf"), QUrl("http://skins.example/c.swf")));
    EXPECT_TRUE(
        IsAllowedRedirect(QUrl("https://skins.example/c.swf"), QUrl("https://skins.example:443/d.swf")));
}
