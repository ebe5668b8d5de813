#include "controls/CLinkLabel.h"
#include "controls/CPictureViewLabel.h"
#include "imaging/CSkinImage.h"
#include "pages/CSaveSkin.h"
#include "skin/SkinDocument.h"
#include "skin/SkinPackage.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using skintest::ScratchDir;

namespace {

// Writes a solid picture file and returns its path.
QString SolidPicture(const ScratchDir& dir, const QString& name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.file(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QRgb CentreOf(QWidget* widget)
{
    const QImage shot = widget->grab().toImage();
    return shot.pixel(shot.width() / 2, shot.height() / 2) | 0xFF000000;
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
           std::abs(qBlue(a) - qBlue(b)) <= 2;
}

class SavePage : public ::testing::Test {
protected:
    SavePage() : page(document, nullptr)
    {
        page.resize(874, 567);
        page.show();
        // A header whose right-hand end is blue and the rest red.
        QImage image(1000, 122, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        for (int y = 0; y < 122; ++y) {
            for (int x = 700; x < 1000; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        }
        const QString path = dir.file("header.png");
        EXPECT_TRUE(image.save(path));
        EXPECT_TRUE(header->LoadFromFile(path));
        project.picture = header;
        project.crop = {100, 0, 1000, 122};
    }

    void Browse(const QString& path)
    {
        dialogs.openPaths.enqueue(path);
        QTest::mouseClick(page.BrowseButton(), Qt::LeftButton);
    }

    ScratchDir dir;
    FakeDialogs dialogs;
    SharedPicture header = std::make_shared<CSkinImage>();
    SkinContent project;
    SkinDocument document;
    CSaveSkin page;
};

} // namespace

TEST(SaveThumbnail, AutomaticRectangleIsTheHeadersRightEnd)
{
    EXPECT_EQ(CSaveSkin::AutoThumbnailRect({0, 0, 700, 61}), (SkinRect{601, 0, 700, 61}));
    EXPECT_EQ(CSaveSkin::AutoThumbnailRect({0, 0, 700, 122}), (SkinRect{502, 0, 700, 122}));
    EXPECT_EQ(CSaveSkin::AutoThumbnailRect({10, 5, 710, 66}), (SkinRect{611, 5, 710, 66}));
}

TEST_F(SavePage, WithoutAChosenThumbnailTheHeaderEndIsShownAndNothingIsStored)
{
    document.Load(project);
    EXPECT_TRUE(Near(CentreOf(page.ThumbnailPreview()), qRgb(0, 0, 255)));
    EXPECT_EQ(page.PathEdit()->text(), CSaveSkin::ThumbnailHint());

    page.NameEdit()->setText(QStringLiteral("我的皮肤"));
    project.thumbnailPath = "stale.bmp";
    project = document.Content();
    EXPECT_TRUE(project.thumbnailPath.isEmpty());
    EXPECT_EQ(project.skinName, QStringLiteral("我的皮肤"));
}

TEST_F(SavePage, BrowseChoosesAThumbnail)
{
    const QString green = SolidPicture(dir, "green.bmp", {300, 300}, QColor(0, 255, 0));
    document.Load(project);
    Browse(green);
    ASSERT_EQ(dialogs.openRequests.size(), 1);
    EXPECT_EQ(dialogs.openRequests[0].filter, QStringLiteral("图片(*.jpg *.jpeg *.png *.bmp)"));
    EXPECT_TRUE(page.ThumbnailChosen());
    EXPECT_EQ(page.PathEdit()->text(), green);
    EXPECT_TRUE(Near(CentreOf(page.ThumbnailPreview()), qRgb(0, 255, 0)));

    // Coming back to the step keeps the chosen thumbnail.
    page.hide();
    page.show();
    EXPECT_TRUE(Near(CentreOf(page.ThumbnailPreview()), qRgb(0, 255, 0)));

    project = document.Content();
    EXPECT_EQ(project.thumbnailPath, green);
    ASSERT_NE(project.thumbnailPicture, nullptr);
    EXPECT_EQ(project.thumbnailPicture->GetSize(), QSize(300, 300));

    // Cancelling the dialog changes nothing.
    QTest::mouseClick(page.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(page.PathEdit()->text(), green);
    EXPECT_TRUE(page.ThumbnailChosen());
}

TEST_F(SavePage, FailedBrowseKeepsTheEarlierThumbnail)
{
    const QString green = SolidPicture(dir, "green.bmp", {120, 74}, QColor(0, 255, 0));
    ASSERT_TRUE(skintest::WriteAll(dir.file("broken.jpg"), "not a picture"));
    document.Load(project);
    Browse(green);
    Browse(dir.file("broken.jpg"));

    EXPECT_EQ(page.PathEdit()->text(), QStringLiteral("加载图片失败！"));
    EXPECT_TRUE(page.ThumbnailChosen());
    EXPECT_EQ(page.ThumbnailPath(), green);
    EXPECT_TRUE(Near(CentreOf(page.ThumbnailPreview()), qRgb(0, 255, 0)));
    project = document.Content();
    EXPECT_EQ(project.thumbnailPath, green);
    ASSERT_NE(project.thumbnailPicture, nullptr);
    EXPECT_TRUE(project.thumbnailPicture->HasPicture());
}

TEST_F(SavePage, FailedFirstBrowseFallsBackToTheHeader)
{
    ASSERT_TRUE(skintest::WriteAll(dir.file("broken.bmp"), "BM nothing"));
    document.Load(project);
    Browse(dir.file("broken.bmp"));
    EXPECT_EQ(page.PathEdit()->text(), QStringLiteral("加载图片失败！"));
    EXPECT_FALSE(page.ThumbnailChosen());
    EXPECT_TRUE(Near(CentreOf(page.ThumbnailPreview()), qRgb(0, 0, 255)));
    project = document.Content();
    EXPECT_TRUE(project.thumbnailPath.isEmpty());
}

TEST_F(SavePage, OpenedPackageThumbnailCountsAsChosenUntilRemake)
{
    const QString small = SolidPicture(dir, "small.bmp", {60, 37}, QColor(0, 255, 0));
    project.skinName = QStringLiteral("打开的皮肤");
    project.thumbnailPath = small;
    document.Load(project);
    EXPECT_EQ(page.NameEdit()->text(), QStringLiteral("打开的皮肤"));
    EXPECT_TRUE(page.ThumbnailChosen());
    EXPECT_EQ(page.PathEdit()->text(), small);

    document.Reset();
    page.ResetPage();
    EXPECT_TRUE(page.NameEdit()->text().isEmpty());
    EXPECT_FALSE(page.ThumbnailChosen());
    EXPECT_EQ(page.PathEdit()->text(), CSaveSkin::ThumbnailHint());
    project = document.Content();
    EXPECT_TRUE(project.thumbnailPath.isEmpty());
    EXPECT_TRUE(project.skinName.isEmpty());
}

TEST_F(SavePage, OpenedPackageWithoutAReadableThumbnailCutsOneFromTheHeader)
{
    const QString green = SolidPicture(dir, "green.bmp", {60, 37}, QColor(0, 255, 0));
    Browse(green);
    const QString mid = SolidPicture(dir, "TopPanelBKMid.bmp", {700, 61}, QColor(0, 0, 255));
    ASSERT_TRUE(skintest::WriteAll(dir.file("small.bmp"), "BM not a picture"));
    const QString package = dir.file("broken-thumbnail.vsf");
    ASSERT_TRUE(ZipPackFiles({mid, dir.file("small.bmp")}, package));
    ASSERT_TRUE(OpenPackage(package, document).ok);
    EXPECT_FALSE(page.ThumbnailChosen());
    EXPECT_EQ(page.PathEdit()->text(), CSaveSkin::ThumbnailHint());
    EXPECT_TRUE(document.ThumbnailPath().isEmpty());
}

TEST_F(SavePage, NameIsNotLimitedAndLinkGoesToTheUploadPage)
{
    const QString longName = QString(40, QChar(0x76AE));
    page.NameEdit()->insert(longName);
    project = document.Content();
    EXPECT_EQ(project.skinName, longName);
    EXPECT_TRUE(page.UploadLink()->Target().endsWith(QStringLiteral("/skin/st/UpSkin")));
    EXPECT_EQ(page.UploadLink()->text(), QStringLiteral("将皮肤上传到Vadi网站"));
}
