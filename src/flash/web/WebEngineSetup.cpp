#include "flash/web/WebEngineSetup.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

void PrepareWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
}
