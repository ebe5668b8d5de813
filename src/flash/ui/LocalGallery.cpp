#include "flash/ui/LocalGallery.h"

#include "flash/core/SwfHeader.h"
#include "flash/ui/LocalWebHost.h"
#include "platform/SiteLinks.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Sample {
    const char* flashId;
    const char* name;
    const char* resource;
};

const Sample kSamples[] = {
    {"clock01", "时钟", ":/controls/clock.swf"},
    {"weather01", "天气", ":/controls/weather.swf"},
    {"meter01", "电平表", ":/controls/meter.swf"},
};

QString MoviePath(const char* flashId)
{
    return QStringLiteral("/today_recommend/swf/%1.swf").arg(QLatin1String(flashId));
}

QByteArray ReadResource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QList<GalleryControl> LocalGalleryControls()
{
    QList<GalleryControl> controls;
    for (const Sample& sample : kSamples) {
        const SwfFrameSize size = ReadSwfFrameSize(QString::fromLatin1(sample.resource));
        controls.append({QString::fromLatin1(sample.flashId), QString::fromUtf8(sample.name),
                         MoviePath(sample.flashId), size.width, size.height});
    }
    return controls;
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
    }
    const QString page = SitePath(SitePage::ControlGallery);
    const QString folder = page.left(page.lastIndexOf(QLatin1Char('/')) + 1);
    host.AddContent(page, MimeTypeForName(QStringLiteral("gallery.html")),
                    ReadResource(QStringLiteral(":/flash/site/gallery.html")));
    host.AddContent(folder + QStringLiteral("controls.js"), MimeTypeForName(QStringLiteral("controls.js")),
                    "const galleryControls = " + QJsonDocument(list).toJson(QJsonDocument::Compact) + ";\n");
    for (const Sample& sample : kSamples)
        host.AddContent(MoviePath(sample.flashId), MimeTypeForName(QStringLiteral("movie.swf")),
                        ReadResource(QString::fromLatin1(sample.resource)));
}
