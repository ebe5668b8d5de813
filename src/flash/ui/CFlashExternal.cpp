#include "flash/ui/CFlashExternal.h"

#include "flash/ui/CAppWebWnd.h"

CFlashExternal::CFlashExternal(CAppWebWnd* view) : QObject(view), m_view(view) {}

void CFlashExternal::callflashdown(const QString& text)
{
    if (m_view)
        m_view->CallFlashDown(text);
}
