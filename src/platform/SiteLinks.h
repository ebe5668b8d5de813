#pragma once
// Addresses on the maker's web site: one base URL joined with the path of each page the program
// links to. The base is SKINMAKER_SITE when set, else the program's own local site (see
// SetLocalSiteBase); without either an address names no host and is not opened.
#include <QString>

#include <functional>

enum class SitePage {
    Home,           // offered when the player is missing or too old
    MakingHelp,     // the wizard's guide and step 1
    StretchHelp,    // step 3
    FrameHelp,      // step 4
    ControlsHelp,   // step 5
    Upload,         // the save page's upload link
    ControlGallery, // the gallery of controls
};

// Path and query of a page, starting with '/'.
QString SitePath(SitePage page);
// The base URL of the program's own site, asked for each address while SKINMAKER_SITE is unset;
// it may start the server that answers. An empty answer leaves the address without a host. An
// empty function removes it.
using LocalSiteBase = std::function<QString()>;
void SetLocalSiteBase(LocalSiteBase base);

// The base URL joined with a path and query; the bare path and query when there is no site.
QString SiteUrl(const QString& pathAndQuery);
QString SiteUrl(SitePage page);
// False for an address without a host (no site): callers show NoSiteMessage() instead.
bool NamesASite(const QString& url);
QString NoSiteMessage();
