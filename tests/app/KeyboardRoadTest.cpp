// The wizard by keyboard alone: the same skin made with keys and with the mouse gives the same
// package, and everything the keyboard reaches has a name for screen readers.
#include "app/CWizardDlg.h"
#include "controls/CSkinButton2.h"
#include "pages/CColorSkinDlg.h"
#include "pages/CSaveSkin.h"
#include "pages/CSkinFrameDlg.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "platform/SiteLinks.h"
#include "skin/WinePrefixFixture.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using skintest::ScopedEnv;
using skintest::ScratchDir;

namespace {

// Three bands of different hues, so that the colour page suggests more than one colour.
QImage BandedPicture()
{
    QImage image(1400, 122, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           x < 700    ? qRgb(200, 60, 40)
                           : x < 1100 ? qRgb(40, 90, 210)
                                      : qRgb(60, 180, 70));
    }
    return image;
}

class KeyboardRoad : public ::testing::Test {
protected:
    KeyboardRoad() : m_temp("TMPDIR", m_dir.file("tmp").toUtf8())
    {
        QDir().mkpath(m_dir.file("tmp"));
        SetLocalSiteBase([] { return QStringLiteral("http://127.0.0.1:40001"); });
        picture = m_dir.file("header.png");
        decoration = m_dir.file("corner.png");
        clock = m_dir.file("clock.swf");
        EXPECT_TRUE(BandedPicture().save(picture));
        EXPECT_TRUE(skintest::WriteAll(decoration, skintest::PngPicture(40, 30)));
        EXPECT_TRUE(skintest::WriteAll(clock, skintest::SwfMovie(80, 80)));
    }
    ~KeyboardRoad() override { SetLocalSiteBase({}); }

    // A key pressed on whatever has the focus.
    static void Key(CWizardDlg& wizard, Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr && focus->window() == &wizard ? focus : &wizard, key);
    }
    // Tab until target has the focus; false when it never gets it.
    static bool TabTo(CWizardDlg& wizard, QWidget* target)
    {
        for (int i = 0; i < 80 && QApplication::focusWidget() != target; ++i)
            Key(wizard, Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    }
    static QPushButton* Button(CWizardDlg& wizard, int id) { return wizard.CommandButton(id); }
    static QWidget* NotSkip(CWizardDlg& wizard) { return wizard.CommandButton(ID_SKIP); }

    // Makes the skin (a suggested colour, white tab text, a decoration shifted by (2, 1), a
    // control from a file moved 2 to the right) and saves it as folder/skin.vsf.
    QString MakeSkin(bool byKeyboard, const QString& folder);

    ScratchDir m_dir;
    ScopedEnv m_temp;
    FakeDialogs dialogs;
    QString picture;
    QString decoration;
    QString clock;
};

