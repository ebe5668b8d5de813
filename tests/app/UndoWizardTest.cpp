// Undo and redo in the real wizard window: the keys on a focused preview, the menu of the top bar,
// the line that tells what changed on another step, and packages saved around an undo.
#include "app/CWizardDlg.h"
#include "controls/CColorPreviewCtrl.h"
#include "controls/CSkinButton2.h"
#include "pages/CColorSkinDlg.h"
#include "pages/CSaveSkin.h"
#include "pages/CSkinHeadDlg.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

QMap<QString, QByteArray> Members(const QString& package)
{
    QList<UnzippedMember> members;
    EXPECT_TRUE(UnzipFileToMemory(package, &members)) << package.toStdString();
    QMap<QString, QByteArray> byName;
    for (const UnzippedMember& member : members)
        byName.insert(member.name, member.bytes);
    return byName;
}

// conf.ini without its name line, which is the package's file name.
QByteArray WithoutName(QByteArray conf)
{
    QList<QByteArray> lines = conf.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("name="); });
    return lines.join('\n');
}

class UndoWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.show();
        wizard.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
        QImage picture(1400, 300, QImage::Format_RGB32);
        picture.fill(qRgb(40, 120, 200));
        const QString path = dir.file("photo.png");
        ASSERT_TRUE(picture.save(path));
        wizard.HeadPage()->ChoosePicture(path);
        ASSERT_TRUE(QTest::qWaitFor([this] { return wizard.CommandButton(ID_NEXT)->isEnabled(); }, 20000));
        wizard.CommandButton(ID_NEXT)->click();
        ASSERT_EQ(wizard.CurrentIndex(), ColorStep);
    }

    void ChooseSwatch(int index)
    {
        QTest::mouseClick(wizard.ColorPage()->Swatch(CColorSkinDlg::kFirstPresetId + index), Qt::LeftButton);
    }
    // Ctrl+key on the colour step's preview, which has the focus.
    void KeyOnPreview(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* preview = wizard.ColorPage()->Preview();
        preview->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), preview);
        QTest::keyClick(preview, key, modifiers);
    }
    QString Save(const QString& file)
    {
        const QString package = dir.file(file);
        dialogs.savePaths.enqueue(package);
        wizard.SaveSkin();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        EXPECT_FALSE(wizard.Document().IsModified());
        return package;
    }
    QStringList MenuTexts()
    {
        dialogs.menuTexts.clear();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(700, 10),
                                wizard.mapToGlobal(QPoint(700, 10)));
        QCoreApplication::sendEvent(&wizard, &event);
        return dialogs.menuTexts;
    }

    skintest::ScratchDir dir;
    FakeDialogs dialogs;
    CWizardDlg wizard;
};

TEST_F(UndoWizardTest, UndoneColourSavesTheFirstPackageAgainAndRedoBringsItBack)
{
    QLineEdit* name = wizard.SavePage()->NameEdit();
    name->setText(QStringLiteral("skin"));
    emit name->textEdited(name->text());
    ChooseSwatch(1);
    const ColorRef first = wizard.Document().MainColour();
    const QString a = Save(QStringLiteral("a.vsf"));

    ChooseSwatch(4);
    const ColorRef second = wizard.Document().MainColour();
    ASSERT_NE(first, second);
    EXPECT_TRUE(wizard.Document().IsModified());
    KeyOnPreview(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(wizard.Document().MainColour(), first);
    EXPECT_FALSE(wizard.Document().IsModified()) << "undone back to what was saved";
    EXPECT_TRUE(wizard.ColorPage()->Swatch(CColorSkinDlg::kFirstPresetId + 1)->IsSelected());

    const QString b = Save(QStringLiteral("b.vsf"));
    const QMap<QString, QByteArray> membersA = Members(a);
    const QMap<QString, QByteArray> membersB = Members(b);
    ASSERT_EQ(membersA.keys(), membersB.keys());
    for (const QString& member : membersA.keys()) {
        if (member == QLatin1String("conf.ini")) {
            EXPECT_NE(membersA[member], membersB[member]);
            EXPECT_EQ(WithoutName(membersA[member]), WithoutName(membersB[member]));
        } else {
            EXPECT_EQ(membersA[member], membersB[member]) << member.toStdString();
        }
    }

    KeyOnPreview(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(wizard.Document().MainColour(), second);
    KeyOnPreview(Qt::Key_Z, Qt::ControlModifier);
    KeyOnPreview(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(wizard.Document().MainColour(), second);
}

TEST_F(UndoWizardTest, MenuNamesTheCommandsAndAFarEditIsTold)
{
    // Nothing done on this step yet but choosing the picture.
    ChooseSwatch(2);
    QStringList texts = MenuTexts();
    ASSERT_EQ(texts.size(), 2) << "undo and the about box; redo is disabled";
    EXPECT_TRUE(texts[0].startsWith(wizard.UndoAction()->text())) << texts[0].toStdString();
    EXPECT_NE(wizard.UndoAction()->text(), QStringLiteral("撤销")) << "named after the command";
    EXPECT_FALSE(wizard.RedoAction()->isEnabled());

    // Chosen from the menu, undo runs once.
    const int index = wizard.Document().UndoStack()->index();
    dialogs.menuChoice = texts[0];
    MenuTexts();
    EXPECT_EQ(wizard.Document().UndoStack()->index(), index - 1);
    EXPECT_TRUE(wizard.RedoAction()->isEnabled());
    EXPECT_TRUE(wizard.StatusLine()->text().isEmpty()) << "the colour step shows its own undo";

    // On another step the undo is told, and the step stays.
    wizard.CommandButton(ID_NEXT)->click();
    ASSERT_EQ(wizard.CurrentIndex(), StretchStep);
    wizard.Document().SetMainColour(CColorSkinDlg::PresetMainColor(3));
    wizard.UndoAction()->trigger();
    EXPECT_EQ(wizard.CurrentIndex(), StretchStep);
    EXPECT_FALSE(wizard.StatusLine()->text().isEmpty());
    EXPECT_TRUE(wizard.StatusLine()->text().contains(wizard.StepButton(ColorStep)->text()))
        << wizard.StatusLine()->text().toStdString();
}

TEST_F(UndoWizardTest, TextFieldKeepsItsOwnUndoAndLeavingItEndsOneStep)
{
    for (int i = 0; i < 4; ++i)
        wizard.CommandButton(ID_NEXT)->click();
    ASSERT_EQ(wizard.CurrentIndex(), SaveStep);
    QLineEdit* name = wizard.SavePage()->NameEdit();
    name->setFocus();
    const int index = wizard.Document().UndoStack()->index();
    ASSERT_GT(index, 0);
    // The keys go to the field, not to the document's undo (Ctrl+Y included).
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(wizard.Document().UndoStack()->index(), index);

    // Typed, left, typed again: two steps of the document.
    QTest::keyClicks(name, QStringLiteral("abc"));
    wizard.CommandButton(ID_PREVIOUS)->setFocus();
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("d"));
    wizard.CommandButton(ID_PREVIOUS)->setFocus();
    ASSERT_EQ(wizard.Document().SkinName(), QStringLiteral("abcd"));
    wizard.UndoAction()->trigger();
    EXPECT_EQ(wizard.Document().SkinName(), QStringLiteral("abc"));
    EXPECT_EQ(name->text(), QStringLiteral("abc"));
}

} // namespace
