// Saving and opening on a machine shared with other users: links and folders planted by
// someone else in the temporary folder never make the program read, delete or write the files
// they lead to.
#include "PackageFixture.h"

#include "imaging/CSkinImage.h"
#include "skin/ProfileFile.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <sys/stat.h>
#include <unistd.h>

using skintest::ReadAll;
using skintest::WriteAll;

namespace {

using Snapshot = QMap<QString, QByteArray>;

Snapshot Contents(const QString& folder)
{
    Snapshot files;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        files.insert(file.fileName(), ReadAll(file.filePath()));
    return files;
}

constexpr char kLinkWords[] = "符号链接";
constexpr char kOwnerWords[] = "其他用户";
constexpr uid_t kNobody = 65534;

} // namespace

class SharedMachineTest : public PackageTest {
protected:
    void SetUp() override
    {
        PackageTest::SetUp();
        // A folder of the user's that a planted link may point to.
        m_victim = Output("victim");
        ASSERT_TRUE(QDir().mkpath(m_victim));
        ASSERT_TRUE(WriteAll(m_victim + "/conf.ini", "[CONF]\r\ninjected=1\r\n"));
        ASSERT_TRUE(WriteAll(m_victim + "/photo.jpg", "the user's photo"));
        m_before = Contents(m_victim);

        ASSERT_TRUE(m_picture->LoadFromFile(MakePicture("picture.bmp", 700, 61)));
        m_skin = SkinContent();
        m_skin.picture = m_picture;
        m_skin.crop = {0, 0, 700, 61};
        m_skin.skinName = "skin";
    }

    // A link at path to the victim folder, with every folder above it made.
    void Plant(const QString& path)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(QFile::link(m_victim, path)) << path.toStdString();
    }
    QString Package()
    {
        const QString package = Output("same.vsf");
        if (!QFileInfo::exists(package)) {
            EXPECT_TRUE(BuildPackage(m_skin, package).ok);
        }
        return package;
    }

    QString m_victim;
    Snapshot m_before;
    SharedPicture m_picture = std::make_shared<CSkinImage>();
    SkinContent m_skin;
};

TEST_F(SharedMachineTest, OpeningNeverEmptiesOrFillsAFolderALinkLeadsTo)
{
    const QString package = Package();
    // The extraction folder's old place in the shared temporary folder is no longer used at all.
    Plant(TempFolder() + "/VadiTempSkinPack/same.vsf");
    SkinContent project;
    const OpenResult opened = OpenPackage(package, project);
    EXPECT_TRUE(opened.ok) << opened.error.toStdString();
    EXPECT_TRUE(opened.extractionFolder.startsWith(WorkingBase() + '/'));
    EXPECT_EQ(Contents(m_victim), m_before);

    // Links at the extraction folder, its root and the private base itself are refused.
    for (const QString& place : {ExtractionFolder(package), ExtractionRoot(), WorkingBase()}) {
        QDir(WorkingBase()).removeRecursively();
        QFile::remove(WorkingBase());
        Plant(place);
        const OpenResult refused = OpenPackage(package, project);
        EXPECT_FALSE(refused.ok) << place.toStdString();
        EXPECT_TRUE(refused.error.contains(kLinkWords)) << refused.error.toStdString();
        EXPECT_EQ(Contents(m_victim), m_before);
        QFile::remove(place);
    }
}

TEST_F(SharedMachineTest, SavingNeverReadsOrDeletesThroughALink)
{
    // The build folder's old place: a planted conf.ini there is neither read nor deleted.
    Plant(TempFolder() + "/VadiSkinMaker");
    const QString package = Output("out.vsf");
    const BuildResult built = BuildPackage(m_skin, package);
    ASSERT_TRUE(built.ok) << built.error.toStdString();
    skintest::ScratchDir unpacked;
    ASSERT_TRUE(UnzipAll(package, unpacked.path(), nullptr, false));
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(unpacked.file("conf.ini")));
    EXPECT_TRUE(conf.ReadBytes("CONF", "injected", 256).isEmpty());
    EXPECT_EQ(Contents(m_victim), m_before);

    for (const QString& place : {BuildFolder(), WorkingBase()}) {
        QDir(WorkingBase()).removeRecursively();
        QFile::remove(WorkingBase());
        Plant(place);
        const BuildResult refused = BuildPackage(m_skin, Output("refused.vsf"));
        EXPECT_FALSE(refused.ok) << place.toStdString();
        EXPECT_TRUE(refused.error.contains(kLinkWords)) << refused.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Output("refused.vsf")));
        EXPECT_EQ(Contents(m_victim), m_before);
        QFile::remove(place);
    }
}

TEST_F(SharedMachineTest, FoldersOfAnotherUserAreNotUsed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    const QString package = Package();
    ASSERT_EQ(::chown(QFile::encodeName(WorkingBase()).constData(), kNobody, kNobody), 0);
    const BuildResult built = BuildPackage(m_skin, Output("out.vsf"));
    EXPECT_FALSE(built.ok);
    EXPECT_TRUE(built.error.contains(kOwnerWords)) << built.error.toStdString();
    SkinContent project;
    EXPECT_TRUE(OpenPackage(package, project).error.contains(kOwnerWords));

    // The same for the helpers on any folder: nothing in it is deleted, nothing made below it.
    ASSERT_EQ(::chown(QFile::encodeName(m_victim).constData(), kNobody, kNobody), 0);
    EXPECT_TRUE(EmptyFolder(m_victim, QString()).error.contains(kOwnerWords));
    EXPECT_TRUE(MakeFolders(m_victim).error.contains(kOwnerWords));
    EXPECT_TRUE(MakeFolders(m_victim + "/sub/folder").error.contains(kOwnerWords));
    EXPECT_EQ(Contents(m_victim), m_before);
    EXPECT_FALSE(QFileInfo::exists(m_victim + "/sub"));
}

TEST_F(SharedMachineTest, ThePrivateFolderIsClosedToEverybodyElse)
{
    ASSERT_TRUE(QDir().mkpath(WorkingBase()));
    ASSERT_TRUE(QFile::setPermissions(WorkingBase(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                         QFileDevice::ExeOther | QFileDevice::WriteGroup));
    ASSERT_TRUE(PrepareWorkingBase().ok);
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(WorkingBase()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(status.st_uid, geteuid());
}
