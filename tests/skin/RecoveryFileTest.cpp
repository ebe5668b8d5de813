#include "skin/RecoveryFile.h"

#include "PackageFixture.h"
#include "skin/HeaderCrop.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

SharedPicture Decoded(const QString& path)
{
    auto picture = std::make_shared<CSkinImage>();
    EXPECT_TRUE(picture->LoadFromFile(path)) << path.toStdString();
    return picture;
}

// What a package built from skin holds, member by member.
QList<std::pair<QString, QByteArray>> PackageMembers(const SkinContent& skin, const QString& path)
{
    const BuildResult built = BuildPackage(skin, path);
    EXPECT_TRUE(built.ok) << built.error.toStdString();
    QList<UnzippedMember> members;
    EXPECT_TRUE(UnzipFileToMemory(path, &members));
    QList<std::pair<QString, QByteArray>> named;
    for (const UnzippedMember& member : members)
        named.append({member.name, member.bytes});
    return named;
}

} // namespace

class RecoveryFileTest : public PackageTest {
protected:
    // A skin with every part a skin can have: the user's own picture and control, and an opened
    // package's decoration and thumbnail and a downloaded control, which live in temporary folders.
    SkinContent MakeSkin()
    {
        SkinContent skin;
        skin.picturePath = MakePicture("photo.bmp", 1400, 1050);
        skin.picture = Decoded(skin.picturePath);
        skin.crop = {100, 200, 800, 261};
        skin.stretchRegion = ConstrainStretchRegion({300, 200, 320, 261}, skin.crop);
        skin.stretchMode = StretchMode::Tile;
        const SkinColorNumbers read{141, 64, 50};
        skin.mainColour = ColorOfNumbers(read);
        skin.colourAsRead = ColourAsRead{read, skin.mainColour};
        skin.whiteTabText = true;
        const QString decoration = m_temporary.file("decoration.png");
        const QString gallery = m_temporary.file("gallery.swf");
        EXPECT_TRUE(skintest::WriteAll(decoration, skintest::PngPicture(30, 20)));
        EXPECT_TRUE(skintest::WriteAll(gallery, skintest::SwfMovie(60, 30)));
        skin.items = {
            {CornerItemKind::Control, Corner::RightTop, {5, 6}, {60, 30}, gallery, "Gallery clock", true},
            {CornerItemKind::Decoration, Corner::LeftTop, {1, 2}, {30, 20}, decoration, {}, false},
            {CornerItemKind::Control,
             Corner::RightTop,
             {3, 4},
             {80, 40},
             MakeFile("clock.swf", skintest::SwfMovie(80, 40)),
             {},
             false},
        };
        skin.thumbnailPath = m_temporary.file("thumb.bmp");
        QImage thumbnail(120, 90, QImage::Format_RGB32);
        thumbnail.fill(qRgb(1, 2, 3));
        EXPECT_TRUE(thumbnail.save(skin.thumbnailPath, "BMP"));
        skin.thumbnailPicture = Decoded(skin.thumbnailPath);
        skin.skinName = QStringLiteral("我的皮肤");
        return skin;
    }
    QString Folder() const { return m_recovery.file("state"); }
    void Write(const SkinContent& skin, int step = 0)
    {
        QString error;
        ASSERT_TRUE(WriteRecovery({skin, step}, Folder(), {m_temporary.path()}, &error))
            << error.toStdString();
    }

    skintest::ScratchDir m_temporary;
    skintest::ScratchDir m_recovery;
};

