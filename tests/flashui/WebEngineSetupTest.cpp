// What the program asks of the web engine before its first view.
#include "flash/web/WebEngineSetup.h"

#include <QDir>
#include <QFile>
#include <QQuickWindow>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// The environments of this process's children that are the engine's helper processes.
QList<QByteArrayList> EngineHelperEnvironments()
{
    QList<QByteArrayList> environments;
    const QByteArray parent = QByteArray::number(getpid()) + ' ';
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QFile environment(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!stat.open(QIODevice::ReadOnly) || !command.open(QIODevice::ReadOnly) ||
            !environment.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the state is one letter.
        const QByteArray fields = stat.readAll();
        const qsizetype nameEnd = fields.lastIndexOf(')');
        const bool ours = nameEnd > 0 && fields.mid(nameEnd + 4).startsWith(parent);
        if (ours && command.readAll().contains("--type="))
            environments.append(environment.readAll().split('\0'));
    }
    return environments;
}

} // namespace

TEST(WebEngineSetup, DrawsInSoftwareAndKeepsTheUsersFlagsLastAndOnce)
{
    qunsetenv("QT_QUICK_BACKEND");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--js-flags=--their-own");
    PrepareWebEngine();
    const QByteArray once = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    PrepareWebEngine();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), once);
    EXPECT_TRUE(once.endsWith(" --js-flags=--their-own"));
    EXPECT_TRUE(once.startsWith("--js-flags=--wasm-lazy-compilation "));
    EXPECT_EQ(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
}

TEST(WebEngineSetup, OnlyTheEnginesProcessesGetTheAllocatorSettings)
{
    qputenv("GLIBC_TUNABLES", "glibc.malloc.check=0");
    PrepareWebEngine();
    EXPECT_EQ(qgetenv("GLIBC_TUNABLES"), QByteArray("glibc.malloc.check=0"));
    qunsetenv("GLIBC_TUNABLES");
    PrepareWebEngine();
    EXPECT_FALSE(qEnvironmentVariableIsSet("GLIBC_TUNABLES"));

    const QList<QByteArrayList> helpers = EngineHelperEnvironments();
    ASSERT_FALSE(helpers.isEmpty());
    for (const QByteArrayList& environment : helpers) {
        const auto tunables =
            std::find_if(environment.begin(), environment.end(),
                         [](const QByteArray& entry) { return entry.startsWith("GLIBC_TUNABLES="); });
        ASSERT_NE(tunables, environment.end());
        EXPECT_TRUE(tunables->startsWith("GLIBC_TUNABLES=glibc.malloc.mmap_threshold=32768"))
            << tunables->data();
    }
}
