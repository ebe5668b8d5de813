#include "skin/PlayerLookup.h"

#include "skin/PlayerLookupWine.h"
#include "skin/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include "skin/GbkText.h"

#include <QProcessEnvironment>
#include <QStandardPaths>
#endif

namespace {

// The player's folder value is read as ANSI text into a 512-byte buffer, terminator included;
// a longer value fails to read.
constexpr int kHomeBufferSize = 512;
// The version is read into a 256-character buffer.
constexpr int kVersionBufferSize = 256;

QString CannotStartMessage(const PlayerCheck& player)
{
    return QCoreApplication::translate("PlayerLookup", "无法启动音乐盒：%1").arg(player.program());
}

} // namespace

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
    QFile file(QDir(WinePrefix()).filePath(QStringLiteral("system.reg")));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The 32-bit view first: that is the key the player itself sees in a 64-bit prefix.
    const std::optional<QString> home = ReadWineRegistryString(
        file.readAll(),
        {QStringLiteral("Software\\Wow6432Node\\VDMUSIC"), QStringLiteral("Software\\VDMUSIC")},
        QStringLiteral("VDMUSIC_HOME"));
    if (!home)
        return std::nullopt;
    // The player's ANSI code page is GBK.
    QByteArray ansi;
    if (!EncodeGbk(*home, ansi))
        ansi = home->toUtf8();
    return ansi.size() < kHomeBufferSize ? *home : QString();
#endif
}

QString PlayerFolder(const QString& home)
{
#ifdef Q_OS_WIN
    return home;
#else
    return WineLocalPath(WinePrefix(), home);
#endif
}

QByteArray ReadPlayerVersion(const QString& folder)
{
    // Without a folder there is nothing to look in (the bare path would name the file system root).
    const QString file =
        FindNameIgnoringCase(FindNameIgnoringCase(folder, QStringLiteral("face")), QStringLiteral("vdc.img"));
    if (file.isEmpty())
        return {};
    ProfileFile profile;
    if (!profile.Load(file))
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

QString PlayerCheck::program() const
{
    QString folder = home;
    while (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder + QStringLiteral("\\VdMusic.exe");
}

PlayerCheck CheckPlayer()
{
    PlayerCheck check;
    const std::optional<QString> home = ReadPlayerHome();
    if (!home)
        return check;
    check.home = *home;
    if (!check.home.isEmpty())
        check.folder = PlayerFolder(check.home);
    check.version = ReadPlayerVersion(check.folder);
    if (check.version.isEmpty())
        check.status = PlayerStatus::NotInstalled;
    else
        check.status = SupportsSkins(check.version) ? PlayerStatus::Ready : PlayerStatus::TooOld;
    return check;
}

QString PlayerCommandLine(const PlayerCheck& player, const QString& packageWindowsPath)
{
    const QChar quote(QLatin1Char('"'));
    return quote + player.program() + quote + QLatin1Char(' ') + quote + packageWindowsPath + quote;
}

StartResult StartPlayer(const PlayerCheck& player, const QString& packagePath)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    // The player reads its raw command line: the path in double quotes, whatever it contains.
    process.setProgram(player.program());
    process.setNativeArguments(QLatin1Char('"') + QDir::toNativeSeparators(packagePath) + QLatin1Char('"'));
#else
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        return {false, QCoreApplication::translate(
                           "PlayerLookup",
                           "未找到 Wine，无法启动音乐盒。请先安装 Wine（sudo apt install wine）后再试。")};
    }
    if (FindNameIgnoringCase(player.folder, QStringLiteral("VdMusic.exe")).isEmpty())
        return {false, CannotStartMessage(player)};
    // cmd expands the variable once and starts the player with exactly that command line.
    process.setProgram(wine);
    process.setArguments({QStringLiteral("cmd"), QStringLiteral("/c"),
                          QLatin1Char('%') + QLatin1String(kWineCommandVariable) + QLatin1Char('%')});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), WinePrefix());
    environment.insert(QLatin1String(kWineCommandVariable),
                       PlayerCommandLine(player, WineWindowsPath(packagePath)));
    process.setProcessEnvironment(environment);
    // Wine reports on the terminal; the user is told of failures here instead.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#endif
    if (!process.startDetached())
        return {false, CannotStartMessage(player)};
    return {true, {}};
}
