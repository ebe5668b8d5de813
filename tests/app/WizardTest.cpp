#include "app/CWizardDlg.h"
#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CWizardPage.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    }

    QPushButton* Button(int id) { return wizard.CommandButton(id); }
    void Click(int id)
    {
        QPushButton* button = Button(id);
        ASSERT_TRUE(button->isVisible()) << id;
        ASSERT_TRUE(button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void ClickTab(int index)
    {
        QPushButton* tab = wizard.StepButton(index);
        ASSERT_TRUE(tab->isEnabled()) << index;
        QTest::mouseClick(tab, Qt::LeftButton);
    }
    void PictureReady() { emit wizard.HeadPage()->pictureReady(); }
    // A 1400 x 122 picture in the document, as a finished load leaves it (crop: all of it).
    void GivePicture()
    {
        const SharedPicture picture = skintest::PlainPicture();
        ASSERT_NE(picture, nullptr);
        wizard.Document().SetPicture(QStringLiteral("picture.png"), picture);
    }
    // From the start to step index by Next.
    void NextTo(int index)
    {
        PictureReady();
        while (wizard.CurrentIndex() < index)
            Click(ID_NEXT);
    }
    // Visible command buttons mapped to the slot they sit in.
    std::map<int, int> Shown()
    {
        std::map<int, int> shown;
        for (int id = ID_PREVIOUS; id <= ID_REMAKE; ++id) {
            QPushButton* button = Button(id);
            if (!button->isVisible())
                continue;
            int slot = -1;
            for (int k = 0; k < 4; ++k) {
                if (button->geometry() == wizard.ButtonSlot(k))
                    slot = k;
            }
            shown[id] = slot;
        }
        return shown;
    }
    std::vector<bool> TabsEnabled()
    {
        std::vector<bool> enabled;
        for (int i = 0; i < 6; ++i)
            enabled.push_back(wizard.StepButton(i)->isEnabled());
        return enabled;
    }
    int VisiblePage()
    {
        int visible = -1;
        for (int i = 0; i < 6; ++i) {
            if (wizard.Page(i)->isVisible()) {
                EXPECT_EQ(visible, -1) << "two pages visible";
                visible = i;
            }
        }
        return visible;
    }

    FakeDialogs dialogs;
    CWizardDlg wizard;
};

using Layout = std::map<int, int>;

TEST_F(WizardTest, StartsOnTheFirstStepWithNextDisabled)
{
    EXPECT_EQ(wizard.windowTitle(), "皮肤制作工具");
    EXPECT_EQ(wizard.size(), QSize(874, 632));
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(VisiblePage(), 0);
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(Shown(), (Layout{{ID_NEXT, 2}, {ID_EXIT, 3}}));
    EXPECT_FALSE(Button(ID_NEXT)->isEnabled());
    // Nothing chosen yet: nothing to lose.
    EXPECT_TRUE(wizard.IsSaved());

    const char* captions[] = {"上一步", "下一步", "跳过", "退出", "保存皮肤", "立即试用", "重新制作"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Button(ID_PREVIOUS + i)->text(), QString::fromUtf8(captions[i]));
    const char* tabs[] = {"1、制作头图", "2、配置颜色", "3、设置拉伸",
                          "4、装饰边框", "5、选择控件", "6、保存皮肤"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(wizard.StepButton(i)->text(), QString::fromUtf8(tabs[i]));
    const int templates[] = {129, 130, 131, 132, 178, 133};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(wizard.Page(i)->TemplateId(), templates[i]);
    EXPECT_EQ(wizard.Page(6), nullptr);
    EXPECT_EQ(wizard.CommandButton(30019), nullptr);
    EXPECT_EQ(wizard.CommandButton(30027), nullptr);
}

TEST_F(WizardTest, PictureReadyEnablesNextAndPictureGoneDisablesIt)
{
    PictureReady();
    EXPECT_TRUE(Button(ID_NEXT)->isEnabled());
    EXPECT_EQ(wizard.focusWidget(), Button(ID_NEXT));
    emit wizard.HeadPage()->pictureGone();
    EXPECT_FALSE(Button(ID_NEXT)->isEnabled());
}

TEST_F(WizardTest, PackageChosenOnStep1IsOpenedByTheWizard)
{
    emit wizard.HeadPage()->openPackageRequested(QStringLiteral("/nonexistent/skin.vsf"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("无法打开皮肤包：")))
        << dialogs.messages[0].text.toStdString();
}

TEST_F(WizardTest, EveryStepLaysOutItsButtons)
{
    // Slots for the 874 x 632 client: 70 x 20, 10 apart, 10 from the right and bottom edges.
    EXPECT_EQ(wizard.ButtonSlot(0), QRect(554, 602, 70, 20));
    EXPECT_EQ(wizard.ButtonSlot(3), QRect(794, 602, 70, 20));

    const Layout expected[6] = {
        {{ID_NEXT, 2}, {ID_EXIT, 3}},
        {{ID_PREVIOUS, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}},
        {{ID_PREVIOUS, 0}, {ID_SKIP, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}},
        {{ID_PREVIOUS, 0}, {ID_SKIP, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}},
        {{ID_PREVIOUS, 0}, {ID_SKIP, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}},
        {{ID_PREVIOUS, 0}, {ID_SAVE_SKIN, 1}, {ID_TRY_NOW, 2}, {ID_REMAKE, 3}},
    };
    PictureReady();
    for (int step = 0; step < 6; ++step) {
        ASSERT_EQ(wizard.CurrentIndex(), step);
        EXPECT_EQ(Shown(), expected[step]) << "step " << step;
        EXPECT_EQ(VisiblePage(), step);
        std::vector<bool> tabs(6, false);
        for (int i = 0; i <= step; ++i)
            tabs[i] = true;
        EXPECT_EQ(TabsEnabled(), tabs) << "step " << step;
        if (step >= 2 && step <= 4) {
            // Next leaves the keyboard on the new page, never on Skip (a second Space would skip).
            EXPECT_NE(wizard.focusWidget(), Button(ID_SKIP)) << "step " << step;
            EXPECT_TRUE(wizard.Page(step)->isAncestorOf(wizard.focusWidget())) << "step " << step;
        }
        if (step < 5)
            Click(ID_NEXT);
    }
    // And back again with Previous, each step with its own layout.
    for (int step = 4; step >= 0; --step) {
        Click(ID_PREVIOUS);
        ASSERT_EQ(wizard.CurrentIndex(), step);
        EXPECT_EQ(Shown(), expected[step]) << "back to step " << step;
        EXPECT_EQ(VisiblePage(), step);
    }
}

TEST_F(WizardTest, SkipOnTheStretchStepClosesStepsFourAndFive)
{
    GivePicture();
    NextTo(2);
    wizard.Document().SetStretchRegion({10, 0, 200, 122});
    ASSERT_FALSE(wizard.Document().StretchRegion().IsNull());
    Click(ID_SKIP);
    EXPECT_EQ(wizard.CurrentIndex(), 5);
    EXPECT_TRUE(wizard.IsSkipped());
    EXPECT_TRUE(wizard.Document().StretchRegion().IsNull());
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, true, true, false, false, true}));
    EXPECT_EQ(VisiblePage(), 5);

    // Previous returns to the stretch step, not to step 5.
    Click(ID_PREVIOUS);
    EXPECT_EQ(wizard.CurrentIndex(), 2);
    EXPECT_EQ(VisiblePage(), 2);

    // Passing the stretch step with Next opens steps 4 and 5 again.
    Click(ID_NEXT);
    EXPECT_FALSE(wizard.IsSkipped());
    Click(ID_NEXT);
    Click(ID_NEXT);
    EXPECT_EQ(wizard.CurrentIndex(), 5);
    EXPECT_EQ(TabsEnabled(), std::vector<bool>(6, true));
    Click(ID_PREVIOUS);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
}

