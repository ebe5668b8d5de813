// Opens arbitrary bytes as a skin package: unpacking, header rebuild and description file.
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch(QDir::tempPath() + "/fuzz-open-package-XXXXXX");
    const QString package = scratch.filePath("fuzz.vsf");
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
        // What a page does next with an opened project: every list must match its count.
        if (project.extraControlCount < 0 || project.extraControlCount > project.extraControlPaths.size() ||
            project.extraControlCount > project.extraControlCorners.size())
            __builtin_trap();
        for (int k = 0; k < project.extraControlCount; ++k) {
            if (project.extraControlCorners[k] < 0 || project.extraControlCorners[k] >= kCornerCount)
                __builtin_trap();
        }
    }
    QDir(ExtractionFolder(package)).removeRecursively();
    return 0;
}
