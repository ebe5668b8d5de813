#include "ui/LanguagePictures.h"

#include "imaging/ImageLoading.h"

#include <QCoreApplication>
#include <QFile>

QString TranslatedBitmapPath(int id)
{
    // The translation names the folder of its pictures; the Chinese source text names none.
    const QString folder =
        QCoreApplication::translate("LanguagePictures", "zh", "folder of the pictures in this language");
    if (folder == QLatin1String("zh") || folder.isEmpty())
        return {};
    const QString path = QStringLiteral(":/res/bitmap/%1/%2.bmp").arg(folder).arg(id);
    return QFile::exists(path) ? path : QString();
}

QString ShownBitmapPath(int id)
{
    const QString translated = TranslatedBitmapPath(id);
    return translated.isEmpty() ? BitmapResourcePath(id) : translated;
}
