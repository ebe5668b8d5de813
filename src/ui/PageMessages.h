#pragma once
// Page messages between controls, pages and the wizard: custom event types with fixed numbers.
// "Send" is QCoreApplication::sendEvent (synchronous), "post" is postEvent.
#include "platform/SkinRect.h"

#include <QEvent>
#include <QString>

enum PageMessage : int {
    PM_CROP_CHANGED = 0x591,     // CPictureCtrl -> page 1; rect = crop in picture pixels
    PM_PICTURE_READY = 0x592,    // page 1 -> wizard; wizard enables and focuses Next, result 1
    PM_OPEN_PACKAGE = 0x593,     // page 1 -> wizard; path = package path; result = OpenPackage result
    PM_REGION_CHANGED = 0x594,   // CPreviewCtrl -> page 3; rect = region in picture pixels
    PM_ITEM_MOVED = 0x595,       // decorated preview / flash host -> page 4 or 5
    PM_ITEM_SELECTED = 0x596,    // flash host -> preview -> page 5; lParam = control index
    PM_PICTURE_GONE = 0x597,     // page 1 -> wizard; no picture is shown any more: Next is disabled
    PM_DOWNLOAD_STARTED = 0x5A4, // download worker -> gallery window (posted)
    PM_DOWNLOAD_DONE = 0x5A5,    // download worker -> gallery -> wizard; lParam 1 success, 0 failure
};

class CPageEvent : public QEvent {
public:
    explicit CPageEvent(PageMessage message, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(static_cast<QEvent::Type>(message)), wParam(wParam), lParam(lParam)
    {
    }
    PageMessage message() const { return static_cast<PageMessage>(type()); }

    qintptr wParam = 0;
    qintptr lParam = 0;
    SkinRect rect;      // PM_CROP_CHANGED, PM_REGION_CHANGED
    QString path;       // PM_OPEN_PACKAGE; PM_DOWNLOAD_DONE: the downloaded control's local file
    QString name;       // PM_DOWNLOAD_DONE: the downloaded control's name
    qintptr result = 0; // set by the receiver
};

// Sends a page message synchronously and returns the receiver's result.
qintptr SendPageMessage(QObject* receiver, CPageEvent& event);
