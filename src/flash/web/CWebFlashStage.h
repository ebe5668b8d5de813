#pragma once
// The stage as a transparent QWebEngineView over the anchor showing stage.html from the local host.
#include "flash/web/CFlashStage.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

class LocalWebHost;
class QWebEngineView;
class QWidget;

class CWebFlashStage : public QObject, public CFlashStage {
    Q_OBJECT
public:
    CWebFlashStage(QWidget* anchor, LocalWebHost& host);
    ~CWebFlashStage() override;

    int NewMovieId() override { return m_nextId++; }
    void OpenMovie(int id, const QString& path, const QRect& rect) override;
    void CloseMovie(int id) override;
    void MoveMovie(int id, const QPoint& topLeft) override;
    void ShowMovie(int id, bool visible) override;
    void ShadeMovie(int id, bool shaded) override;
    void SetOverlay(const QString& resource, const QRect& rect) override;
    void SetVisible(bool visible) override;
    void FitAnchor() override;
    bool IsLoaded() const override { return m_loaded; }

private:
    void Run(const QString& script);

    LocalWebHost& m_host;
    QPointer<QWidget> m_anchor;
    QPointer<QWebEngineView> m_view; // a child of the anchor
    bool m_loaded = false;
    QStringList m_pending;            // scripts waiting for the page
    QHash<int, QUrl> m_movieUrls;     // the registered file of each open box
    QHash<QString, QString> m_served; // resource -> path on the host
    int m_nextId = 0;
};
