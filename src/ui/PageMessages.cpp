#include "ui/PageMessages.h"

#include <QCoreApplication>

qintptr SendPageMessage(QObject* receiver, CPageEvent& event)
{
    if (receiver == nullptr)
        return 0;
    QCoreApplication::sendEvent(receiver, &event);
    return event.result;
}
