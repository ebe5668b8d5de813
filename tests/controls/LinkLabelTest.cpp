#include "controls/CLinkLabel.h"
#include "support/FakeDialogs.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Records the addresses the link labels hand to the browser.
struct OpenedUrls : FakeDialogs {
    QList<QUrl>& urls = openedUrls;
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

TEST(LinkLabel, TabReachesItAndEnterOrSpaceOpensIt)
{
    OpenedUrls opened;
    CLinkLabel label;
    label.setText("皮肤制作指南");
    label.SetTarget("http://127.0.0.1:8617/guide");
    EXPECT_EQ(label.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QTest::keyClick(&label, Qt::Key_A);
    QTest::keyClick(&label, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(opened.urls.isEmpty());
    QTest::keyClick(&label, Qt::Key_Return);
    QTest::keyClick(&label, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&label, Qt::Key_Space);
    ASSERT_EQ(opened.urls.size(), 3);
    EXPECT_EQ(opened.urls[2].toString(), "http://127.0.0.1:8617/guide");
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
    OpenedUrls opened;
    FakeDialogs& dialogs = opened;
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

TEST(LinkLabel, WhenNoBrowserOpensItSaysSoWithTheAddress)
{
    OpenedUrls opened;
    opened.browserOpens = false;
    CLinkLabel label;
    label.resize(80, 21);
    label.SetTarget("https://skins.example.org/help");
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 1);
    ASSERT_EQ(opened.messages.size(), 1);
    EXPECT_TRUE(opened.messages[0].text.contains("https://skins.example.org/help"));
    EXPECT_EQ(opened.messages[0].icon, QMessageBox::Warning);
}

// The help links of steps 4 and 5 sit in rectangles 16 pixels high: the underline must still be
// drawn, a blue line under most of the text.
TEST(LinkLabel, ShowsItsUnderlineInALowRectangle)
{
    for (const QString& text : {QStringLiteral("什么是装饰边框？"), QStringLiteral("什么是控件？")}) {
        QWidget page;
        page.resize(400, 100);
        CLinkLabel label(&page);
        label.setText(text);
        label.setGeometry(190, 13, 120, 16);
        const QImage shot = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int textWidth = std::min(label.fontMetrics().horizontalAdvance(text), shot.width());
        int longestBlueRun = 0;
        for (int y = shot.height() / 2; y < shot.height(); ++y) {
            int run = 0;
            for (int x = 0; x < textWidth; ++x) {
                const QRgb pixel = shot.pixel(x, y);
                run = qBlue(pixel) > 200 && qRed(pixel) < 90 && qGreen(pixel) < 90 ? run + 1 : 0;
                longestBlueRun = std::max(longestBlueRun, run);
            }
        }
        EXPECT_GT(longestBlueRun, textWidth * 8 / 10) << text.toStdString();
    }
}
