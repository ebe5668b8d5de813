// The road through the wizard: saving, trying in the player and reopening a skin package.
#include "app/CSkinViewerWnd.h"
#include "app/CWizardDlg.h"
#include "controls/CFramePreviewCtrl.h"
#include "controls/CLinkLabel.h"
#include "controls/CSkinButton2.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "pages/CColorSkinDlg.h"
#include "pages/CSaveSkin.h"
#include "pages/CSkinFrameDlg.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "platform/SiteLinks.h"
#include "skin/PlayerLookup.h"
#include "skin/ProfileFile.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "skin/WinePrefixFixture.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <gtest/gtest.h>

using skintest::MemberNames;
using skintest::ReadAll;
using skintest::ScopedEnv;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

// A 1400 x 122 header: a horizontal colour ramp, so that cut and scaled parts are recognisable.
QImage RampPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, 128, y * 255 / height));
    }
    return image;
}

class Road : public ::testing::Test {
protected:
    Road() : m_temp("TMPDIR", m_dir.file("tmp").toUtf8()), m_wine(m_dir.file("wine"))
    {
        QDir().mkpath(m_dir.file("tmp"));
        // The site the wizard's own local host would serve.
        SetLocalSiteBase([] { return QStringLiteral("http://127.0.0.1:40001"); });
        picturePath = m_dir.file("header.png");
        EXPECT_TRUE(RampPicture(1400, 122).save(picturePath));
        wizard.resize(874, 632);
    }
    ~Road() override { SetLocalSiteBase({}); }

    CSaveSkin* SavePage() const { return wizard.SavePage(); }
    CColorSkinDlg* ColorPage() const { return wizard.ColorPage(); }
    CSkinHeadDlg* HeadPage() const { return wizard.HeadPage(); }
    void Press(int id) { QTest::mouseClick(wizard.CommandButton(id), Qt::LeftButton); }
    // The name typed into step 6's name box.
    void TypeName(const QString& name)
    {
        QLineEdit* edit = SavePage()->NameEdit();
        edit->setText(name);
        emit edit->textEdited(name);
    }

    // A skin ready to save without going through step 1.
    void PrepareProject(const QString& name)
    {
        ASSERT_TRUE(header->LoadFromFile(picturePath));
        wizard.Document().SetPicture(picturePath, header);
        ASSERT_EQ(wizard.Document().Crop(), SkinRect(0, 0, 1400, 122));
        TypeName(name);
    }

    // The player in C:\Player of the fake prefix; the fake wine records how it was started.
    void InstallPlayer(const QByteArray& version)
    {
        ASSERT_TRUE(m_wine.WriteRegistry("[Software\\\\VDMUSIC] 1\n\"VDMUSIC_HOME\"=\"C:\\\\Player\"\n"));
        ASSERT_TRUE(m_wine.MakePlayerFolder("Player", version));
        m_wine.ClearRecord();
    }
    QString PlayerArgsFile() const { return m_wine.RecordFile(); }
    // Saves from step 6 under the skin name into file; the package's path.
    QString SaveOnStep6(const QString& name, const QString& file)
    {
        TypeName(name);
        const QString package = m_dir.file(file);
        dialogs.savePaths.enqueue(package);
        Press(ID_SAVE_SKIN);
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        return package;
    }
    static QString TryPackage(const QString& name) { return TryPackagePath(name); }

    ScratchDir m_dir;

private:
    ScopedEnv m_temp;

protected:
    skintest::FakeWinePrefix m_wine;
    FakeDialogs dialogs;
    QString picturePath;
    SharedPicture header = std::make_shared<CSkinImage>();
    CWizardDlg wizard;
};

// The text of the controls list's cell, as the list shows it.
QString Cell(const CWebFlashFrameDlg* page, int row, int column)
{
    return page->ControlList()->model()->index(row, column).data().toString();
}

} // namespace

