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
        SiteEnv env(QByteArray{});
        EXPECT_EQ(SiteUrl("/cafe/st/SubContent?subid=310650"),
                  "http://127.0.0.1:8617/cafe/st/SubContent?subid=310650");
        EXPECT_EQ(SiteUrl(SitePage::MakingHelp), "http://127.0.0.1:8617/cafe/st/SubContent?subid=310650");
    }
    {
        SiteEnv env("https://skins.example.org");
        EXPECT_EQ(SiteUrl("/skin/st/UpSkin"), "https://skins.example.org/skin/st/UpSkin");
        EXPECT_EQ(SiteUrl(SitePage::Upload), "https://skins.example.org/skin/st/UpSkin");
    }
    {
        // A trailing slash on the base does not double the path's slash.
        SiteEnv env("https://skins.example.org//");
        EXPECT_EQ(SiteUrl("/"), "https://skins.example.org/");
        EXPECT_EQ(SiteUrl(SitePage::Home), "https://skins.example.org/");
    }
}
