#include "app/ProgramIcon.h"

#include <QCoreApplication>

QIcon ProgramIcon()
{
    QIcon icon;
    for (const char* name : {"128-16", "128-32", "128-48", "128-64", "128-128", "128", "128-512"})
        icon.addFile(QStringLiteral(":/res/icon/%1.png").arg(QLatin1String(name)));
    return icon;
}

QString ProgramDisplayName()
{
    return QCoreApplication::translate("Program", "皮肤制作工具");
}