TEST_F(Road, SaveAsksForAPathNamedAfterTheSkinAndMarksTheWizardSaved)
{
    PrepareProject(QStringLiteral("晚霞"));
    const QString target = m_dir.file("out/晚霞.vsf");
    QDir().mkpath(m_dir.file("out"));
    dialogs.savePaths.enqueue(target);
    wizard.SaveSkin();

    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].filter, QStringLiteral("音乐盒皮肤文件 (*.vsf)"));
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, QStringLiteral("vsf"));
    EXPECT_EQ(dialogs.saveRequests[0].initialPath, QStringLiteral("晚霞"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_TRUE(wizard.IsSaved());
    EXPECT_EQ(MemberNames(target), (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
}

TEST_F(Road, SaveWithoutANameOnlyAsksForOne)
{
    PrepareProject(QString());
    dialogs.savePaths.enqueue(m_dir.file("never.vsf"));
    wizard.SaveSkin();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请输入皮肤名称"));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vadi提示"));
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
    EXPECT_FALSE(wizard.IsSaved());
}

TEST_F(Road, SaveOverAnExistingFileAsksFirst)
{
    PrepareProject(QStringLiteral("skin"));
    const QString existing = m_dir.file("existing.vsf");
    const QString other = m_dir.file("other.vsf");
    ASSERT_TRUE(WriteAll(existing, "old package"));

    // No: the dialog opens again on the path just chosen; Cancel there leaves the file alone.
    dialogs.savePaths.enqueue(existing);
    dialogs.answers.enqueue(QMessageBox::No);
    wizard.SaveSkin();
    ASSERT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_EQ(dialogs.saveRequests[1].initialPath, existing);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              QDir::toNativeSeparators(existing) + QStringLiteral("已存在。\n 要替换它吗？"));
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(ReadAll(existing), QByteArray("old package"));
    EXPECT_FALSE(wizard.IsSaved());

    // No, then another path that does not exist yet.
    dialogs.savePaths.enqueue(existing);
    dialogs.answers.enqueue(QMessageBox::No);
    dialogs.savePaths.enqueue(other);
    wizard.SaveSkin();
    EXPECT_EQ(ReadAll(existing), QByteArray("old package"));
    EXPECT_FALSE(MemberNames(other).isEmpty());
    EXPECT_TRUE(wizard.IsSaved());

    // Yes replaces it.
    wizard.SetSaved(false);
    dialogs.savePaths.enqueue(existing);
    dialogs.answers.enqueue(QMessageBox::Yes);
    wizard.SaveSkin();
    EXPECT_EQ(MemberNames(existing), (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
    EXPECT_TRUE(wizard.IsSaved());
}

TEST_F(Road, FailedSaveTellsWhyAndKeepsTheWorkUnsaved)
{
    PrepareProject(QStringLiteral("skin"));
    dialogs.savePaths.enqueue(m_dir.file("no/such/folder/skin.vsf"));
    wizard.SaveSkin();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("保存皮肤失败：")));
    EXPECT_GT(dialogs.messages[0].text.size(), QStringLiteral("保存皮肤失败：").size());
    EXPECT_FALSE(wizard.IsSaved());
    EXPECT_FALSE(QFile::exists(m_dir.file("no/such/folder/skin.vsf")));
}

