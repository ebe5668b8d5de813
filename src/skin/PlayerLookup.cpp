#include "skin/PlayerLookup.h"

#include "skin/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {

// The player's folder value is read into a 512-byte buffer; a longer value fails to read.
constexpr int kHomeBufferSize = 512;
// The version is read into a 256-character buffer.
constexpr int kVersionBufferSize = 256;

#ifndef Q_OS_WIN
// True when the profile text has a "[section]" line (names match without regard to case).
bool HasSection(const QByteArray& text, QByteArrayView section)
{
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith('['))
            continue;
        const qsizetype close = line.indexOf(']');
        const QByteArray name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
        if (name.compare(section, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
#endif

} // namespace

QString PlayerRegistryFile()
{
    const QString named = qEnvironmentVariable("VDMUSIC_REGISTRY");
    return named.isEmpty() ? QStringLiteral("/etc/vdmusic/registry.ini") : named;
}

std::optional<QString> ReadPlayerHome()
{
#ifdef Q_OS_WIN
    // A 32-bit program's key lies in the 32-bit view (WOW6432Node on 64-bit Windows).
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\VDMUSIC"), QSettings::Registry32Format);
    if (key.childKeys().isEmpty() && key.childGroups().isEmpty())
        return std::nullopt;
    const QString home = key.value(QStringLiteral("VDMUSIC_HOME")).toString();
    return home.toLocal8Bit().size() < kHomeBufferSize ? home : QString();
#else
    QFile file(PlayerRegistryFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    if (!HasSection(text, "VDMUSIC"))
        return std::nullopt;
    ProfileFile profile;
    profile.SetBytes(text);
    // Read with plenty of room so that an over-long value is seen as such and refused.
    const QByteArray home = profile.ReadBytes("VDMUSIC", "VDMUSIC_HOME", 8 * kHomeBufferSize);
    if (home.size() >= kHomeBufferSize)
        return QString();
    return QString::fromUtf8(home);
#endif
}

QByteArray ReadPlayerVersion(const QString& home)
{
    // Without a folder there is nothing to look in (the bare path would name the file system root).
    if (home.isEmpty())
        return {};
    ProfileFile profile;
    if (!profile.Load(home + QStringLiteral("/face/vdc.img")))
        return {};
    return profile.ReadBytes("Config", "Version", kVersionBufferSize);
}

int CompareVersionText(const QByteArray& a, const QByteArray& b)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a.constData());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.constData());
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (pa[i] != pb[i])
            return pa[i] < pb[i] ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SupportsSkins(const QByteArray& version)
{
    return CompareVersionText(version, QByteArray(kFirstSkinnableVersion)) >= 0;
}

PlayerCheck CheckPlayer()
{
    PlayerCheck check;
    const std::optional<QString> home = ReadPlayerHome();
    if (!home)
        return check;
    check.home = *home;
    check.version = ReadPlayerVersion(check.home);
    if (check.version.isEmpty())
        check.status = PlayerStatus::NotInstalled;
    else
        check.status = SupportsSkins(check.version) ? PlayerStatus::Ready : PlayerStatus::TooOld;
    return check;
}

bool StartPlayer(const PlayerCheck& player, const QString& packagePath)
{
    const QString path = QDir::toNativeSeparators(packagePath);
#ifdef Q_OS_WIN
    // The player reads its raw command line: the path in double quotes, whatever it contains.
    QProcess process;
    process.setProgram(QDir::toNativeSeparators(player.program()));
    process.setNativeArguments(QLatin1Char('"') + path + QLatin1Char('"'));
    return process.startDetached();
#else
    return QProcess::startDetached(player.program(), {path});
#endif
}