QString KeyboardRoad::MakeSkin(bool byKeyboard, const QString& folder)
{
    QDir().mkpath(m_dir.file(folder));
    const QString package = m_dir.file(folder + "/skin.vsf");
    CWizardDlg wizard;
    wizard.resize(874, 632);
    wizard.show();
    wizard.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&wizard));
    const auto next = [&] {
        if (!byKeyboard) {
            QTest::mouseClick(Button(wizard, ID_NEXT), Qt::LeftButton);
            return;
        }
        EXPECT_TRUE(TabTo(wizard, Button(wizard, ID_NEXT)));
        Key(wizard, Qt::Key_Space);
        // The new step starts on its first control, never on Skip.
        EXPECT_NE(QApplication::focusWidget(), NotSkip(wizard));
        EXPECT_TRUE(wizard.Page(wizard.CurrentIndex())->isAncestorOf(QApplication::focusWidget()));
    };

    // Step 1: Browse, then Next once the picture is shown.
    QPushButton* browse = wizard.HeadPage()->findChild<QPushButton*>(QStringLiteral("button1005"));
    dialogs.openPaths.enqueue(picture);
    if (byKeyboard) {
        EXPECT_TRUE(TabTo(wizard, browse));
        Key(wizard, Qt::Key_Space);
    } else {
        QTest::mouseClick(browse, Qt::LeftButton);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return Button(wizard, ID_NEXT)->isEnabled(); }, 20000));
    next();

    // Step 2: the second suggestion and white tab text.
    CColorSkinDlg* colours = wizard.ColorPage();
    EXPECT_TRUE(colours->Swatch(CColorSkinDlg::kFirstSuggestionId + 1)->isVisible());
    if (byKeyboard) {
        EXPECT_TRUE(TabTo(wizard, colours->Swatch(CColorSkinDlg::kFirstSuggestionId)));
        Key(wizard, Qt::Key_Right);
        Key(wizard, Qt::Key_Space);
        EXPECT_TRUE(TabTo(wizard, colours->Swatch(CColorSkinDlg::kBlackTabId)));
        Key(wizard, Qt::Key_Right);
        Key(wizard, Qt::Key_Enter);
    } else {
        QTest::mouseClick(colours->Swatch(CColorSkinDlg::kFirstSuggestionId + 1), Qt::LeftButton);
        QTest::mouseClick(colours->Swatch(CColorSkinDlg::kWhiteTabId), Qt::LeftButton);
    }
    EXPECT_EQ(colours->MainColor(), colours->Suggestions().at(1).color);
    EXPECT_TRUE(colours->WhiteTabText());
    next();
    next(); // the stretch step as it starts

    // Step 4: a decoration on the left-top corner, shifted by (2, 1).
    auto* frame = static_cast<CSkinFrameDlg*>(wizard.Page(FrameStep));
    dialogs.openPaths.enqueue(decoration);
    if (byKeyboard) {
        EXPECT_TRUE(TabTo(wizard, frame->BrowseButton()));
        Key(wizard, Qt::Key_Space);
        Key(wizard, Qt::Key_Right); // the arrow keys move the decoration
        Key(wizard, Qt::Key_Right);
        EXPECT_TRUE(TabTo(wizard, frame->YEdit()));
        Key(wizard, Qt::Key_Up); // and the offset fields step
    } else {
        QTest::mouseClick(frame->BrowseButton(), Qt::LeftButton);
        frame->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        frame->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        frame->YArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    EXPECT_EQ(frame->CornerShift(Corner::LeftTop), QPoint(2, 1));
    next();

    // Step 5: a control from a file, moved 2 pixels to the right.
    CWebFlashFrameDlg* controls = wizard.ControlsPage();
    dialogs.openPaths.enqueue(clock);
    if (byKeyboard) {
        EXPECT_TRUE(TabTo(wizard, controls->LocalFileButton()));
        Key(wizard, Qt::Key_Space);
        Key(wizard, Qt::Key_Right);
        Key(wizard, Qt::Key_Right);
    } else {
        QTest::mouseClick(controls->LocalFileButton(), Qt::LeftButton);
        controls->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        controls->XArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    EXPECT_EQ(controls->RowCount(), 1);
    EXPECT_EQ(controls->RowShift(0), QPoint(2, 0));
    next();

    // Step 6: the name, then Save.
    QLineEdit* name = wizard.SavePage()->NameEdit();
    dialogs.savePaths.enqueue(package);
    if (byKeyboard) {
        EXPECT_TRUE(TabTo(wizard, name));
        QTest::keyClicks(name, QStringLiteral("keys"));
        EXPECT_TRUE(TabTo(wizard, Button(wizard, ID_SAVE_SKIN)));
        Key(wizard, Qt::Key_Space);
    } else {
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("keys"));
        QTest::mouseClick(Button(wizard, ID_SAVE_SKIN), Qt::LeftButton);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(wizard.IsSaved());
    return package;
}

TEST_F(KeyboardRoad, KeyboardAloneMakesTheSamePackageAsTheMouse)
{
    const QString byMouse = MakeSkin(false, "mouse");
    ASSERT_FALSE(HasFailure());
    const QString byKeys = MakeSkin(true, "keys");
    ASSERT_FALSE(HasFailure());

    QList<UnzippedMember> mouseMembers;
    QList<UnzippedMember> keyMembers;
    ASSERT_TRUE(UnzipFileToMemory(byMouse, &mouseMembers));
    ASSERT_TRUE(UnzipFileToMemory(byKeys, &keyMembers));
    ASSERT_EQ(keyMembers.size(), mouseMembers.size());
    for (int i = 0; i < mouseMembers.size(); ++i) {
        EXPECT_EQ(keyMembers[i].name, mouseMembers[i].name);
        EXPECT_TRUE(keyMembers[i].bytes == mouseMembers[i].bytes) << mouseMembers[i].name.toStdString();
    }
    QStringList names;
    for (const UnzippedMember& member : mouseMembers)
        names.append(member.name);
    EXPECT_TRUE(names.contains("topleft.png")) << names.join(',').toStdString();
    EXPECT_TRUE(names.contains("topleft.swf")) << names.join(',').toStdString();
}

TEST_F(KeyboardRoad, EverythingTabReachesHasANameAndTabKeepsToReadingOrder)
{
    CWizardDlg wizard;
    const auto unnamed = [](const QWidget* within) {
        QStringList names;
        for (QWidget* widget : within->findChildren<QWidget*>()) {
            if ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !widget->isVisibleTo(within))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
                names.append(QString::fromLatin1(widget->metaObject()->className()) + " " +
                             widget->objectName());
        }
        return names;
    };
    for (int step = 0; step < CWizardDlg::kStepCount; ++step)
        EXPECT_EQ(unnamed(wizard.Page(step)).join(", ").toStdString(), "") << "step " << step;
    EXPECT_EQ(unnamed(&wizard).join(", ").toStdString(), "");

    // The buttons in the order they stand (Previous, Skip, Next, Exit), then the top of the window.
    EXPECT_EQ(Button(wizard, ID_PREVIOUS)->nextInFocusChain(), Button(wizard, ID_SKIP));
    EXPECT_EQ(Button(wizard, ID_SKIP)->nextInFocusChain(), Button(wizard, ID_NEXT));
    EXPECT_EQ(Button(wizard, ID_NEXT)->nextInFocusChain(), Button(wizard, ID_EXIT));
    EXPECT_EQ(Button(wizard, ID_REMAKE)->nextInFocusChain(), wizard.StepButton(0));
}

} // namespace