TEST_F(Road, TryNowStartsAPlayerThatAppliesSkins)
{
    for (const char* version : {"MUSIC_2.6.7.1", "MUSIC_2.6.8.0", "MUSIC_3"}) {
        SCOPED_TRACE(version);
        InstallPlayer(version);
        PrepareProject(QStringLiteral("试用"));
        wizard.TryNow();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        const QStringList started = m_wine.WaitForRecord();
        ASSERT_EQ(started.size(), 5);
        const QString package = TryPackage(QStringLiteral("试用"));
        EXPECT_EQ(started[4], "\"C:\\Player\\VdMusic.exe\" \"Z:" + QString(package).replace('/', '\\') + '"');
        EXPECT_EQ(MemberNames(package), (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
        EXPECT_FALSE(wizard.IsSaved());
    }
}

TEST_F(Road, TryNowOffersTheHomePageForOldPlayers)
{
    for (const char* version : {"MUSIC_2.6.7", "MUSIC_2.6.10.0"}) {
        SCOPED_TRACE(version);
        InstallPlayer(version);
        PrepareProject(QStringLiteral("old"));
        dialogs.messages.clear();
        dialogs.openedUrls.clear();
        dialogs.answers.enqueue(QMessageBox::Yes);
        wizard.TryNow();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("您的音乐盒不支持换肤，是否安装高版本的音乐盒"));
        EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
        ASSERT_EQ(dialogs.openedUrls.size(), 1);
        EXPECT_EQ(dialogs.openedUrls[0], QUrl(SiteUrl(QStringLiteral("/"))));
        EXPECT_FALSE(QFile::exists(TryPackage(QStringLiteral("old"))));
        EXPECT_FALSE(QFile::exists(PlayerArgsFile()));
    }
}

TEST_F(Road, TryNowWithoutAPlayerShowsTheSkinInTheViewer)
{
    PrepareProject(QStringLiteral("none"));
    wizard.Document().SetStretchRegion({200, 0, 1200, 122});
    wizard.Document().SetStretchMode(StretchMode::Tile);

    // No registry file in the prefix at all, then the key without its version file: each time
    // the viewer opens instead of a question, says that no player was found and links to one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1) {
            InstallPlayer("MUSIC_3");
            QFile::remove(m_wine.DriveC() + "/Player/face/vdc.img");
        }
        wizard.TryNow();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        const QList<CSkinViewerWnd*> viewers = wizard.findChildren<CSkinViewerWnd*>();
        ASSERT_EQ(viewers.size(), 1);
        CSkinViewerWnd* viewer = viewers.first();
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_FALSE(viewer->PlayerMissingLine()->isHidden());
        EXPECT_EQ(viewer->InstallLink()->Target(), SiteUrl(QStringLiteral("/")));
        ASSERT_FALSE(viewer->Picture().isNull());
        // Resizing the viewer widens the player window by as much.
        const QSize before = viewer->PlayerWindowSize();
        viewer->resize(viewer->width() + 300, viewer->height());
        QTRY_COMPARE(viewer->PlayerWindowSize().width(), before.width() + 300);
        EXPECT_EQ(viewer->Picture().width(), viewer->CurrentLayout().canvas.width());
        delete viewer;
    }
    EXPECT_TRUE(dialogs.openedUrls.isEmpty());
    EXPECT_FALSE(QFile::exists(TryPackage(QStringLiteral("none"))));
    EXPECT_FALSE(QFile::exists(PlayerArgsFile()));
}

TEST_F(Road, TryNowSaysWhyThePlayerCannotStart)
{
    InstallPlayer("MUSIC_3");
    PrepareProject(QStringLiteral("skin"));
    ASSERT_TRUE(QFile::remove(m_wine.DriveC() + "/Player/VdMusic.exe"));
    wizard.TryNow();
    m_wine.RemoveWine();
    wizard.TryNow();
    EXPECT_EQ(
        dialogs.MessageTexts(),
        (QStringList{
            QStringLiteral("无法启动音乐盒：C:\\Player\\VdMusic.exe"),
            QStringLiteral("未找到 Wine，无法启动音乐盒。请先安装 Wine（sudo apt install wine）后再试。")}));
    EXPECT_FALSE(QFile::exists(PlayerArgsFile()));
}

TEST_F(Road, TryNowRefusesNamesThatCannotNameAFile)
{
    InstallPlayer("MUSIC_3");
    for (const QString& name :
         {QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral("what?"), QStringLiteral("tab\there"),
          QStringLiteral("\"q\""), QStringLiteral("a|b")}) {
        dialogs.messages.clear();
        PrepareProject(name);
        wizard.TryNow();
        ASSERT_EQ(dialogs.messages.size(), 1) << name.toStdString();
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("皮肤名称不能包含")));
    }
    EXPECT_FALSE(QFile::exists(PlayerArgsFile()));

    dialogs.messages.clear();
    PrepareProject(QString());
    wizard.TryNow();
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("请输入皮肤名称")});
}

TEST_F(Road, PackageThatCannotBeOpenedIsReported)
{
    ASSERT_TRUE(WriteAll(m_dir.file("bad.vsf"), "this is not an archive"));
    wizard.Document().SetSkinName(QStringLiteral("kept"));
    wizard.SetSaved(true); // nothing to ask about before the open
    EXPECT_FALSE(wizard.OpenPackage(m_dir.file("bad.vsf")));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("无法打开皮肤包：")));
    EXPECT_EQ(wizard.Document().SkinName(), QStringLiteral("kept"));
}

