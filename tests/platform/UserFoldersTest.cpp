#include "platform/UserFolders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using skintest::ScratchDir;

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

TEST(UserFolders, AnOldFolderIsTakenOverOnceAndNeverOverAnExistingOne)
{
    ScratchDir dir;
    const QString old = dir.file("old/程序/cache");
    ASSERT_TRUE(QDir().mkpath(old + "/VDSkinFlash"));
    Touch(old + "/VDSkinFlash/clock-0123456789abcdef.swf");
    const QString current = dir.file("new/skinmaker");

    EXPECT_TRUE(AdoptOldFolder(old, current));
    EXPECT_TRUE(QFileInfo::exists(current + "/VDSkinFlash/clock-0123456789abcdef.swf"));
    EXPECT_FALSE(QFileInfo::exists(old));

    // Once the new folder exists, an old one (made again by an older version) stays where it is.
    ASSERT_TRUE(QDir().mkpath(old));
    Touch(old + "/other");
    EXPECT_TRUE(AdoptOldFolder(old, current));
    EXPECT_TRUE(QFileInfo::exists(old + "/other"));
    EXPECT_FALSE(QFileInfo::exists(current + "/other"));

    // Nothing to take over: nothing made.
    EXPECT_FALSE(AdoptOldFolder(dir.file("missing"), dir.file("fresh/skinmaker")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("fresh")));
}

TEST(UserFolders, ALinkIsNeitherFollowedNorMoved)
{
    ScratchDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.file("elsewhere")));
    ASSERT_TRUE(QFile::link(dir.file("elsewhere"), dir.file("old")));
    EXPECT_FALSE(AdoptOldFolder(dir.file("old"), dir.file("new")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("new")));

    ASSERT_TRUE(QDir().mkpath(dir.file("old2")));
    ASSERT_TRUE(QFile::link(dir.file("elsewhere"), dir.file("new2")));
    EXPECT_FALSE(AdoptOldFolder(dir.file("old2"), dir.file("new2")));
    EXPECT_TRUE(QFileInfo::exists(dir.file("old2")));
}

} // namespace