// Read back after the temporary folders have gone (a restart), the state is the one written and
// saves the same package.
TEST_F(RecoveryFileTest, AStateReadBackIsTheOneWritten)
{
    const SkinContent skin = MakeSkin();
    const auto package = PackageMembers(skin, Output("skin.vsf"));
    Write(skin, 4);
    // Only the user may enter it.
    EXPECT_EQ(QFileInfo(Folder()).permissions() & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(QDir(m_temporary.path()).removeRecursively());

    const RecoveryRead read = ReadRecovery(Folder());
    ASSERT_TRUE(read.state) << read.error.toStdString();
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_TRUE(read.missingFiles.isEmpty());
    EXPECT_EQ(read.state->step, 4);
    const SkinContent& back = read.state->content;
    ASSERT_NE(back.picture, nullptr);
    EXPECT_EQ(back.picture->Picture(), skin.picture->Picture());
    ASSERT_NE(back.thumbnailPicture, nullptr);
    EXPECT_EQ(back.thumbnailPicture->Picture(), skin.thumbnailPicture->Picture());
    // The temporary files come back as copies of the same name in the recovery folder.
    const auto copied = [this](const QString& original, const QString& restored) {
        EXPECT_TRUE(restored.startsWith(Folder() + '/')) << restored.toStdString();
        EXPECT_EQ(QFileInfo(restored).fileName(), QFileInfo(original).fileName());
        return restored;
    };
    SkinContent expected = skin;
    expected.picture = back.picture;
    expected.thumbnailPicture = back.thumbnailPicture;
    expected.thumbnailPath = copied(skin.thumbnailPath, back.thumbnailPath);
    for (qsizetype k = 0; k < 2 && k < back.items.size(); ++k)
        expected.items[k].file = copied(skin.items[k].file, back.items[k].file);
    EXPECT_EQ(back, expected);
    EXPECT_EQ(PackageMembers(back, Output("skin.vsf")), package);

    // Written again into the same folder, the copies stay where they are; a copy nothing refers
    // to any more goes.
    SkinContent next = back;
    Write(next);
    ASSERT_TRUE(ReadRecovery(Folder()).state);
    EXPECT_EQ(ReadRecovery(Folder()).state->content.items, back.items);
    next.items.removeAt(1);
    Write(next);
    EXPECT_FALSE(QFileInfo::exists(back.items[1].file));
    EXPECT_TRUE(QFileInfo::exists(back.items[0].file));
}

// Files the user chose that have gone are named; everything else comes back.
TEST_F(RecoveryFileTest, FilesGoneAreNamedAndTheRestRestored)
{
    SkinContent skin = MakeSkin();
    const QString decoration = MakeFile("mine.png", skintest::PngPicture(10, 10));
    skin.items[1].file = decoration;
    Write(skin);
    ASSERT_TRUE(QFile::remove(skin.picturePath));
    ASSERT_TRUE(QFile::remove(decoration));

    const RecoveryRead read = ReadRecovery(Folder());
    ASSERT_TRUE(read.state) << read.error.toStdString();
    QStringList missing = read.missingFiles;
    missing.sort();
    EXPECT_EQ(missing, (QStringList{decoration, skin.picturePath}));
    const SkinContent& back = read.state->content;
    EXPECT_EQ(back.picture, nullptr);
    EXPECT_TRUE(back.picturePath.isEmpty());
    EXPECT_TRUE(back.crop.IsNull());
    EXPECT_TRUE(back.stretchRegion.IsNull());
    ASSERT_EQ(back.items.size(), 2);
    EXPECT_EQ(back.items[0].displayName, "Gallery clock");
    EXPECT_EQ(back.items[1].file, skin.items[2].file);
    EXPECT_EQ(back.skinName, skin.skinName);
    EXPECT_EQ(back.colourAsRead, skin.colourAsRead);
}

// A recovery file that is damaged, foreign, too new or beyond every bound is refused with a
// message, never half read.
TEST_F(RecoveryFileTest, DamagedFilesAreRefusedWithAMessage)
{
    EXPECT_FALSE(ReadRecovery(Folder()).error.isEmpty()); // nothing written yet
    Write(MakeSkin());
    const QString path = Folder() + '/' + kRecoveryFileName;
    const QByteArray valid = skintest::ReadAll(path);
    const QJsonObject json = QJsonDocument::fromJson(valid).object();
    const auto changed = [&json](const QString& key, const QJsonValue& value) {
        QJsonObject copy = json;
        copy[key] = value;
        return QJsonDocument(copy).toJson();
    };
    QJsonArray manyItems;
    for (int k = 0; k < 100; ++k)
        manyItems.append(json["items"].toArray().first());
    QJsonArray twoDecorations = json["items"].toArray();
    twoDecorations.append(twoDecorations[1]);
    const struct {
        const char* name;
        QByteArray bytes;
    } kDamaged[] = {
        {"cut short", valid.left(valid.size() / 2)},
        {"binary", QByteArray("\x00\xff\x13\x37PK\x03\x04", 8).repeated(50)},
        {"foreign JSON", R"({"hello": [1, 2, 3]})"},
        {"newer version", changed("version", 2)},
        {"huge number", changed("crop", QJsonArray{0, 0, 1e300, 61})},
        {"fraction", changed("step", 1.5)},
        {"colour beyond 32 bits", changed("mainColour", 1e12)},
        {"huge count", changed("items", manyItems)},
        {"two decorations on a corner", changed("items", twoDecorations)},
        {"wrong type", changed("name", 5)},
        {"huge text", changed("name", QString(70000, 'x'))},
        {"copy outside the folder",
         changed("picture", QJsonObject{{"copy", "files/0123456789abcdef/../../x"}})},
        {"relative path", changed("picture", QJsonObject{{"path", "photo.bmp"}})},
        {"too large", QByteArray(kMaxRecoveryBytes, ' ') + valid},
    };
    QString damagedMessage;
    for (const auto& [name, bytes] : kDamaged) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(skintest::WriteAll(path, bytes));
        const RecoveryRead read = ReadRecovery(Folder());
        EXPECT_FALSE(read.state);
        EXPECT_FALSE(read.error.isEmpty());
        EXPECT_TRUE(read.missingFiles.isEmpty());
        if (QByteArray(name) == "cut short")
            damagedMessage = read.error;
        if (QByteArray(name) == "newer version") {
            EXPECT_NE(read.error, damagedMessage); // says why
        }
    }
}
