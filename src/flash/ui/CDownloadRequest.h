#pragma once
// The gallery's download request: which control a page asked for (flash id, name, url), where it
// lies in the control cache, and whether its download is running. A request that arrives while
// one is running is dropped. A control already in the cache is taken from there without a
// download.
#include "flash/ui/CSwfDownload.h"

#include <QObject>
#include <QString>

class CDownloadRequest : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Dropped, // a download was running
        Ignored, // not a download request
        Failed,  // DownloadDone(false) was emitted
        Cached,  // DownloadDone(true) was emitted: the file was in the cache
        Started, // DownloadStarted was emitted; DownloadDone follows unless cancelled
    };

    explicit CDownloadRequest(QObject* parent = nullptr);

    // Handles the text a gallery page sent (see ParseFlashRequest).
    Outcome HandleRequest(const QString& text);
    // Stops the running download: nothing is left in the cache, DownloadDone is not emitted, and
    // the next request for the same control downloads it anew.
    void CancelDownload();

    bool IsBusy() const { return m_busy; }
    const QString& FlashId() const { return m_flashId; }
    const QString& Name() const { return m_name; }
    const QString& Url() const { return m_url; }
    const QString& LocalPath() const { return m_localPath; }

    // The cache folder; empty (the default) means FlashCacheFolder().
    void SetCacheFolder(const QString& folder) { m_cacheFolder = folder; }
    // Where an earlier version's cache is looked up; null (the default) means
    // LegacyFlashCacheFolder(), empty means nowhere.
    void SetLegacyCacheFolder(const QString& folder) { m_legacyFolder = folder; }
    CSwfDownload& Download() { return m_download; }

signals:
    void DownloadStarted();
    void DownloadProgress(qint64 received, qint64 total);
    void DownloadDone(bool success);

private:
    Outcome Done(bool success);
    void OnFinished(bool ok);

    CSwfDownload m_download;
    QString m_cacheFolder;
    QString m_legacyFolder;
    QString m_flashId;
    QString m_name;
    QString m_url;
    QString m_localPath;
    bool m_busy = false;
};
