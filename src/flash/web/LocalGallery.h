#pragma once
// The program's own control gallery, served by the local web host when no other site is
// configured: the page at the gallery's address and the sample controls it offers, each with
// its flash id, name and stage size.
#include <QList>
#include <QString>

class LocalWebHost;

struct GalleryControl {
    QString flashId;
    QString name;
    QString resource; // the movie in the program's resources
    QString path;     // the movie on the host
    int width = 0;    // its stage size
    int height = 0;
};

// The gallery page's address on the host.
inline QString LocalGalleryPath()
{
    return QStringLiteral("/today_recommend/flash.htm");
}
QList<GalleryControl> LocalGalleryControls();
// Adds the gallery page, its list of controls and the movies to the host.
void AddLocalGallery(LocalWebHost& host);