TEST_F(Road, WholeRoadFromPictureToPackageAndBack)
{
    wizard.show();
    // Step 1: a generated picture, loaded by the page's worker; Next comes on when it is ready.
    HeadPage()->OpenChosenFile(picturePath);
    QElapsedTimer timer;
    timer.start();
    while (!wizard.CommandButton(ID_NEXT)->isEnabled() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(wizard.CommandButton(ID_NEXT)->isEnabled());
    const SkinRect crop = HeadPage()->CropRect();
    ASSERT_GT(crop.Width(), 0);
    Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), 1);

    // Step 2: swatch 30002; step 3 skipped; step 6: the name, then Save.
    QTest::mouseClick(ColorPage()->Swatch(30002), Qt::LeftButton);
    Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), 2);
    Press(ID_SKIP);
    ASSERT_EQ(wizard.CurrentIndex(), 5);
    const QString name = QStringLiteral("晚霞之歌");
    TypeName(name);
    const QString package = m_dir.file("myskin.vsf");
    dialogs.savePaths.enqueue(package);
    Press(ID_SAVE_SKIN);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(wizard.IsSaved());

    // The package read back.
    ASSERT_EQ(MemberNames(package), (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
    const QString unpacked = m_dir.file("unpacked");
    QStringList names;
    ASSERT_TRUE(UnzipAll(package, unpacked, &names, false));
    EXPECT_EQ(QImage(unpacked + "/TopPanelBKMid.bmp").size(), QSize(crop.Width(), crop.Height()));
    EXPECT_EQ(QImage(unpacked + "/small.bmp").size(), QSize(60, 37));
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(unpacked + "/conf.ini"));
    const SkinColorNumbers numbers = DescribeColor(CColorSkinDlg::PresetMainColor(2));
    EXPECT_EQ(conf.ReadString("CONF", "name", kProfileTextBuffer), QStringLiteral("myskin"));
    EXPECT_EQ(conf.ReadString("CONF", "showname", kProfileTextBuffer), name);
    EXPECT_EQ(conf.ReadInt("CONF", "hue", kProfileShortBuffer), numbers.hue);
    EXPECT_EQ(conf.ReadInt("CONF", "sat", kProfileShortBuffer), numbers.sat);
    EXPECT_EQ(conf.ReadInt("CONF", "light", kProfileShortBuffer), numbers.light);
    EXPECT_EQ(conf.ReadInt("CONF", "white", kProfileShortBuffer), 0);

    // Remake, then reopen the package: the pages show the picture, swatch 30002 and the name.
    Press(ID_REMAKE);
    ASSERT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_TRUE(SavePage()->NameEdit()->text().isEmpty());
    EXPECT_TRUE(wizard.OpenPackage(package));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(HeadPage()->PicturePath().endsWith("HeadTemp.bmp"));
    ASSERT_NE(wizard.Document().Picture(), nullptr);
    EXPECT_EQ(wizard.Document().Picture()->GetSize(), QSize(crop.Width(), crop.Height()));
    EXPECT_TRUE(ColorPage()->Swatch(30002)->IsSelected());
    EXPECT_EQ(ColorPage()->MainColor(), 0xC26DC4u);
    EXPECT_EQ(SavePage()->NameEdit()->text(), name);
    EXPECT_TRUE(SavePage()->ThumbnailChosen());
}

