#include "skin/ProfileFile.h"
#include "skin/GbkText.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

TEST(ProfileFile, WritesAppendKeysToTheirSectionAndSectionsToTheEnd)
{
    ProfileFile profile;
    profile.WriteBytes("CONF", "name", "a");
    profile.WriteBytes("CONF", "hue", "10");
    profile.WriteBytes("KEY", "swflefttop", "1,2,3,4");
    profile.WriteBytes("CONF", "showname", "b");
    EXPECT_EQ(profile.Bytes(), QByteArray("[CONF]\r\nname=a\r\nhue=10\r\nshowname=b\r\n"
                                          "[KEY]\r\nswflefttop=1,2,3,4\r\n"));
}

TEST(ProfileFile, UpdatesAnExistingKeyInPlaceAndKeepsEveryOtherLine)
{
    ProfileFile profile;
    profile.SetBytes("; kept\n[conf]\nHue = 5\n\nother=x\n\n[KEY]\nk=v");
    profile.WriteBytes("CONF", "hue", "7");
    profile.WriteBytes("CONF", "new", "n");
    EXPECT_EQ(profile.Bytes(),
              QByteArray("; kept\r\n[conf]\r\nhue=7\r\n\r\nother=x\r\nnew=n\r\n\r\n[KEY]\r\nk=v\r\n"));
}

TEST(ProfileFile, ReadsMatchNamesWithoutCaseAndTrimBlanks)
{
    ProfileFile profile;
    profile.SetBytes("[Conf]\r\n  Tile =  1 \r\nempty=\r\n[KEY]\r\ntile=9\r\n");
    EXPECT_EQ(profile.ReadBytes("CONF", "tile", 256), "1");
    EXPECT_EQ(profile.ReadInt("KEY", "TILE", 5), 9);
    EXPECT_EQ(profile.ReadBytes("CONF", "empty", 256), "");
    // Missing sections and keys read as empty, hence as 0.
    EXPECT_EQ(profile.ReadBytes("CONF", "missing", 256), "");
    EXPECT_EQ(profile.ReadInt("NONE", "tile", 5), 0);
}

TEST(ProfileFile, OnePairOfQuotesAroundAValueIsDropped)
{
    ProfileFile profile;
    profile.SetBytes("[CONF]\r\na= \"x y\" \r\nb='7'\r\nc=\"\"q\"\"\r\nd=\"open\r\ne=\"mixed'\r\nf=\"\r\n"
                     "g=\"\"\r\nh=\"12345\"\r\n");
    EXPECT_EQ(profile.ReadBytes("CONF", "a", 256), "x y");
    EXPECT_EQ(profile.ReadInt("CONF", "b", 5), 7);
    EXPECT_EQ(profile.ReadBytes("CONF", "c", 256), "\"q\"");
    // Unmatched quotes stay.
    EXPECT_EQ(profile.ReadBytes("CONF", "d", 256), "\"open");
    EXPECT_EQ(profile.ReadBytes("CONF", "e", 256), "\"mixed'");
    EXPECT_EQ(profile.ReadBytes("CONF", "f", 256), "\"");
    EXPECT_EQ(profile.ReadBytes("CONF", "g", 256), "");
    // The buffer holds the value without its quotes.
    EXPECT_EQ(profile.ReadInt("CONF", "h", kProfileShortBuffer), 1234);
}

TEST(ProfileFile, ReadsAreCutToTheirBuffers)
{
    ProfileFile profile;
    profile.SetBytes("[CONF]\r\nhue=12345\r\nnum=1234567890123\r\n");
    EXPECT_EQ(profile.ReadInt("CONF", "hue", kProfileShortBuffer), 1234);
    EXPECT_EQ(profile.ReadInt("CONF", "num", kProfileCountBuffer), 123456789);
    EXPECT_EQ(profile.ReadBytes("CONF", "hue", 1), "");
}

TEST(ProfileFile, CutsNeverSplitATwoByteCharacter)
{
    QByteArray name;
    ASSERT_TRUE(EncodeGbk(QString::fromUtf8("皮肤"), name));
    ProfileFile profile;
    profile.SetBytes("[CONF]\r\nshowname=a" + name + "\r\n");
    // "a" plus the first character fills 3 bytes; the fourth byte would split the second one.
    EXPECT_EQ(profile.ReadString("CONF", "showname", 5), QString::fromUtf8("a皮"));
    EXPECT_EQ(profile.ReadString("CONF", "showname", 4), QString::fromUtf8("a皮"));
    EXPECT_EQ(profile.ReadString("CONF", "showname", 3), "a");
}

TEST(ProfileFile, StoresTextAsGbkAndRefusesWhatGbkCannotHold)
{
    ProfileFile profile;
    EXPECT_TRUE(profile.WriteString("CONF", "showname", QString::fromUtf8("我的皮肤")));
    EXPECT_EQ(profile.Bytes(), QByteArray("[CONF]\r\nshowname=\xce\xd2\xb5\xc4\xc6\xa4\xb7\xf4\r\n"));
    EXPECT_EQ(profile.ReadString("CONF", "showname", kProfileTextBuffer), QString::fromUtf8("我的皮肤"));

    EXPECT_FALSE(profile.WriteString("CONF", "showname", QString::fromUtf8("emoji 😀")));
    EXPECT_FALSE(profile.WriteString("CONF", "showname", "two\r\nlines"));
    EXPECT_EQ(profile.ReadString("CONF", "showname", kProfileTextBuffer), QString::fromUtf8("我的皮肤"));
}

TEST(ProfileFile, LoadsAndSavesFiles)
{
    ScratchDir scratch;
    ProfileFile profile;
    EXPECT_TRUE(profile.Load(scratch.file("missing.ini")));
    EXPECT_EQ(profile.Bytes(), QByteArray());

    ASSERT_TRUE(WriteAll(scratch.file("conf.ini"), "[CONF]\nid=3\n"));
    ASSERT_TRUE(profile.Load(scratch.file("conf.ini")));
    profile.WriteBytes("CONF", "id", "0");
    ASSERT_TRUE(profile.Save(scratch.file("conf.ini")));
    EXPECT_EQ(ReadAll(scratch.file("conf.ini")), QByteArray("[CONF]\r\nid=0\r\n"));
    EXPECT_FALSE(profile.Save(scratch.file("no/such/folder/conf.ini")));
}

TEST(ProfileValues, DecimalConversion)
{
    EXPECT_EQ(ProfileToInt("42"), 42);
    EXPECT_EQ(ProfileToInt("  -17"), -17);
    EXPECT_EQ(ProfileToInt("+8"), 8);
    EXPECT_EQ(ProfileToInt("12ab3"), 12);
    EXPECT_EQ(ProfileToInt("abc"), 0);
    EXPECT_EQ(ProfileToInt("-"), 0);
    EXPECT_EQ(ProfileToInt(""), 0);
    EXPECT_EQ(ProfileToInt("- 5"), 0);
    EXPECT_EQ(ProfileToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ProfileToInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ProfileToInt("-2147483648"), INT_MIN);
}

TEST(ProfileValues, CommaSplittingKeepsMaximalRuns)
{
    EXPECT_EQ(SplitProfileValue("10,,20,30,40"), (QList<int>{10, 20, 30, 40}));
    EXPECT_EQ(SplitProfileValue(",1,2,3,4,5,"), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(SplitProfileValue("-3, 7,x,9"), (QList<int>{-3, 7, 0, 9}));
    EXPECT_TRUE(SplitProfileValue("").isEmpty());
    EXPECT_TRUE(SplitProfileValue(",,,").isEmpty());
}
