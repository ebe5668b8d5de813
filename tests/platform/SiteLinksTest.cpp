#include "platform/SiteLinks.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {
// Sets SKINMAKER_SITE (a null value unsets it) and puts the old value back afterwards.
class SiteEnv {
public:
    explicit SiteEnv(const QByteArray& value)
        : m_old(qgetenv("SKINMAKER_SITE")), m_had(qEnvironmentVariableIsSet("SKINMAKER_SITE"))
    {
        if (value.isNull())
            qunsetenv("SKINMAKER_SITE");
        else
            qputenv("SKINMAKER_SITE", value);
    }
    ~SiteEnv()
    {
        if (m_had)
            qputenv("SKINMAKER_SITE", m_old);
        else
            qunsetenv("SKINMAKER_SITE");
    }

private:
    QByteArray m_old;
    bool m_had;
};
} // namespace

TEST(SiteLinks, SiteUrlJoinsTheConfiguredBaseAndThePath)
{
    {
        // Without a site no port is guessed: the address names no host and is not opened.
        SiteEnv env(QByteArray{});
        EXPECT_EQ(SiteUrl(SitePage::MakingHelp), "/cafe/st/SubContent?subid=310650");
        EXPECT_FALSE(NamesASite(SiteUrl(SitePage::MakingHelp)));
        SetLocalSiteBase([] { return QString(); }); // the local host could not start
        EXPECT_FALSE(NamesASite(SiteUrl(SitePage::Upload)));
        SetLocalSiteBase([] { return QStringLiteral("http://127.0.0.1:40001"); });
        EXPECT_EQ(SiteUrl(SitePage::Upload), "http://127.0.0.1:40001/skin/st/UpSkin");
        EXPECT_TRUE(NamesASite(SiteUrl(SitePage::Upload)));
        SetLocalSiteBase({});
    }
    {
        SiteEnv env("https://skins.example.org");
        EXPECT_EQ(SiteUrl("/skin/st/UpSkin"), "https://skins.example.org/skin/st/UpSkin");
        EXPECT_EQ(SiteUrl(SitePage::Upload), "https://skins.example.org/skin/st/UpSkin");
        EXPECT_TRUE(NamesASite(SiteUrl(SitePage::Upload)));
    }
    {
        // A trailing slash on the base does not double the path's slash.
        SiteEnv env("https://skins.example.org//");
        EXPECT_EQ(SiteUrl("/"), "https://skins.example.org/");
        EXPECT_EQ(SiteUrl(SitePage::Home), "https://skins.example.org/");
    }
}
