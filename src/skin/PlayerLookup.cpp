#include "skin/PlayerLookup.h"

#include <QFile>
#include <QList>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {

// The player's folder value is read into a 512-byte buffer; a longer value fails to read.
constexpr int kHomeBufferSize = 512;
// The version is read into a 256-character buffer.
constexpr int kVersionBufferSize = 256;

QByteArray Unquote(const QByteArray& value)
{
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Calls visit(section, key, value) for every key line, in file order, until it returns true.
template <typename Visit> void ForEachEntry(const QByteArray& text, Visit visit)
{
    QByteArray section;
    bool inSection = false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
            inSection = true;
            if (visit(section, QByteArray(), QByteArray(), true))
                return;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        if (visit(section, line.left(equals).trimmed(), Unquote(line.mid(equals + 1).trimmed()), false))
            return;
    }
}

bool SameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QByteArray> ProfileValue(const QByteArray& text, const QByteArray& section,
                                       const QByteArray& key, int bufferSize)
{
    std::optional<QByteArray> found;
    ForEachEntry(text, [&](const QByteArray& s, const QByteArray& k, const QByteArray& v, bool header) {
        if (header || !SameName(s, section) || !SameName(k, key))
            return false;
        found = v.left(std::max(0, bufferSize - 1));
        return true;
    });
    return found;
}

bool ProfileHasSection(const QByteArray& text, const QByteArray& section)
{
    bool found = false;
    ForEachEntry(text, [&](const QByteArray& s, const QByteArray&, const QByteArray&, bool header) {
        found = header && SameName(s, section);
        return found;
    });
    return found;
}

QString PlayerRegistryFile()
{
    const QString named = qEnvironmentVariable("VDMUSIC_REGISTRY");
    return named.isEmpty() ? QStringLiteral("/etc/vdmusic/registry.ini") : named;
}

std::optional<QString> ReadPlayerHome()
{
#ifdef Q_OS_WIN
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\VDMUSIC"), QSettings::NativeFormat);
    if (key.childKeys().isEmpty() && key.childGroups().isEmpty())
        return std::nullopt;
    const QString home = key.value(QStringLiteral("VDMUSIC_HOME")).toString();
    return home.toLocal8Bit().size() < kHomeBufferSize ? home : QString();
#else
    QFile file(PlayerRegistryFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    if (!ProfileHasSection(text, "VDMUSIC"))
        return std::nullopt;
    // Read with room to spare so that an over-long value is seen as such and refused.
    const std::optional<QByteArray> home = ProfileValue(text, "VDMUSIC", "VDMUSIC_HOME", kHomeBufferSize + 1);
    if (!home || home->size() >= kHomeBufferSize)
        return QString();
    return QString::fromUtf8(*home);
#endif
}

QByteArray ReadPlayerVersion(const QString& home)
{
    // Without a folder there is nothing to look in (the bare path would name the file system root).
    if (home.isEmpty())
        return {};
    QFile file(home + QStringLiteral("/face/vdc.img"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileValue(file.readAll(), "Config", "Version", kVersionBufferSize).value_or(QByteArray());
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
