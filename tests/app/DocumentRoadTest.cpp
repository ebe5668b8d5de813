// The skin document through the wizard's pages: the header every picture size gets, unsaved
// changes asked about, and packages with as many controls as a skin may have, and more.
#include "app/CWizardDlg.h"
#include "controls/CPreviewCtrl.h"
#include "controls/CSkinButton2.h"
#include "pages/CColorSkinDlg.h"
#include "pages/CSaveSkin.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CStretchDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "skin/CornerPlacement.h"
#include "skin/HeaderCrop.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinPackage.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using skintest::MemberNames;

namespace {

class DocumentRoad : public ::testing::Test {
protected:
    void Press(int id)
    {
        QPushButton* button = wizard->CommandButton(id);
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void TypeName(const QString& name)
    {
        QLineEdit* edit = wizard->SavePage()->NameEdit();
        edit->setText(name);
        emit edit->textEdited(name);
    }
    // A picture of the size, chosen on step 1 and loaded.
    void ChoosePicture(QSize size, const char* format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(60, 110, 170));
        const QString path =
            dir.file(QStringLiteral("photo%1x%2.%3").arg(size.width()).arg(size.height()).arg(format));
        ASSERT_TRUE(image.save(path, nullptr, 50));
        wizard->show();
        wizard->HeadPage()->OpenChosenFile(path);
        ASSERT_TRUE(QTest::qWaitFor([this] { return wizard->CommandButton(ID_NEXT)->isEnabled(); }, 60000));
    }
    // Saves from step 6 into file (the save dialog's answer); the package's path.
    QString Save(const QString& file)
    {
        const QString package = dir.file(file);
        dialogs.savePaths.enqueue(package);
        Press(ID_SAVE_SKIN);
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        return package;
    }
    QString Unpack(const QString& package)
    {
        const QString folder = dir.file(QFileInfo(package).completeBaseName());
        EXPECT_TRUE(UnzipAll(package, folder, nullptr, false));
        return folder;
    }
    // A picture saved under a name, the wizard on step 6 with nothing changed since.
    void SavedSkin()
    {
        ChoosePicture({1400, 900}, "png");
        for (int i = 0; i < 5; ++i)
            Press(ID_NEXT);
        TypeName(QStringLiteral("晚霞"));
        Save(QStringLiteral("first.vsf"));
        ASSERT_TRUE(wizard->IsSaved());
    }
    // Step 2, another swatch.
    void ChangeColour()
    {
        wizard->StepButton(ColorStep)->click();
        ASSERT_EQ(wizard->CurrentIndex(), static_cast<int>(ColorStep));
        QTest::mouseClick(wizard->ColorPage()->Swatch(30003), Qt::LeftButton);
        ASSERT_EQ(wizard->Document().MainColour(), CColorSkinDlg::PresetMainColor(3));
        ASSERT_FALSE(wizard->IsSaved());
    }

    skintest::ScratchDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<CWizardDlg> wizard = std::make_unique<CWizardDlg>();
};

} // namespace

// Every picture's default crop, with the default stretch region step 3 shows, gives a 700-pixel
// header whose middle strip is the region shown.
TEST_F(DocumentRoad, DefaultCropOfEveryPictureSizeSavesA700PixelHeaderWithTheRegionShown)
{
    const QSize sizes[] = {{700, 500}, {1400, 900}, {2560, 1707}, {4000, 3000}, {6000, 4000}, {8000, 1000}};
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        wizard = std::make_unique<CWizardDlg>();
        ChoosePicture(size, "jpg");
        EXPECT_EQ(wizard->Document().Crop(), DefaultCrop(size));
        Press(ID_NEXT);
        Press(ID_NEXT);
        ASSERT_EQ(wizard->CurrentIndex(), static_cast<int>(StretchStep));
        auto* stretch = static_cast<CStretchDlg*>(wizard->Page(StretchStep));
        // The selection's edges in preview pixels; the header is drawn 2 pixels in.
        const SkinRect band =
            CPreviewCtrl::HeaderBandFor(stretch->Preview()->width(), stretch->Preview()->height());
        const double perColumn = 700.0 / (band.Width() - 4);
        const double shownLeft = (stretch->LeftEdge() - 2) * perColumn;
        const double shownWidth = (stretch->RightEdge() - stretch->LeftEdge()) * perColumn;
        for (int i = 0; i < 3; ++i)
            Press(ID_NEXT);
        TypeName(QStringLiteral("header"));
        const QString folder = Unpack(Save(QStringLiteral("header%1.vsf").arg(size.width())));

        const QImage left(folder + "/" + kLeftStripMember);
        const QImage mid(folder + "/" + kMidStripMember);
        const QImage right(folder + "/" + kRightStripMember);
        ASSERT_FALSE(left.isNull() || mid.isNull() || right.isNull());
        EXPECT_NEAR(left.width() + mid.width() + right.width(), 700, 1);
        EXPECT_NEAR(mid.height(), 61, 1);
        EXPECT_NEAR(left.width(), shownLeft, 1 + perColumn / 2);
        EXPECT_NEAR(mid.width(), shownWidth, 1 + perColumn / 2);
        wizard->SetSaved(true);
    }
}

