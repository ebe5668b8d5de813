#include "support/HostileInput.h"

#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QFile>
#include <QImage>
#include <QStringList>

namespace skintest {

namespace {

long StatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

QString WriteHostilePackage(const QString& folder, HostilePackage kind)
{
    const auto file = [&folder](const char* name) { return folder + '/' + QLatin1String(name); };
    QImage mid(700, 61, QImage::Format_RGB32);
    mid.fill(qRgb(40, 90, 160));
    mid.save(file("TopPanelBKMid.bmp"));
    mid.copy(640, 0, 60, 37).save(file("small.bmp"));
    QStringList members{file("TopPanelBKMid.bmp"), file("small.bmp")};
    QByteArray conf = "[CONF]\r\nname=hostile\r\nhue=0\r\nsat=0\r\nlight=0\r\nwhite=1\r\n";
    QByteArray keys;
    if (kind == HostilePackage::HugeControl) {
        WriteAll(file("topright.swf"), SwfMovie(100, 100));
        members << file("topright.swf");
        keys = "swfrighttop=0,0,23000,23000\r\n";
    } else if (kind == HostilePackage::SpreadItems) {
        WriteAll(file("topleft.png"), PngPicture(40, 40));
        WriteAll(file("bottomright.png"), PngPicture(40, 40));
        WriteAll(file("bottomleft.swf"), SwfMovie(100, 100));
        members << file("topleft.png") << file("bottomright.png") << file("bottomleft.swf");
        conf += "lefttopx=20000\r\nlefttopy=20000\r\nrightbottomx=-20000\r\nrightbottomy=-20000\r\n";
        keys = "swfleftbottom=20000,-20000,4000,4000\r\n";
    } else {
        // One bit a pixel: 18 MB to draw here, a few KB packed, 576 MB once decoded into colour.
        QImage huge(12000, 12000, QImage::Format_Mono);
        huge.fill(0);
        huge.save(file("topleft.png"), "PNG");
        members << file("topleft.png");
        conf += "lefttopx=6000\r\nlefttopy=6000\r\n";
    }
    conf += "showname=hostile\r\n";
    if (!keys.isEmpty())
        conf += "[KEY]\r\n" + keys;
    WriteAll(file("conf.ini"), conf);
    members << file("conf.ini");
    const QString package = file("hostile.vsf");
    QFile::remove(package);
    return ZipPackFiles(members, package) ? package : QString();
}

long ResidentKiB()
{
    return StatusKiB("VmRSS:");
}

long PeakResidentKiB()
{
    return StatusKiB("VmHWM:");
}

bool ResetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

} // namespace skintest
