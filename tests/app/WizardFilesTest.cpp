// The wizard as a program: a package opened from the command line is unpacked into the working
// folder, and SIGTERM ends the program cleanly, with nothing of it left there.
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

TEST(WizardFiles, SigtermEndsCleanlyAndRemovesTheUnpackedPackage)
{
    skintest::ScratchDir temp;
    skintest::ScratchDir files;
    const QString package = files.file("opened.vsf");
    ASSERT_EQ(skintest::BuildSamplePackageWithControl(package, "opened"), QString());

    QProcess wizard;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temp.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CACHE_HOME", files.file("cache"));
    environment.insert("XDG_STATE_HOME", files.file("state"));
    wizard.setProcessEnvironment(environment);
    wizard.start(QStringLiteral(SKIN_BINARY_DIR "/skinmaker"), {package});
    const QString unpacked = temp.path() + "/skinmaker-" + QString::number(::geteuid()) +
                             "/VadiTempSkinPack/opened.vsf/topleft.swf";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(unpacked); }, 120000))
        << wizard.readAllStandardError().toStdString();

    ::kill(static_cast<pid_t>(wizard.processId()), SIGTERM);
    ASSERT_TRUE(wizard.waitForFinished(120000));
    EXPECT_EQ(wizard.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(wizard.exitCode(), 0);
    QStringList left;
    for (QDirIterator it(temp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        left << it.next();
    EXPECT_EQ(left, QStringList());
}