TEST_F(WizardTest, SkipOnStepsFourAndFiveMovesOneStepOn)
{
    NextTo(3);
    Click(ID_SKIP);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
    EXPECT_FALSE(wizard.IsSkipped());
    Click(ID_SKIP);
    EXPECT_EQ(wizard.CurrentIndex(), 5);
    Click(ID_PREVIOUS);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
}

TEST_F(WizardTest, TabsMoveWithoutSavingAndCloseLaterSteps)
{
    NextTo(5);
    ClickTab(1);
    EXPECT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_EQ(VisiblePage(), 1);
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, true, false, false, false, false}));
    EXPECT_EQ(Shown(), (Layout{{ID_PREVIOUS, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}}));
}

TEST_F(WizardTest, TabOfStepFiveClosesStepFourWithoutAStretchRegion)
{
    GivePicture();
    NextTo(5);
    wizard.Document().SetStretchRegion({});
    ClickTab(4);
    EXPECT_EQ(wizard.CurrentIndex(), 4);
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, true, true, false, true, false}));

    Click(ID_NEXT);
    ASSERT_FALSE(wizard.Document().SetStretchRegion({100, 0, 600, 122}).IsNull());
    ClickTab(4);
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, true, true, true, true, false}));
}

TEST_F(WizardTest, SixthTabHasNoCommand)
{
    NextTo(5);
    QTest::mouseClick(wizard.StepButton(5), Qt::LeftButton);
    EXPECT_EQ(wizard.CurrentIndex(), 5);
    EXPECT_EQ(TabsEnabled(), std::vector<bool>(6, true));
}

