#include "controls/CLinkLabel.h"
#include "controls/CPictureCtrl.h"
#include "controls/CPreviewCtrl.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinHeadDlg.h"
#include "skin/SkinDocument.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

bool WritePicture(const QString& path, int width, int height, const char* format = nullptr)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 90));
    return image.save(path, format);
}

class SkinHeadDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.resize(874, 632);
        page = new CSkinHeadDlg(document, &wizard);
        ready.emplace(page, &CSkinHeadDlg::pictureReady);
        gone.emplace(page, &CSkinHeadDlg::pictureGone);
        opened.emplace(page, &CSkinHeadDlg::openPackageRequested);
        page->setGeometry(0, 30, 874, 567);
        wizard.show();
        ASSERT_TRUE(WritePicture(dir.file("photo.jpg"), 1400, 600));
    }

    QString Hint() const { return page->findChild<QLineEdit*>(QStringLiteral("hint1025"))->text(); }
    QString Title() const { return page->findChild<QLabel*>(QStringLiteral("title1031"))->text(); }
    QString ButtonText() const { return page->findChild<QPushButton*>(QStringLiteral("button1005"))->text(); }
    bool IntroductionVisible() const
    {
        for (const char* name : {"text1056", "text1057", "text1058", "text1038", "text1059", "link1060",
                                 "group1068", "diagram1065"}) {
            if (page->findChild<QWidget*>(QString::fromLatin1(name))->isHidden())
                return false;
        }
        return true;
    }
    QWidget* Child(const char* name) const { return page->findChild<QWidget*>(QString::fromLatin1(name)); }

    bool WaitUntilLoaded()
    {
        return QTest::qWaitFor([&] { return !page->IsLoading(); }, 20000);
    }
    void ClickBrowse()
    {
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("button1005")), Qt::LeftButton);
    }

    ScratchDir dir;
    FakeDialogs dialogs;
    SkinDocument document;
    QWidget wizard;
    CSkinHeadDlg* page = nullptr;
    std::optional<QSignalSpy> ready;
    std::optional<QSignalSpy> gone;
    std::optional<QSignalSpy> opened;
};

TEST_F(SkinHeadDlgTest, StartsWithTheIntroductionAndTheFullHint)
{
    EXPECT_EQ(Title(), QStringLiteral("选择图片"));
    EXPECT_EQ(Hint(), QStringLiteral("jpg/jpeg/png/bmp格式图片，建议大小<10M，最佳尺寸为700x61像素"));
    EXPECT_EQ(ButtonText(), QStringLiteral("浏览"));
    EXPECT_TRUE(IntroductionVisible());
    EXPECT_TRUE(page->CropControl()->isHidden());
    EXPECT_EQ(page->Preview()->MainColor(), 0u);
    EXPECT_EQ(page->findChild<QGroupBox*>(QStringLiteral("group1016"))->title(),
              QStringLiteral("选择一张图片或者皮肤包，在其基础上制作或者修改Vadi音乐盒皮肤"));
    const auto* link = page->findChild<CLinkLabel*>(QStringLiteral("link1060"));
    EXPECT_EQ(link->text(), QStringLiteral("查看皮肤制作教程"));
    EXPECT_EQ(link->Target(), SiteUrl(QStringLiteral("/cafe/st/SubContent?subid=310650")));
    const QWidget* lastLine = Child("text1059");
    EXPECT_EQ(page->GreyAreaTop(), lastLine->y() + lastLine->height());
}

TEST_F(SkinHeadDlgTest, LayoutFollowsThePageSize)
{
    EXPECT_EQ(page->Preview()->geometry(), QRect(10, 416, 704, 141));
    EXPECT_EQ(page->CropControl()->geometry(), QRect(10, 119, 700, 267));
    EXPECT_EQ(Child("previewLabel")->pos(), QPoint(10, 396));

    page->resize(600, 400);
    EXPECT_EQ(page->Preview()->geometry(), QRect(10, 274, 580, 116));
    EXPECT_EQ(page->CropControl()->geometry(), QRect(10, 119, 700, 125));

    // The grey area from its top to the bottom, framed in black.
    QImage shot(page->size(), QImage::Format_RGB32);
    page->render(&shot);
    const int y = page->GreyAreaTop() + 20;
    EXPECT_EQ(shot.pixelColor(300, y), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shot.pixelColor(0, y), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(599, y), QColor(Qt::black));
}

