// The wizard's menu button, its keys (F1, Enter, access keys) and PNG pictures on every way in.
#include "app/CWizardApp.h"
#include "app/CWizardDlg.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinHeadDlg.h"
#include "platform/SiteLinks.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using skintest::ScratchDir;

class WizardMenuKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        site = qgetenv("SKINMAKER_SITE");
        qputenv("SKINMAKER_SITE", "http://site.example");
        wizard.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
        // Active as the window system sees it too, for the access keys.
        wizard.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    }
    void TearDown() override
    {
        if (site.isNull())
            qunsetenv("SKINMAKER_SITE");
        else
            qputenv("SKINMAKER_SITE", site);
    }
    void GivePicture()
    {
        const SharedPicture picture = skintest::PlainPicture();
        ASSERT_NE(picture, nullptr);
        wizard.Document().SetPicture(QStringLiteral("picture.png"), picture);
        emit wizard.HeadPage()->pictureReady();
    }

    // A key as the keyboard sends it: to the focus widget.
    void Press(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &wizard, key);
    }

    QByteArray site;
    FakeDialogs dialogs;
    CWizardDlg wizard;
};

TEST_F(WizardMenuKeys, MenuButtonOffersTheAboutBoxWithItsLicences)
{
    auto* button = wizard.findChild<QToolButton*>(QStringLiteral("programMenu"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(button->geometry().intersects(wizard.StepButton(CWizardDlg::kStepCount - 1)->geometry()));
    dialogs.menuChoice = "关于皮肤制作工具(&A)...";
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialogs.menuTexts, QStringList{"关于皮肤制作工具(&A)..."});
    ASSERT_EQ(dialogs.dialogTitles, QStringList{"关于皮肤制作工具"});
    const QString about = dialogs.dialogTexts.join('\n');
    EXPECT_TRUE(about.contains("没有声明许可证")) << about.toStdString();
    EXPECT_TRUE(about.contains("MIT") && about.contains("Apache-2.0")) << about.toStdString();
    EXPECT_TRUE(about.contains("org.skinmaker.skinmaker")) << about.toStdString();
}

TEST_F(WizardMenuKeys, F1OpensTheHelpOfTheStepShowing)
{
    Press(Qt::Key_F1);
    ASSERT_EQ(dialogs.openedUrls.size(), 1);
    EXPECT_EQ(dialogs.openedUrls.last().toString(), SiteUrl(SitePage::MakingHelp));

    GivePicture();
    QTest::mouseClick(wizard.CommandButton(ID_NEXT), Qt::LeftButton);
    QTest::mouseClick(wizard.CommandButton(ID_NEXT), Qt::LeftButton);
    ASSERT_EQ(wizard.CurrentIndex(), StretchStep);
    Press(Qt::Key_F1);
    ASSERT_EQ(dialogs.openedUrls.size(), 2);
    EXPECT_EQ(dialogs.openedUrls.last().toString(), SiteUrl(SitePage::StretchHelp));
    EXPECT_EQ(CWizardDlg::StepHelpPage(FrameStep), SitePage::FrameHelp);
    EXPECT_EQ(CWizardDlg::StepHelpPage(ControlsStep), SitePage::ControlsHelp);

    // Without a site F1 says so instead of opening nothing.
    qputenv("SKINMAKER_SITE", "");
    Press(Qt::Key_F1);
    EXPECT_EQ(dialogs.openedUrls.size(), 2);
    EXPECT_EQ(dialogs.MessageTexts().last(), NoSiteMessage());
}

TEST_F(WizardMenuKeys, EnterPressesNextButNotFromATextField)
{
    QTest::keyClick(&wizard, Qt::Key_Return);
    EXPECT_EQ(wizard.CurrentIndex(), HeaderStep) << "Next is disabled without a picture";
    GivePicture();
    EXPECT_TRUE(wizard.CommandButton(ID_NEXT)->isDefault());
    QTest::keyClick(&wizard, Qt::Key_Return);
    EXPECT_EQ(wizard.CurrentIndex(), ColorStep);
    QTest::keyClick(&wizard, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(wizard.CurrentIndex(), StretchStep);

    auto* edit = new QLineEdit(wizard.Page(StretchStep));
    edit->show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(wizard.CurrentIndex(), StretchStep);
    EXPECT_TRUE(wizard.isVisible());
}

TEST_F(WizardMenuKeys, AccessKeysPressTheCommandButtons)
{
    GivePicture();
    // A button pressed by its access key clicks itself a moment later, as it shows the press.
    QTest::keyClick(&wizard, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentIndex() == ColorStep; }));
    QTest::keyClick(&wizard, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentIndex() == HeaderStep; }));
    // Every button has its own key, named in its tooltip.
    QSet<QKeySequence> keys;
    for (int id = ID_PREVIOUS; id <= ID_REMAKE; ++id) {
        const QPushButton* button = wizard.CommandButton(id);
        keys.insert(button->shortcut());
        EXPECT_TRUE(button->toolTip().contains(button->shortcut().toString(QKeySequence::NativeText)))
            << button->toolTip().toStdString();
    }
    EXPECT_EQ(keys.size(), 7);
}

TEST_F(WizardMenuKeys, PngPicturesAreTakenByDialogDropAndCommandLine)
{
    ScratchDir dir;
    const QString png = dir.file("photo.PNG");
    QImage photo(1400, 200, QImage::Format_RGB32);
    photo.fill(qRgb(200, 80, 40));
    ASSERT_TRUE(photo.save(png, "PNG"));

    for (const char* filter : {CSkinHeadDlg::kPictureFilter, CSkinHeadDlg::kBrowseFilter})
        EXPECT_TRUE(QString::fromUtf8(filter).contains("*.png")) << filter;

    CSkinHeadDlg* page = wizard.HeadPage();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(png)});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &enter);
    EXPECT_TRUE(enter.isAccepted());

    // The command line names the file; it is opened as a picture.
    ASSERT_EQ(StartupFile({png}), png);
    page->OpenChosenFile(png);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->IsLoading(); }, 20000));
    EXPECT_TRUE(wizard.CommandButton(ID_NEXT)->isEnabled());
    EXPECT_EQ(wizard.Document().Picture()->GetSize(), QSize(1400, 200));
}

} // namespace
