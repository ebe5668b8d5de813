#include "flash/web/WebEngineSetup.h"

#include <QByteArray>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QtGlobal>

#include <unistd.h>

void PrepareWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
    // The web views draw into the window like any other widget. Composed through OpenGL instead,
    // every movie frame would redraw the whole window, which costs a core's worth without a GPU,
    // and the first view would turn the window into an OpenGL one. A backend the user chose wins.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
