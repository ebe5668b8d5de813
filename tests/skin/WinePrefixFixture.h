#pragma once
// A Wine prefix made of plain files for tests of finding and starting the player: system.reg
// text, the drive links under dosdevices/ and the player's folder; and a fake "wine", alone on
// PATH, that records how it was started.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>

namespace skintest {

// Sets (or, with unset, removes) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value, bool unset = false)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (unset)
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class FakeWinePrefix {
public:
    // <root>/prefix with drive C: (drive_c) and Z: ("/"), named by WINEPREFIX; PATH holds only
    // <root>/bin with the fake wine.
    explicit FakeWinePrefix(const QString& root)
        : m_root(root), m_prefixEnv("WINEPREFIX", (root + "/prefix").toUtf8()),
          m_pathEnv("PATH", (root + "/bin").toUtf8())
    {
        QDir().mkpath(DriveC());
        QDir().mkpath(Prefix() + "/dosdevices");
        QDir().mkpath(root + "/bin");
        QFile::link("../drive_c", Prefix() + "/dosdevices/c:");
        QFile::link("/", Prefix() + "/dosdevices/z:");
        // One line each: WINEPREFIX, the arguments, then the command line the player would get.
        const QString wine = root + "/bin/wine";
        WriteAll(wine,
                 "#!/bin/sh\n"
                 "PATH=/usr/bin:/bin\n"
                 "out=\"$(dirname \"$0\")/wine.record\"\n"
                 "{ printf '%s\\n' \"$WINEPREFIX\" \"$@\" \"$SKINMAKER_PLAYER_COMMAND\"; } > \"$out.tmp\"\n"
                 "mv \"$out.tmp\" \"$out\"\n");
        QFile::setPermissions(wine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString Prefix() const { return m_root + "/prefix"; }
    QString DriveC() const { return Prefix() + "/drive_c"; }

    // system.reg: Wine's header, then the sections as Wine writes them.
    bool WriteRegistry(const QByteArray& sections) const
    {
        return WriteAll(Prefix() + "/system.reg", "WINE REGISTRY Version 2\n"
                                                  ";; All keys relative to REGISTRY\\\\Machine\n\n"
                                                  "#arch=win64\n\n" +
                                                      sections);
    }
    // A player folder under drive C: with face/vdc.img naming the version and VdMusic.exe, the
    // names spelt as given.
    bool MakePlayerFolder(const QString& folder, const QByteArray& version, const QString& face = "face",
                          const QString& versionFile = "vdc.img",
                          const QString& program = "VdMusic.exe") const
    {
        const QString path = DriveC() + "/" + folder;
        return QDir().mkpath(path + "/" + face) &&
               WriteAll(path + "/" + face + "/" + versionFile, "[Config]\r\nVersion=" + version + "\r\n") &&
               WriteAll(path + "/" + program, "MZ");
    }

    // Takes the fake wine off PATH: no wine at all.
    void RemoveWine() const { QFile::remove(m_root + "/bin/wine"); }
    QString RecordFile() const { return m_root + "/bin/wine.record"; }
    void ClearRecord() const { QFile::remove(RecordFile()); }
    // What the fake wine recorded, once it has run (empty after ten seconds without).
    QStringList WaitForRecord() const
    {
        if (!QTest::qWaitFor([this] { return QFile::exists(RecordFile()); }, 10000))
            return {};
        QStringList lines = QString::fromUtf8(ReadAll(RecordFile())).split('\n');
        lines.removeLast();
        return lines;
    }

private:
    QString m_root;
    ScopedEnv m_prefixEnv;
    ScopedEnv m_pathEnv;
};

} // namespace skintest