TEST_F(WizardTest, RemakeStartsOverWithAFreshSkin)
{
    GivePicture();
    NextTo(5);
    SkinDocument& document = wizard.Document();
    document.SetStretchRegion({1, 0, 5, 122});
    document.SetDecoration(Corner::LeftTop, QStringLiteral("a.png"), QSize(8, 8));
    document.SetDecoration(Corner::LeftBottom, QStringLiteral("a.png"), QSize(8, 8));
    document.SetThumbnail(QStringLiteral("thumb.png"), nullptr);
    document.SetMainColour(0x00336699);
    document.SetSkinName(QStringLiteral("mine"));
    wizard.SetSaved(true);

    Click(ID_REMAKE);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(VisiblePage(), 0);
    EXPECT_FALSE(Button(ID_NEXT)->isEnabled());
    EXPECT_EQ(Shown(), (Layout{{ID_NEXT, 2}, {ID_EXIT, 3}}));
    EXPECT_EQ(TabsEnabled(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_TRUE(document.StretchRegion().IsNull());
    EXPECT_EQ(document.DecorationAt(Corner::LeftTop), -1);
    EXPECT_EQ(document.DecorationAt(Corner::LeftBottom), -1);
    EXPECT_TRUE(document.ThumbnailPath().isEmpty());
    // A fresh skin: the colour and the name are gone too, and there is nothing to lose.
    EXPECT_EQ(document.MainColour(), 0u);
    EXPECT_TRUE(document.SkinName().isEmpty());
    EXPECT_TRUE(wizard.IsSaved());
    Click(ID_EXIT);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(wizard.isVisible());
}

TEST_F(WizardTest, ExitAsksBeforeLeavingAChangedSkin)
{
    wizard.Document().SetSkinName(QStringLiteral("mine"));
    dialogs.answer = QMessageBox::Cancel;
    Click(ID_EXIT);
    ASSERT_EQ(dialogs.messages.size(), 1);
    const FakeDialogs::Message& question = dialogs.messages[0];
    EXPECT_EQ(question.text, "皮肤还没有保存，退出前要保存吗？");
    EXPECT_EQ(question.caption, "Vadi提示");
    EXPECT_EQ(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_EQ(question.icon, QMessageBox::Warning);
    EXPECT_EQ(question.defaultButton, QMessageBox::Save);
    EXPECT_TRUE(wizard.isVisible());

    dialogs.answer = QMessageBox::Discard;
    Click(ID_EXIT);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

TEST_F(WizardTest, ExitAfterSavingClosesWithoutAQuestion)
{
    wizard.Document().SetSkinName(QStringLiteral("mine"));
    wizard.SetSaved(true);
    Click(ID_EXIT);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(wizard.isVisible());
}

TEST_F(WizardTest, CloseBoxAndEscapeTakeTheCancelPath)
{
    wizard.Document().SetMainColour(0x00336699);
    auto* edit = new QLineEdit(wizard.Page(0));
    edit->show();
    edit->setFocus();
    QApplication::setActiveWindow(&wizard);

    // Escape in an edit of a page still asks.
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(wizard.isVisible());

    wizard.close();
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(wizard.isVisible());

    dialogs.answer = QMessageBox::Discard;
    QTest::keyClick(&wizard, Qt::Key_Escape);
    EXPECT_EQ(dialogs.messages.size(), 3);
    EXPECT_FALSE(wizard.isVisible());
}

TEST_F(WizardTest, EnterDoesNotCloseOrMove)
{
    NextTo(1);
    auto* edit = new QLineEdit(wizard.Page(1));
    edit->show();
    edit->setFocus();
    QApplication::setActiveWindow(&wizard);
    dialogs.answer = QMessageBox::Discard;

    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&wizard, Qt::Key_Return);
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(wizard.CurrentIndex(), 1);

    wizard.accept();
    EXPECT_TRUE(wizard.isVisible());
}

TEST_F(WizardTest, ArrowKeysStillReachTheFocusedControl)
{
    // On the first step the wizard looks at the arrow keys for the crop frame, without taking them.
    auto* edit = new QLineEdit("abc", wizard.Page(0));
    edit->show();
    edit->setFocus();
    QApplication::setActiveWindow(&wizard);
    edit->setCursorPosition(3);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(edit->cursorPosition(), 1);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(edit->cursorPosition(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(WizardTest, ResizeAndMaximiseLayTheWindowOutAgain)
{
    NextTo(2);
    auto checkLayout = [this](const QString& when) {
        const int w = wizard.width();
        const int h = wizard.height();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(wizard.Page(i)->geometry(), QRect(0, 30, w, h - 65)) << when.toStdString();
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(wizard.ButtonSlot(k), QRect(w - 320 + 80 * k, h - 30, 70, 20)) << when.toStdString();
        EXPECT_EQ(Shown(), (Layout{{ID_PREVIOUS, 0}, {ID_SKIP, 1}, {ID_NEXT, 2}, {ID_EXIT, 3}}))
            << when.toStdString();
        auto* filler = wizard.findChild<QPushButton*>("filler30008");
        ASSERT_NE(filler, nullptr);
        EXPECT_EQ(filler->geometry(), QRect(600, 0, w - 600, 30)) << when.toStdString();
        EXPECT_FALSE(filler->isEnabled());
        EXPECT_TRUE(filler->text().isEmpty());
        auto* link = wizard.findChild<QWidget*>("link1040");
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->geometry(), QRect(w - 85, 6, 80, 21)) << when.toStdString();
        auto* icon = wizard.findChild<QWidget*>("picture1067");
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->geometry(), QRect(w - 110, 3, 21, 20)) << when.toStdString();
    };
    checkLayout("start");

    wizard.resize(1100, 780);
    QTRY_COMPARE(wizard.size(), QSize(1100, 780));
    checkLayout("resized");
    EXPECT_EQ(wizard.ButtonSlot(3), QRect(1020, 750, 70, 20));

    wizard.showMaximized();
    QTRY_VERIFY(wizard.isMaximized());
    QTRY_VERIFY(wizard.size() != QSize(1100, 780));
    checkLayout("maximised");

    wizard.showNormal();
    QTRY_VERIFY(!wizard.isMaximized());
    QTRY_COMPARE(wizard.size(), QSize(1100, 780));
    checkLayout("restored");
}

TEST_F(WizardTest, HelpLinkOpensTheGuide)
{
    auto* link = wizard.findChild<CLinkLabel*>("link1040");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), "皮肤制作指南");
    EXPECT_EQ(link->Target(), SiteUrl("/cafe/st/SubContent?subid=310650"));

    auto* icon = wizard.findChild<CPictureLabel*>("picture1067");
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->HasPicture());
    EXPECT_EQ(icon->GetSize(), QSize(21, 20));
    EXPECT_FALSE(wizard.windowIcon().isNull());
}

TEST_F(WizardTest, TopBarContextMenuOffersTheAboutBox)
{
    dialogs.menuChoice = "关于皮肤制作工具(&A)...";
    QContextMenuEvent onBar(QContextMenuEvent::Mouse, QPoint(700, 12), wizard.mapToGlobal(QPoint(700, 12)));
    QApplication::sendEvent(&wizard, &onBar);
    EXPECT_EQ(dialogs.menuTexts, QStringList{"关于皮肤制作工具(&A)..."});
    EXPECT_EQ(dialogs.dialogTitles, QStringList{"关于皮肤制作工具"});
    EXPECT_TRUE(dialogs.dialogTexts.contains("皮肤制作工具 版本 1.2"));

    // Below the bar there is no menu.
    QContextMenuEvent onPage(QContextMenuEvent::Mouse, QPoint(300, 300),
                             wizard.mapToGlobal(QPoint(300, 300)));
    QApplication::sendEvent(&wizard, &onPage);
    EXPECT_EQ(dialogs.menuTexts.size(), 1);
    EXPECT_EQ(dialogs.dialogTitles.size(), 1);
}

TEST_F(WizardTest, DismissedMenuShowsNoAboutBox)
{
    dialogs.menuChoice.clear();
    QContextMenuEvent onBar(QContextMenuEvent::Mouse, QPoint(650, 5), wizard.mapToGlobal(QPoint(650, 5)));
    QApplication::sendEvent(&wizard, &onBar);
    EXPECT_EQ(dialogs.menuTexts.size(), 1);
    EXPECT_TRUE(dialogs.dialogTitles.isEmpty());
}

} // namespace
