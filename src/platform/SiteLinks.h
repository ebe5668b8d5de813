#pragma once
// Addresses on the maker's web site: one base URL (SKINMAKER_SITE when set, else the local
// default) joined with the path of each page the program links to.
#include <QString>

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
// The base URL joined with a path and query.
QString SiteUrl(const QString& pathAndQuery);
QString SiteUrl(SitePage page);
