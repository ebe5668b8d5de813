#pragma once
// The object behind window.external in the gallery page: one method, callflashdown(text).
#include <QObject>
#include <QPointer>

class CAppWebWnd;

class CFlashExternal : public QObject {
    Q_OBJECT
public:
    explicit CFlashExternal(CAppWebWnd* view);

    Q_INVOKABLE void callflashdown(const QString& text);

private:
    QPointer<CAppWebWnd> m_view;
};
