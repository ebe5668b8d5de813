// A link handed to the desktop's opener: when the opener finds no browser, the user is told.
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "ui/CDialogProvider.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// PATH with only a stand-in xdg-open that writes its argument down and ends with code.
class StandInOpener {
public:
    explicit StandInOpener(int code) : m_path(qgetenv("PATH"))
    {
        const QString script = m_folder.file("xdg-open");
        skintest::WriteAll(script, QStringLiteral("#!/bin/sh\necho \"$1\" > %1\nexit %2\n")
                                       .arg(m_folder.file("opened"))
                                       .arg(code)
                                       .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ":/usr/bin:/bin");
    }
    ~StandInOpener() { qputenv("PATH", m_path); }
    QByteArray Opened() const { return skintest::ReadAll(m_folder.file("opened")).trimmed(); }

private:
    QByteArray m_path;
    skintest::ScratchDir m_folder;
};

// Waits until every opener the provider started has ended and been let go.
bool OpenersEnded()
{
    return QTest::qWaitFor([] { return qApp->findChildren<QProcess*>().isEmpty(); }, 60000);
}

} // namespace

TEST(Browser, AnOpenerThatFindsNoBrowserIsToldAndOneThatOpensIsNot)
{
    FakeDialogs dialogs;
    CDialogProvider real;
    const QUrl url(QStringLiteral("http://127.0.0.1:8080/help/making.htm"));
    {
        StandInOpener noBrowser(3);
        EXPECT_TRUE(real.OpenUrl(url));
        ASSERT_TRUE(OpenersEnded());
        EXPECT_EQ(noBrowser.Opened(), url.toEncoded());
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(url.toString()))
            << dialogs.messages[0].text.toStdString();
    }
    {
        StandInOpener browser(0);
        EXPECT_TRUE(real.OpenUrl(url));
        ASSERT_TRUE(OpenersEnded());
        EXPECT_EQ(browser.Opened(), url.toEncoded());
        EXPECT_EQ(dialogs.messages.size(), 1);
    }
}