// Packages of the same file name share one extraction folder: a decoration that only the first
// one has must not stay in the project, pointing at a file the second open removed.
TEST_F(Road, ReopeningAnotherPackageOfTheSameNameLeavesNothingStaleToSave)
{
    PrepareProject(QStringLiteral("角落"));
    SkinContent project = wizard.Document().Content();
    project.stretchRegion = {200, 0, 1200, 122};
    project.skinName = QStringLiteral("角落");
    const QString own = m_dir.file("own.png");
    ASSERT_TRUE(QImage(8, 8, QImage::Format_ARGB32).save(own));
    project.items = {{CornerItemKind::Decoration, Corner::LeftTop, {3, 4}, {8, 8}, own, {}, false},
                     {CornerItemKind::Decoration, Corner::RightTop, {5, 6}, {8, 8}, own, {}, false}};
    const QString withCorners = m_dir.file("a/same.vsf");
    ASSERT_TRUE(QDir().mkpath(m_dir.file("a")) && QDir().mkpath(m_dir.file("b")));
    ASSERT_TRUE(BuildPackage(project, withCorners).ok);
    project.items.removeLast();
    const QString withOne = m_dir.file("b/same.vsf");
    ASSERT_TRUE(BuildPackage(project, withOne).ok);

    wizard.SetSaved(true); // nothing to ask about before the opens
    for (const QString& package : {withCorners, withOne}) {
        ASSERT_TRUE(wizard.OpenPackage(package)) << dialogs.MessageTexts().join('|').toStdString();
    }
    // The second package's own corner points into the folder; the first one's is gone.
    const SkinDocument& document = wizard.Document();
    ASSERT_GE(document.DecorationAt(Corner::LeftTop), 0);
    EXPECT_TRUE(QFile::exists(document.Items()[document.DecorationAt(Corner::LeftTop)].file));
    EXPECT_EQ(document.DecorationAt(Corner::RightTop), -1);
    EXPECT_EQ(document.ItemsOf(CornerItemKind::Decoration).size(), 1);

    const QString saved = m_dir.file("saved.vsf");
    dialogs.savePaths.enqueue(saved);
    wizard.SaveSkin();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(wizard.IsSaved());
    EXPECT_TRUE(MemberNames(saved).contains("topleft.png"));
    EXPECT_FALSE(MemberNames(saved).contains("topright.png"));
}

// Picture, colour, stretch, two corner decorations (one stepped with the arrows, one dragged),
// save, read back, reopen.
TEST_F(Road, DecorationsTravelThroughThePackageAndBack)
{
    wizard.show();
    HeadPage()->OpenChosenFile(picturePath);
    ASSERT_TRUE(QTest::qWaitFor([this] { return wizard.CommandButton(ID_NEXT)->isEnabled(); }, 20000));
    Press(ID_NEXT);
    QTest::mouseClick(ColorPage()->Swatch(30002), Qt::LeftButton);
    Press(ID_NEXT);
    Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), static_cast<int>(FrameStep));
    auto* frame = static_cast<CSkinFrameDlg*>(wizard.Page(FrameStep));

    const QString big = m_dir.file("big.png");
    const QString small = m_dir.file("small.png");
    ASSERT_TRUE(WriteAll(big, skintest::PngPicture(100, 80)));
    ASSERT_TRUE(WriteAll(small, skintest::PngPicture(20, 10)));
    dialogs.openPaths.enqueue(big);
    frame->BrowseButton()->click();
    frame->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    frame->CornerTabs()->setCurrentIndex(3);
    dialogs.openPaths.enqueue(small);
    frame->BrowseButton()->click();
    // Drag the small picture 6 left and 4 down with the mouse.
    CFramePreviewCtrl* preview = frame->Preview();
    const QPoint grip = preview->ItemRect(Corner::RightBottom).topLeft() + QPoint(5, 5) - preview->Scroll();
    auto mouse = [preview](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(p), preview->mapToGlobal(QPointF(p)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &event);
    };
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPoint(-6, 4), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, grip + QPoint(-6, 4), Qt::NoButton);
    EXPECT_EQ(frame->XEdit()->text(), QStringLiteral("-6"));
    EXPECT_EQ(frame->YEdit()->text(), QStringLiteral("4"));

    Press(ID_NEXT);
    Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), static_cast<int>(SaveStep));
    const QString package = SaveOnStep6(QStringLiteral("角饰"), "corners.vsf");

    const QStringList members = MemberNames(package);
    EXPECT_TRUE(members.contains("topleft.png"));
    EXPECT_TRUE(members.contains("bottomright.png"));
    EXPECT_FALSE(members.contains("topright.png"));
    const QString unpacked = m_dir.file("unpacked");
    ASSERT_TRUE(UnzipAll(package, unpacked, nullptr, false));
    EXPECT_EQ(ReadAll(unpacked + "/topleft.png"), ReadAll(big));
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(unpacked + "/conf.ini"));
    auto key = [&conf](const char* name) { return conf.ReadInt("CONF", name, kProfileShortBuffer); };
    EXPECT_EQ(QPoint(key("lefttopx"), key("lefttopy")), QPoint(49, 40));
    EXPECT_EQ(QPoint(key("rightbottomx"), key("rightbottomy")), QPoint(16, 1));

    Press(ID_REMAKE);
    EXPECT_TRUE(frame->CornerPath(Corner::LeftTop).isEmpty());
    EXPECT_TRUE(wizard.OpenPackage(package));
    EXPECT_TRUE(frame->CornerPath(Corner::LeftTop).endsWith("topleft.png"));
    EXPECT_EQ(frame->CornerShift(Corner::LeftTop), QPoint(1, 0));
    EXPECT_EQ(frame->XEdit()->text(), QStringLiteral("1"));
    EXPECT_TRUE(frame->CornerPath(Corner::RightBottom).endsWith("bottomright.png"));
    EXPECT_EQ(frame->CornerShift(Corner::RightBottom), QPoint(-6, 4));
}

