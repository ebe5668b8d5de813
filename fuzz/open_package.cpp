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
        // What a page does next with an opened project: every extra control names one of the corners.
        for (const FlashControl& control : project.extraControls) {
            if (control.corner < 0 || control.corner >= kCornerCount)
                __builtin_trap();
        }
    }
    QDir(ExtractionFolder(package)).removeRecursively();
    return 0;
}
