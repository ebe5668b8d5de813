#include "flash/web/LocalGallery.h"

#include "flash/web/LocalWebHost.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray ReadResource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QList<GalleryControl> LocalGalleryControls()
{
    // The stage sizes are those in the movies' headers (a test reads them back).
    return {
        {"clock01", QCoreApplication::translate("LocalGallery", "时钟"), ":/controls/clock.swf",
         "/today_recommend/swf/clock01.swf", 80, 80},
        {"weather01", QCoreApplication::translate("LocalGallery", "天气"), ":/controls/weather.swf",
         "/today_recommend/swf/weather01.swf", 120, 60},
        {"meter01", QCoreApplication::translate("LocalGallery", "电平表"), ":/controls/meter.swf",
         "/today_recommend/swf/meter01.swf", 200, 60},
    };
}

void AddLocalGallery(LocalWebHost& host)
{
    QJsonArray list;
    for (const GalleryControl& control : LocalGalleryControls()) {
        list.append(QJsonObject{{"flashid", control.flashId},
                                {"name", control.name},
                                {"url", control.path},
                                {"width", control.width},
                                {"height", control.height}});
        host.AddContent(control.path, MimeTypeForName(control.path), ReadResource(control.resource));
    }
    const QString page = LocalGalleryPath();
    host.AddContent(page, MimeTypeForName(QStringLiteral("gallery.html")),
                    ReadResource(LocalSitePage(QStringLiteral("gallery.html"))));
    const QString folder = page.left(page.lastIndexOf(QLatin1Char('/')) + 1);
    host.AddContent(folder + QStringLiteral("controls.js"), MimeTypeForName(QStringLiteral("controls.js")),
                    "const galleryControls = " + QJsonDocument(list).toJson(QJsonDocument::Compact) + ";\n");
    // The player's settings, the style and the cards' script, the same for the page in every language.
    for (const char* file : {"gallery-player.js", "gallery.css", "gallery.js"}) {
        const QString name = QString::fromLatin1(file);
        host.AddContent(folder + name, MimeTypeForName(name),
                        ReadResource(QStringLiteral(":/flash/site/") + name));
    }
}
