#include "controls/CLinkLabel.h"
#include "support/FakeDialogs.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Records the addresses the link labels hand to the browser.
class OpenedUrls {
public:
    OpenedUrls()
    {
        CLinkLabel::SetUrlOpener([this](const QUrl& url) {
            urls.append(url);
            return true;
        });
    }
    ~OpenedUrls() { CLinkLabel::SetUrlOpener({}); }
    QList<QUrl> urls;
};
} // namespace

TEST(LinkLabel, LeftClickOpensTheTargetOtherButtonsDoNot)
{
    OpenedUrls opened;
    CLinkLabel label;
    label.setText("皮肤制作指南");
    label.resize(80, 21);
    label.SetTarget("http://127.0.0.1:8617/cafe/st/SubContent?subid=310650");
    EXPECT_EQ(label.Target(), "http://127.0.0.1:8617/cafe/st/SubContent?subid=310650");

    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(opened.urls.isEmpty());

    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toString(), "http://127.0.0.1:8617/cafe/st/SubContent?subid=310650");
}

TEST(LinkLabel, EmptyTargetStillGoesToTheBrowser)
{
    OpenedUrls opened;
    CLinkLabel label;
    label.resize(80, 21);
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_TRUE(opened.urls[0].isEmpty());
}

TEST(LinkLabel, LooksLikeALink)
{
    CLinkLabel label;
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.font().pixelSize(), 13);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabel, SitePageAsksForTheLocalSiteOnlyWhenClicked)
{
    const QByteArray site = qgetenv("SKINMAKER_SITE");
    qunsetenv("SKINMAKER_SITE");
    int asked = 0;
    SetLocalSiteBase([&asked] {
        ++asked;
        return QStringLiteral("http://127.0.0.1:40001");
    });
    OpenedUrls opened;
    CLinkLabel label;
    label.resize(80, 21);
    label.SetSitePage(SitePage::StretchHelp);
    EXPECT_EQ(asked, 0);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toString(), "http://127.0.0.1:40001/cafe/st/SubContent?subid=310652");
    // The site named by SKINMAKER_SITE wins; the local one is not asked.
    qputenv("SKINMAKER_SITE", "https://skins.example.org");
    EXPECT_EQ(label.Target(), "https://skins.example.org/cafe/st/SubContent?subid=310652");
    EXPECT_EQ(asked, 1);
    SetLocalSiteBase({});
    if (site.isNull())
        qunsetenv("SKINMAKER_SITE");
    else
        qputenv("SKINMAKER_SITE", site);
}

// Without a site a help link guesses no local port (another user could listen there): it opens
// nothing and says why.
TEST(LinkLabel, SitePageWithoutASiteSaysSoAndOpensNothing)
{
    const QByteArray site = qgetenv("SKINMAKER_SITE");
    qunsetenv("SKINMAKER_SITE");
    SetLocalSiteBase([] { return QString(); }); // the local host could not start
    FakeDialogs dialogs;
    OpenedUrls opened;
    CLinkLabel label;
    label.resize(80, 21);
    label.SetSitePage(SitePage::FrameHelp);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(opened.urls.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, NoSiteMessage());
    SetLocalSiteBase({});
    if (!site.isNull())
        qputenv("SKINMAKER_SITE", site);
}