// Two generated movies on step 5, one stepped with the arrows and the keyboard, one dragged;
// saved, read back, reopened after Remake.
TEST_F(Road, ControlsTravelThroughThePackageAndBack)
{
    wizard.show();
    HeadPage()->OpenChosenFile(picturePath);
    ASSERT_TRUE(QTest::qWaitFor([this] { return wizard.CommandButton(ID_NEXT)->isEnabled(); }, 20000));
    for (int step = 0; step < 4; ++step)
        Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), static_cast<int>(ControlsStep));
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    CControlsPreviewCtrl* preview = page->Preview();

    const QString clock = m_dir.file("clock.swf");
    const QString wide = m_dir.file("wide.swf");
    ASSERT_TRUE(WriteAll(clock, skintest::SwfMovie(80, 80)));
    ASSERT_TRUE(WriteAll(wide, skintest::SwfMovie(120, 40)));
    dialogs.openPaths.enqueue(clock);
    page->LocalFileButton()->click();
    const QPoint clockLoaded = page->Control(0).offset;
    for (int i = 0; i < 3; ++i)
        page->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // The arrow keys move the selected control, not the list's selection.
    QTest::keyClick(page->ControlList(), Qt::Key_Down);
    EXPECT_EQ(page->YEdit()->text(), QStringLiteral("1"));
    const QPoint clockOffset = page->Control(0).offset;
    EXPECT_EQ(clockOffset, clockLoaded - QPoint(3, 1));

    page->CornerTabs()->setCurrentIndex(3);
    dialogs.openPaths.enqueue(wide);
    page->LocalFileButton()->click();
    const QPoint wideLoaded = page->Control(1).offset;
    const QPoint grip = CPlayerCanvasCtrl::Anchor(Corner::RightBottom) - page->Control(1).offset +
                        QPoint(5, 5) - preview->Scroll();
    auto mouse = [preview](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(p), preview->mapToGlobal(QPointF(p)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &event);
    };
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPoint(-6, 4), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, grip + QPoint(-6, 4), Qt::NoButton);
    EXPECT_EQ(page->XEdit()->text(), QStringLiteral("-6"));
    const QPoint wideOffset = page->Control(1).offset;
    EXPECT_EQ(wideOffset, wideLoaded + QPoint(6, -4));

    // Moving the wizard keeps the controls where they were on the player.
    wizard.move(wizard.pos() + QPoint(15, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(page->Control(0).offset, clockOffset);

    Press(ID_NEXT);
    ASSERT_EQ(wizard.CurrentIndex(), static_cast<int>(SaveStep));
    const QString package = SaveOnStep6(QStringLiteral("钟表"), "controls.vsf");

    const QStringList members = MemberNames(package);
    EXPECT_TRUE(members.contains("topleft.swf"));
    EXPECT_TRUE(members.contains("bottomright.swf"));
    EXPECT_FALSE(members.contains("swfcontrol1.swf"));
    const QString unpacked = m_dir.file("unpacked");
    ASSERT_TRUE(UnzipAll(package, unpacked, nullptr, false));
    EXPECT_EQ(ReadAll(unpacked + "/topleft.swf"), ReadAll(clock));
    EXPECT_EQ(ReadAll(unpacked + "/bottomright.swf"), ReadAll(wide));
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(unpacked + "/conf.ini"));
    const auto placement = [](QPoint offset, int w, int h) {
        return QStringLiteral("%1,%2,%3,%4").arg(offset.x()).arg(offset.y()).arg(w).arg(h);
    };
    EXPECT_EQ(conf.ReadString("KEY", "swflefttop", kProfileTextBuffer), placement(clockOffset, 80, 80));
    EXPECT_EQ(conf.ReadString("KEY", "swfrightbottom", kProfileTextBuffer), placement(wideOffset, 120, 40));
    EXPECT_TRUE(conf.ReadString("KEY", "swfcontrolnum", kProfileTextBuffer).isEmpty());

    Press(ID_REMAKE);
    EXPECT_EQ(page->RowCount(), 0);
    EXPECT_EQ(preview->FlashCount(), 0);
    EXPECT_TRUE(wizard.OpenPackage(package));
    ASSERT_EQ(page->RowCount(), 2);
    EXPECT_EQ(Cell(page, 0, 0), QStringLiteral("左上角"));
    EXPECT_EQ(Cell(page, 1, 0), QStringLiteral("右下角"));
    EXPECT_EQ(Cell(page, 1, 1), QStringLiteral("bottomright"));
    EXPECT_EQ(page->Control(1).corner, Corner::RightBottom);
    EXPECT_EQ(page->Control(0).offset, clockOffset);
    EXPECT_EQ(page->Control(1).offset, wideOffset);
    EXPECT_EQ(page->RowShift(0), QPoint(3, 1));
    EXPECT_EQ(page->RowShift(1), QPoint(-6, 4));

    // A control downloaded from the gallery joins at the selected tab's corner; one without a
    // file adds nothing.
    page->CornerTabs()->setCurrentIndex(1);
    page->AddDownloadedControl(QStringLiteral("时钟"), QString());
    EXPECT_EQ(page->RowCount(), 2);
    page->AddDownloadedControl(QStringLiteral("时钟"), clock);
    ASSERT_EQ(page->RowCount(), 3);
    EXPECT_EQ(Cell(page, 2, 0), QStringLiteral("右上角"));
    EXPECT_EQ(Cell(page, 2, 1), QStringLiteral("时钟"));
    EXPECT_EQ(Cell(page, 2, 2), QStringLiteral("Vadi动态控件"));
    EXPECT_EQ(page->Control(2).file, clock);
}