TEST_F(DocumentRoad, ExitAfterAChangeAsksAndCancelKeepsTheChange)
{
    SavedSkin();
    ChangeColour();
    Press(ID_EXIT);
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("皮肤还没有保存，退出前要保存吗？")});
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->Document().MainColour(), CColorSkinDlg::PresetMainColor(3));

    // Save, then a cancelled save dialog: nothing is on disk, so the wizard stays.
    dialogs.answer = QMessageBox::Save;
    Press(ID_EXIT);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_FALSE(wizard->IsSaved());

    // Save with a path (the close box now: the question moved the wizard to step 6): the package
    // is written with the change, then the wizard closes.
    EXPECT_EQ(wizard->CurrentIndex(), static_cast<int>(SaveStep));
    const QString package = dir.file(QStringLiteral("changed.vsf"));
    dialogs.savePaths.enqueue(package);
    wizard->close();
    EXPECT_FALSE(wizard->isVisible());
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(Unpack(package) + "/conf.ini"));
    EXPECT_EQ(conf.ReadInt("CONF", "hue", kProfileShortBuffer),
              DescribeColor(CColorSkinDlg::PresetMainColor(3)).hue);
}

TEST_F(DocumentRoad, RemakeAfterAChangeAsksAndDiscardStartsOver)
{
    SavedSkin();
    ChangeColour();
    for (int i = 0; i < 4; ++i)
        Press(ID_NEXT);
    ASSERT_EQ(wizard->CurrentIndex(), static_cast<int>(SaveStep));
    Press(ID_REMAKE);
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("皮肤还没有保存，重新制作前要保存吗？")});
    EXPECT_EQ(wizard->CurrentIndex(), static_cast<int>(SaveStep));
    EXPECT_EQ(wizard->Document().MainColour(), CColorSkinDlg::PresetMainColor(3));
    EXPECT_FALSE(wizard->IsSaved());

    dialogs.answer = QMessageBox::Discard;
    Press(ID_REMAKE);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(wizard->CurrentIndex(), static_cast<int>(HeaderStep));
    EXPECT_FALSE(wizard->Document().HasPicture());
    EXPECT_EQ(wizard->Document().MainColour(), 0u);
    EXPECT_TRUE(wizard->IsSaved());
}

// Four corner controls and twenty extra ones (as many as a skin may have) survive an open and a
// save; a package that declares five more is opened with the user told of them.
TEST_F(DocumentRoad, PackageWithEveryControlKeepsThemAndMoreAreTold)
{
    const QString movies = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
    const std::pair<QString, QSize> kinds[] = {{movies + "clock.swf", {80, 80}},
                                               {movies + "meter.swf", {200, 60}},
                                               {movies + "weather.swf", {120, 60}}};
    SkinContent skin;
    QImage header(1400, 122, QImage::Format_RGB32);
    header.fill(qRgb(60, 110, 170));
    skin.picturePath = dir.file(QStringLiteral("header.png"));
    ASSERT_TRUE(header.save(skin.picturePath));
    skin.picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(skin.picture->LoadFromImage(header));
    skin.crop = DefaultCrop(header.size());
    skin.skinName = QStringLiteral("controls");
    const int count = kCornerCount + SkinDocument::kMaxExtraControls;
    for (int i = 0; i < count; ++i) {
        const auto& [file, size] = kinds[i % 3];
        skin.items.append({CornerItemKind::Control,
                           kCorners[i % kCornerCount],
                           DefaultCornerOffset(size),
                           size,
                           file,
                           {},
                           false});
    }
    const QString full = dir.file(QStringLiteral("full.vsf"));
    ASSERT_TRUE(BuildPackage(skin, full).ok);

    ASSERT_TRUE(wizard->OpenPackage(full)) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_EQ(wizard->ControlsPage()->RowCount(), count);
    const QString saved = dir.file(QStringLiteral("saved.vsf"));
    dialogs.savePaths.enqueue(saved);
    wizard->SaveSkin();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    QStringList before = MemberNames(full);
    QStringList after = MemberNames(saved);
    EXPECT_EQ(after.filter(QStringLiteral(".swf")).size(), count);
    before.sort();
    after.sort();
    EXPECT_EQ(after, before);

    // Five more declared, with their files.
    const QString folder = Unpack(full);
    ProfileFile conf;
    ASSERT_TRUE(conf.Load(folder + "/conf.ini"));
    QStringList files;
    for (const QString& name : MemberNames(full))
        files.append(folder + "/" + name);
    for (int k = SkinDocument::kMaxExtraControls + 1; k <= SkinDocument::kMaxExtraControls + 5; ++k) {
        const QString movie = folder + QStringLiteral("/swfcontrol%1.swf").arg(k);
        ASSERT_TRUE(QFile::copy(movies + "clock.swf", movie));
        files.append(movie);
        conf.WriteBytes("KEY", "swfcontrol" + QByteArray::number(k), "40,40,80,80,1");
    }
    conf.WriteBytes("KEY", "swfcontrolnum", QByteArray::number(SkinDocument::kMaxExtraControls + 5));
    ASSERT_TRUE(conf.Save(folder + "/conf.ini"));
    const QString more = dir.file(QStringLiteral("more.vsf"));
    ASSERT_TRUE(ZipPackFiles(files, more));

    dialogs.messages.clear();
    ASSERT_TRUE(wizard->OpenPackage(more));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("5个附加控件未载入")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(wizard->ControlsPage()->RowCount(), count);
}
