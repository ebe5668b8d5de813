#include "platform/SiteLinks.h"

#include <QCoreApplication>
#include <QUrl>

QString SitePath(SitePage page)
{
    switch (page) {
    case SitePage::Home:
        return QStringLiteral("/");
    case SitePage::MakingHelp:
        return QStringLiteral("/cafe/st/SubContent?subid=310650");
    case SitePage::StretchHelp:
        return QStringLiteral("/cafe/st/SubContent?subid=310652");
    case SitePage::FrameHelp:
        return QStringLiteral("/cafe/st/SubContent?subid=310655");
    case SitePage::ControlsHelp:
        return QStringLiteral("/cafe/st/SubContent?subid=568288");
    case SitePage::Upload:
        return QStringLiteral("/skin/st/UpSkin");
    case SitePage::ControlGallery:
        return QStringLiteral("/today_recommend/flash.htm");
    }
    return QStringLiteral("/");
}

namespace {
LocalSiteBase& LocalBase()
{
    static LocalSiteBase base;
    return base;
}
} // namespace

void SetLocalSiteBase(LocalSiteBase base)
{
    LocalBase() = std::move(base);
}

QString SiteUrl(const QString& pathAndQuery)
{
    QString base = qEnvironmentVariable("SKINMAKER_SITE");
    if (base.isEmpty() && LocalBase())
        base = LocalBase()();
    // Without a site the address is the bare path, which names no host: no port is guessed, since
    // any local user could be listening on a fixed one.
    // A base given with a trailing slash must not double the path's leading one.
    while (base.endsWith(QLatin1Char('/')) && pathAndQuery.startsWith(QLatin1Char('/')))
        base.chop(1);
    return base + pathAndQuery;
}

QString SiteUrl(SitePage page)
{
    return SiteUrl(SitePath(page));
}

bool NamesASite(const QString& url)
{
    return !QUrl(url).host().isEmpty();
}

QString NoSiteMessage()
{
    return QCoreApplication::translate("SiteLinks",
                                       "无法打开网页：本机的网站没有启动，也没有设置 SKINMAKER_SITE。");
}
