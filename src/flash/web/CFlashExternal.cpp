#include "flash/web/CFlashExternal.h"

#include "flash/web/CAppWebWnd.h"

CFlashExternal::CFlashExternal(CAppWebWnd* view) : QObject(view), m_view(view) {}

void CFlashExternal::callflashdown(const QString& text)
{
    if (m_view)
        m_view->CallFlashDown(text);
}
