// The wizard together with the real header image page: a chosen picture opens the way
// forward, the arrow keys move the crop frame, the picture and the crop are the document's.
#include "app/CWizardDlg.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinHeadDlg.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WizardRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
        page = wizard.HeadPage();
        QImage picture(1400, 900, QImage::Format_RGB32);
        picture.fill(qRgb(40, 120, 200));
        path = dir.file("photo.png");
        ASSERT_TRUE(picture.save(path));
    }

    bool LoadPicture()
    {
        page->ChoosePicture(path);
        return QTest::qWaitFor([this] { return !page->IsLoading() && !page->CropRect().IsNull(); }, 20000);
    }

    void Key(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr && focus->window() == &wizard ? focus : &wizard, key);
    }

    skintest::ScratchDir dir;
    QString path;
    FakeDialogs dialogs;
    CWizardDlg wizard;
    CSkinHeadDlg* page = nullptr;
};

TEST_F(WizardRoadTest, ChosenPictureEnablesNextAndNextStoresIt)
{
    QPushButton* next = wizard.CommandButton(ID_NEXT);
    EXPECT_FALSE(next->isEnabled());
    ASSERT_TRUE(LoadPicture());
    EXPECT_TRUE(next->isEnabled());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_EQ(wizard.Document().PicturePath(), path);
    EXPECT_EQ(wizard.Document().Crop(), page->CropRect());
    ASSERT_NE(wizard.Document().Picture(), nullptr);
    EXPECT_EQ(wizard.Document().Picture()->GetSize(), QSize(1400, 900));

    // Remake empties the page and closes the way forward again.
    QTest::mouseClick(wizard.CommandButton(ID_PREVIOUS), Qt::LeftButton);
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    for (int i = 0; i < 5; ++i)
        wizard.CommandButton(ID_NEXT)->click();
    ASSERT_EQ(wizard.CurrentIndex(), 5);
    // The skin was never saved: Remake asks, and 不保存 lets it go.
    dialogs.answer = QMessageBox::Discard;
    wizard.CommandButton(ID_REMAKE)->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(page->CropRect().IsNull());
}

TEST_F(WizardRoadTest, ArrowKeysMoveTheCropFrameOnTheFirstStepOnly)
{
    ASSERT_TRUE(LoadPicture());
    const SkinRect start = page->CropRect();

    Key(Qt::Key_Down);
    const SkinRect down = page->CropRect();
    EXPECT_GT(down.top, start.top);
    EXPECT_EQ(down.Height(), start.Height());
    Key(Qt::Key_Up);
    EXPECT_EQ(page->CropRect().top, start.top);

    // On the next step the keys no longer reach the crop frame.
    wizard.CommandButton(ID_NEXT)->click();
    ASSERT_EQ(wizard.CurrentIndex(), 1);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(page->CropRect(), start);
}

} // namespace
