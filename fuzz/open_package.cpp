// Opens arbitrary bytes as a skin package: unpacking, header rebuild and description file. The
// package and its extraction folder live in one folder made once, in memory (/dev/shm) where the
// system has it; the open empties the extraction folder itself, so no run makes or removes folders.
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QString Scratch()
{
    static QTemporaryDir scratch(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/fuzz-open-package-XXXXXX"));
    static const bool set = qputenv("TMPDIR", scratch.path().toLocal8Bit());
    (void)set;
    return scratch.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString package = Scratch() + QStringLiteral("/fuzz.vsf");
    {
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    SkinProject project;
    ResetProject(project);
    const OpenResult result = OpenPackage(package, project);
    if (result.ok) {
        // What a page does next with an opened project: every extra control names one of the corners.
        for (const FlashControl& control : project.extraControls) {
            if (!IsValidCorner(control.corner))
                __builtin_trap();
        }
    }
    return 0;
}
