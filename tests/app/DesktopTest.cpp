// The program on a Chinese desktop: Qt's own buttons in Chinese, a file named on the command line.
#include "app/CWizardApp.h"
#include "app/CWizardDlg.h"
#include "app/WizardCommands.h"
#include "pages/CSaveSkin.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "ui/QtTranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The button texts of the next message box, without their access keys; presses `press`.
class NextBox {
public:
    explicit NextBox(QMessageBox::StandardButton press)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            m_timer.stop();
            for (const QAbstractButton* button : box->buttons())
                buttons.append(button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))));
            buttons.sort();
            box->button(press)->click();
        });
        m_timer.start(10);
    }
    QStringList buttons;

private:
    QTimer m_timer;
};

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_translator = InstallQtChineseTranslation(*qApp);
        ASSERT_NE(m_translator, nullptr) << "Qt's Chinese translation (qt6-translations-l10n) is missing";
    }
    void TearDown() override
    {
        if (m_translator != nullptr) {
            QCoreApplication::removeTranslator(m_translator);
            delete m_translator;
        }
    }
    QTranslator* m_translator = nullptr;
};

} // namespace

TEST_F(DesktopTest, ExitAndReplaceQuestionsHaveChineseButtons)
{
    FakeDialogs dialogs;
    dialogs.realMessageBoxes = true;
    CWizardDlg wizard;
    wizard.show();
    wizard.Document().SetSkinName(QStringLiteral("skin"));
    {
        NextBox exitQuestion(QMessageBox::Cancel);
        wizard.reject();
        QStringList expected{QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")};
        expected.sort();
        EXPECT_EQ(exitQuestion.buttons, expected);
    }
    EXPECT_TRUE(wizard.isVisible()) << "Cancel keeps the wizard open";

    skintest::ScratchDir dir;
    const QString existing = dir.file("old.vsf");
    ASSERT_TRUE(skintest::WriteAll(existing, "old"));
    dialogs.savePaths.enqueue(existing);
    NextBox replaceQuestion(QMessageBox::No);
    EXPECT_EQ(SaveSkinCommand(&wizard, wizard.Document(), nullptr), CommandOutcome::Cancelled);
    EXPECT_EQ(replaceQuestion.buttons, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    EXPECT_EQ(skintest::ReadAll(existing), QByteArray("old"));
}

TEST(StartupFile, IsTheFirstArgumentThatIsNotAnOption)
{
    EXPECT_EQ(StartupFile({}), QString());
    EXPECT_EQ(StartupFile({QStringLiteral("-style"), QStringLiteral("--x")}), QString());
    EXPECT_EQ(StartupFile({QStringLiteral("--x"), QStringLiteral("my.vsf"), QStringLiteral("b.jpg")}),
              QDir::current().absoluteFilePath(QStringLiteral("my.vsf")));
    EXPECT_EQ(StartupFile({QStringLiteral("/tmp/a b.jpg")}), QStringLiteral("/tmp/a b.jpg"));
}

TEST(ProgramVersion, PrintedWithoutADisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SKIN_BINARY_DIR "/skinmaker"), {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^skinmaker \\d+\\.\\d+\n$"))
                    .match(QString::fromUtf8(process.readAllStandardOutput()))
                    .hasMatch());
}