// What the wizard tells the user: where a save went, a browser that cannot be opened, and one
// icon for every refused file.
TEST_F(Road, SaveShowsWhereThePackageWentAndAFailureClearsIt)
{
    PrepareProject(QStringLiteral("skin"));
    const QString target = m_dir.file("skin.vsf");
    dialogs.savePaths.enqueue(target);
    wizard.SaveSkin();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(SavePage()->SavedLine()->text(),
              QStringLiteral("皮肤已保存到：") + QDir::toNativeSeparators(target));
    EXPECT_FALSE(SavePage()->SavedLine()->isHidden());

    dialogs.savePaths.enqueue(m_dir.file("no/such/folder/skin.vsf"));
    wizard.SaveSkin();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(SavePage()->SavedLine()->text().isEmpty());
}

TEST_F(Road, WithoutABrowserTryNowGivesTheAddressToOpenByHand)
{
    InstallPlayer("MUSIC_2.6.7");
    PrepareProject(QStringLiteral("old"));
    dialogs.browserOpens = false;
    dialogs.answers.enqueue(QMessageBox::Yes);
    wizard.TryNow();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("您的音乐盒不支持换肤，是否安装高版本的音乐盒"));
    EXPECT_TRUE(dialogs.messages[1].text.contains(SiteUrl(QStringLiteral("/"))));
    EXPECT_EQ(dialogs.messages[1].icon, QMessageBox::Warning);
    EXPECT_EQ(dialogs.openedUrls.size(), 1);
}

TEST_F(Road, ARefusedFileIsAWarningOnEveryStep)
{
    const QString notAPicture = m_dir.file("not.png");
    ASSERT_TRUE(WriteAll(notAPicture, "text"));
    wizard.OpenPackage(m_dir.file("missing.vsf"));
    auto* framePage = wizard.findChild<CSkinFrameDlg*>();
    ASSERT_NE(framePage, nullptr);
    dialogs.openPaths.enqueue(notAPicture);
    framePage->Browse();
    wizard.ControlsPage()->AddDownloadedControl(QStringLiteral("x"), notAPicture);
    ASSERT_EQ(dialogs.messages.size(), 3) << dialogs.MessageTexts().join('|').toStdString();
    for (const FakeDialogs::Message& message : dialogs.messages)
        EXPECT_EQ(message.icon, QMessageBox::Warning) << message.text.toStdString();
}
