#include "app/ProgramIcon.h"

QIcon ProgramIcon()
{
    QIcon icon;
    for (const char* name : {"128-16", "128-32", "128-48", "128"})
        icon.addFile(QStringLiteral(":/res/icon/%1.png").arg(QLatin1String(name)));
    return icon;
}