TEST_F(SkinHeadDlgTest, BrowseSendsVsfInAnyCaseToTheWizard)
{
    dialogs.openPaths.enqueue(dir.file("a.vsf"));
    ClickBrowse();
    ASSERT_EQ(opened->count(), 1);
    EXPECT_EQ(opened->constFirst().constFirst().toString(), dir.file("a.vsf"));
    EXPECT_EQ(dialogs.openRequests.constFirst().filter, QString::fromUtf8(CSkinHeadDlg::kBrowseFilter));
    EXPECT_FALSE(page->IsLoading());
    dialogs.openPaths.enqueue(dir.file("A.VSF"));
    ClickBrowse();
    ASSERT_EQ(opened->count(), 2);
    EXPECT_EQ(opened->constLast().constFirst().toString(), dir.file("A.VSF"));

    // a.jpg is taken for a picture, and it is not one.
    ASSERT_TRUE(WriteAll(dir.file("a.jpg"), QByteArray("PK\x03\x04 not a picture")));
    dialogs.openPaths.enqueue(dir.file("a.jpg"));
    ClickBrowse();
    EXPECT_EQ(opened->count(), 2);
    EXPECT_EQ(Hint(), QStringLiteral("正在加载图片。。。"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_EQ(ready->count(), 0);
    // The layout of the previous state stays.
    EXPECT_EQ(Title(), QStringLiteral("选择图片"));
    EXPECT_TRUE(IntroductionVisible());
    EXPECT_TRUE(page->CropControl()->isHidden());

    // A name without a dot is a picture too.
    ASSERT_TRUE(WritePicture(dir.file("nodot"), 300, 200, "BMP"));
    page->OpenChosenFile(dir.file("nodot.x").chopped(2));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(ready->count(), 1);
}

TEST_F(SkinHeadDlgTest, ClickableTextsAskWithTheirOwnFilters)
{
    dialogs.openPaths.enqueue(dir.file("b.VSF"));
    QTest::mouseClick(Child("text1038"), Qt::LeftButton);
    ASSERT_EQ(opened->count(), 1) << "a chosen package is not tested by the page";
    EXPECT_EQ(opened->constFirst().constFirst().toString(), dir.file("b.VSF"));
    EXPECT_EQ(dialogs.openRequests.constLast().filter, QString::fromUtf8(CSkinHeadDlg::kPackageFilter));
    EXPECT_EQ(dialogs.openRequests.constLast().defaultSuffix, QStringLiteral("vsf"));

    dialogs.openPaths.enqueue(dir.file("photo.jpg"));
    QTest::mouseClick(Child("text1057"), Qt::LeftButton);
    EXPECT_EQ(dialogs.openRequests.constLast().filter, QString::fromUtf8(CSkinHeadDlg::kPictureFilter));
    EXPECT_TRUE(page->IsLoading());
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(ready->count(), 1);

    // A cancelled dialog changes nothing.
    QTest::mouseClick(Child("text1057"), Qt::LeftButton);
    EXPECT_FALSE(page->IsLoading());
    EXPECT_EQ(Hint(), QStringLiteral("在下方预览区域内截取图片！"));
}

TEST_F(SkinHeadDlgTest, PictureLoadsOnAWorkerAndSwitchesToCropping)
{
    page->ChoosePicture(dir.file("photo.jpg"));
    // The choice returns at once; the wizard hears of the picture only when it is decoded.
    EXPECT_EQ(Hint(), QStringLiteral("正在加载图片。。。"));
    EXPECT_EQ(ready->count(), 0);
    EXPECT_FALSE(page->CropControl()->HasPicture());
    ASSERT_TRUE(WaitUntilLoaded());

    EXPECT_EQ(ready->count(), 1);
    EXPECT_EQ(Title(), QStringLiteral("截取头图"));
    EXPECT_EQ(Hint(), QStringLiteral("在下方预览区域内截取图片！"));
    EXPECT_EQ(ButtonText(), QStringLiteral("重新选择图片"));
    EXPECT_FALSE(IntroductionVisible());
    EXPECT_TRUE(page->CropControl()->isVisible());
    const QWidget* group = Child("group1016");
    EXPECT_EQ(page->GreyAreaTop(), group->y() + group->height() + 5);

    // The crop control's first paint reports the crop; the page keeps it and shows it.
    page->CropControl()->repaint();
    const SkinRect crop = page->CropRect();
    EXPECT_GT(crop.Width(), 0);
    EXPECT_NEAR(crop.Width() * 61 / 700, crop.Height(), 2);
    EXPECT_EQ(page->Preview()->PictureRect(), crop);
    EXPECT_EQ(page->Preview()->Picture(), page->CropControl()->Picture());

    page->NudgeCrop(0, -1);
    // One client pixel is about 2.25 picture pixels here.
    EXPECT_NEAR(page->CropRect().top, crop.top - 2, 1);
    EXPECT_EQ(page->CropRect().left, crop.left);

    SkinContent project;
    project = document.Content();
    EXPECT_EQ(project.picturePath, dir.file("photo.jpg"));
    EXPECT_EQ(project.picture, page->CropControl()->Picture());
    EXPECT_EQ(project.crop, page->CropRect());
    EXPECT_EQ(project.picture->GetSize(), QSize(1400, 600));
}

TEST_F(SkinHeadDlgTest, NewestChoiceWins)
{
    ASSERT_TRUE(WritePicture(dir.file("big.jpg"), 3000, 2000));
    ASSERT_TRUE(WritePicture(dir.file("small.bmp"), 350, 150));
    page->ChoosePicture(dir.file("big.jpg"));
    page->ChoosePicture(dir.file("photo.jpg"));
    page->ChoosePicture(dir.file("small.bmp"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(ready->count(), 1);
    EXPECT_EQ(page->PicturePath(), dir.file("small.bmp"));
    EXPECT_EQ(page->CropControl()->Picture()->GetSize(), QSize(350, 150));
}

TEST_F(SkinHeadDlgTest, FailedLoadAfterCroppingKeepsThePictureAndItsCrop)
{
    ASSERT_TRUE(WriteAll(dir.file("broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really a picture")));
    page->ChoosePicture(dir.file("photo.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    page->CropControl()->repaint();
    page->NudgeCrop(0, -3);
    const SkinRect crop = page->CropRect();
    const SkinRect controlCrop = page->CropControl()->Crop();
    ASSERT_GT(crop.Width(), 0);
    const QImage shown = page->CropControl()->grab().toImage();

    for (const char* name : {"broken.jpg", "missing.jpg"}) {
        page->ChoosePicture(dir.file(name));
        ASSERT_TRUE(WaitUntilLoaded());
        EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！")) << name;
        EXPECT_EQ(Title(), QStringLiteral("截取头图"));
        EXPECT_FALSE(IntroductionVisible());
        EXPECT_TRUE(page->CropControl()->isVisible());
        EXPECT_EQ(ready->count(), 1);

        // the earlier picture is still the one shown, cropped where the user left it
        EXPECT_EQ(page->PicturePath(), dir.file("photo.jpg")) << name;
        EXPECT_TRUE(page->CropControl()->HasPicture()) << name;
        EXPECT_EQ(page->CropControl()->Crop(), controlCrop) << name;
        EXPECT_EQ(page->CropRect(), crop) << name;
        EXPECT_EQ(page->Preview()->Picture(), page->CropControl()->Picture());
        EXPECT_EQ(page->Preview()->PictureRect(), crop);
        EXPECT_EQ(page->CropControl()->grab().toImage(), shown) << name;

        SkinContent project;
        project = document.Content();
        EXPECT_EQ(project.picturePath, dir.file("photo.jpg"));
        ASSERT_NE(project.picture, nullptr);
        EXPECT_EQ(project.picture->GetSize(), QSize(1400, 600));
        EXPECT_EQ(project.crop, crop);
    }

    // the crop keeps working on the kept picture
    page->NudgeCrop(0, 1);
    EXPECT_NE(page->CropRect(), crop);
}

TEST_F(SkinHeadDlgTest, FailedLoadFallsBackToThePictureShownNotToADroppedOne)
{
    ASSERT_TRUE(WritePicture(dir.file("small.bmp"), 350, 150));
    page->ChoosePicture(dir.file("photo.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    page->CropControl()->repaint();
    const SkinRect crop = page->CropRect();
    const SharedPicture shown = page->CropControl()->Picture();
    // small.bmp is decoded but passed over for the next choice, which fails: its result was
    // dropped, so the page goes back to the picture it showed
    page->ChoosePicture(dir.file("small.bmp"));
    page->ChoosePicture(dir.file("missing.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_TRUE(page->CropControl()->HasPicture());
    EXPECT_EQ(page->PicturePath(), dir.file("photo.jpg"));
    EXPECT_EQ(page->CropControl()->Picture(), shown);
    EXPECT_EQ(page->CropRect(), crop);
    EXPECT_EQ(page->Preview()->PictureRect(), page->CropRect());
}

TEST_F(SkinHeadDlgTest, FailedFirstLoadOrLoadAfterResetShowsNoPicture)
{
    page->ChoosePicture(dir.file("missing.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_TRUE(IntroductionVisible());
    EXPECT_TRUE(page->CropControl()->isHidden());
    EXPECT_FALSE(page->CropControl()->HasPicture());
    EXPECT_FALSE(page->Preview()->HasPicture());
    EXPECT_EQ(ready->count(), 0);

    // a picture shown before a reset does not come back when the next choice fails
    page->ChoosePicture(dir.file("photo.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    page->ChoosePicture(dir.file("photo.jpg"));
    document.Reset();
    page->ResetPage();
    page->ChoosePicture(dir.file("missing.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_FALSE(page->CropControl()->HasPicture());
    EXPECT_EQ(page->CropControl()->Picture(), nullptr);
    EXPECT_FALSE(page->Preview()->HasPicture());
}

// The first choice decodes while a second one waits and then fails: the first picture was never
// shown, so the page stays in its introduction instead of falling back to it.
TEST_F(SkinHeadDlgTest, FailedSecondChoiceDuringTheFirstLoadShowsNoPicture)
{
    page->ChoosePicture(dir.file("photo.jpg"));
    page->ChoosePicture(dir.file("missing.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_FALSE(page->CropControl()->HasPicture());
    EXPECT_FALSE(page->Preview()->HasPicture());
    EXPECT_TRUE(IntroductionVisible());
    EXPECT_EQ(ready->count(), 0);
}

TEST_F(SkinHeadDlgTest, ResetReturnsToTheIntroductionButKeepsTheTitle)
{
    page->ChoosePicture(dir.file("photo.jpg"));
    ASSERT_TRUE(WaitUntilLoaded());
    page->ResetPage();
    EXPECT_EQ(Hint(), QStringLiteral("jpg/jpeg/png/bmp格式图片，建议大小<10M"));
    EXPECT_EQ(ButtonText(), QStringLiteral("浏览"));
    EXPECT_EQ(Title(), QStringLiteral("截取头图"));
    EXPECT_TRUE(IntroductionVisible());
    EXPECT_TRUE(page->CropControl()->isHidden());
    EXPECT_FALSE(page->CropControl()->HasPicture());
    EXPECT_FALSE(page->Preview()->HasPicture());
    const QWidget* lastLine = Child("text1059");
    EXPECT_EQ(page->GreyAreaTop(), lastLine->y() + lastLine->height());

    // A load still running when the page is reset is dropped when it ends.
    page->ChoosePicture(dir.file("photo.jpg"));
    page->ResetPage();
    ASSERT_TRUE(WaitUntilLoaded());
    QCoreApplication::processEvents();
    EXPECT_EQ(ready->count(), 1);
    EXPECT_FALSE(page->CropControl()->HasPicture());
    EXPECT_EQ(page->CropControl()->Picture(), nullptr);
    EXPECT_TRUE(page->CropControl()->isHidden());
}

TEST_F(SkinHeadDlgTest, OpenedProjectLoadsAtOnce)
{
    SkinContent project;
    project.picturePath = dir.file("photo.jpg");
    project.picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(project.picture->LoadFromFile(project.picturePath));
    page->ChoosePicture(dir.file("missing.jpg")); // still loading when the package arrives
    document.Load(project);
    EXPECT_FALSE(page->IsLoading());
    EXPECT_EQ(ready->count(), 1);
    EXPECT_TRUE(page->CropControl()->HasPicture());
    EXPECT_EQ(page->PicturePath(), dir.file("photo.jpg"));
    EXPECT_EQ(Title(), QStringLiteral("截取头图"));
    QCoreApplication::processEvents(); // the dropped load's thread has ended: its notice is queued
    EXPECT_EQ(ready->count(), 1) << "the dropped load reports nothing later";
    // An opened header is taken whole, with the crop the open gave, not cut by the first-crop rule.
    project.crop = {0, 0, 1400, 600};
    document.Load(project);
    EXPECT_EQ(page->CropControl()->ShownCrop(), page->CropControl()->Display())
        << "the frame shows that crop";
    SkinContent saved;
    saved = document.Content();
    EXPECT_EQ(saved.crop, project.crop);

    project.picturePath = dir.file("HeadTemp.bmp"); // the package had no header strips
    project.picture = nullptr;
    document.Load(project);
    EXPECT_EQ(Hint(), QStringLiteral("加载图片失败！"));
    EXPECT_EQ(gone->count(), 1) << "no picture is shown: the wizard disables Next";
}

TEST_F(SkinHeadDlgTest, NextDuringALoadWaitsForThePicture)
{
    page->ChoosePicture(dir.file("photo.jpg"));
    page->FinishLoading();
    SkinContent project;
    project = document.Content();
    EXPECT_FALSE(page->IsLoading());
    EXPECT_EQ(project.picture->GetSize(), QSize(1400, 600));
    EXPECT_EQ(ready->count(), 1);
}

TEST_F(SkinHeadDlgTest, DroppedFilesActLikeBrowse)
{
    auto drop = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(page, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(page, &dropped);
        return true;
    };
    EXPECT_TRUE(drop(dir.file("skin.vsf")));
    EXPECT_EQ(opened->count(), 1);
    EXPECT_FALSE(drop(dir.file("notes.txt")));
    EXPECT_TRUE(drop(dir.file("photo.jpg")));
    ASSERT_TRUE(WaitUntilLoaded());
    EXPECT_EQ(ready->count(), 1);
}

} // namespace

namespace {

TEST(SkinHeadDlgLifetime, PageClosedDuringALoadWaitsForItsWorker)
{
    ScratchDir dir;
    ASSERT_TRUE(WritePicture(dir.file("big.jpg"), 3000, 2000));
    SkinDocument document;
    QWidget wizard;
    auto* page = new CSkinHeadDlg(document, &wizard);
    QSignalSpy ready(page, &CSkinHeadDlg::pictureReady);
    page->resize(874, 567);
    page->ChoosePicture(dir.file("big.jpg"));
    EXPECT_TRUE(page->IsLoading());
    delete page;
    // The finished worker's late notice, already posted, must find nothing to touch.
    QCoreApplication::processEvents();
    EXPECT_EQ(ready.count(), 0);
}

} // namespace
