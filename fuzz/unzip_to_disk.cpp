// The archive reader on disk: open the bytes as an archive, list every member, extract each one
// into a private folder, then unpack the whole archive through a staging folder. Anything written
// outside the private folder is a finding. Slow (folders made and removed on every run): it
// replays the unzip seeds as a test; fuzz with fuzz_unzip, which runs in memory.
#include "zip/Zip.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckContained(const QString& root)
{
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        const QString name = it.next().mid(root.size() + 1);
        if (name != "in.zip" && name != "items" && name != "all")
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir box;
    if (!box.isValid())
        return 0;
    const QString root = box.path();
    QDir(root + "/items").removeRecursively();
    QDir(root + "/all").removeRecursively();
    QFile::remove(root + "/in.zip");
    {
        QFile file(root + "/in.zip");
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    if (ZipHandle* zip = UnzipOpen(root + "/in.zip")) {
        ZipItem item;
        UnzipGetItem(zip, -1, &item);
        const int count = item.index;
        for (int i = 0; i < count; ++i) {
            if (UnzipGetItem(zip, i, &item) == ZIP_OK)
                UnzipItemToFile(zip, i, root + "/items/" + item.name);
        }
        UnzipGetItem(zip, count, &item);
        UnzipClose(zip);
    }
    QStringList names;
    UnzipAll(root + "/in.zip", root + "/all", &names, true);
    CheckContained(root);
    // Extracted files may be read-only; make the folders removable for the next run.
    for (const QString& sub : {root + "/items", root + "/all"})
        QDir(sub).removeRecursively();
    return 0;
}
