#include "flash/ui/CDownloadRequest.h"

#include "flash/core/FlashCache.h"
#include "flash/core/FlashRequest.h"

#include <QDir>
#include <QFileInfo>

CDownloadRequest::CDownloadRequest(QObject* parent) : QObject(parent)
{
    connect(&m_download, &CSwfDownload::Progress, this, &CDownloadRequest::DownloadProgress);
    connect(&m_download, &CSwfDownload::Finished, this, [this](bool ok, const QString&) { OnFinished(ok); });
}

CDownloadRequest::Outcome CDownloadRequest::HandleRequest(const QString& text)
{
    if (m_busy)
        return Outcome::Dropped;
    const FlashRequest request = ParseFlashRequest(text);
    if (!request.IsDownload())
        return Outcome::Ignored;
    m_flashId = request.flashId;
    m_name = request.name;
    m_url = request.url;
    m_localPath.clear();
    // The id becomes a file name only as a plain name: no folders, no hidden or odd names.
    if (!IsPlainFlashId(m_flashId))
        return Done(false);
    const QString folder = m_cacheFolder.isEmpty() ? FlashCacheFolder() : m_cacheFolder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Done(false);
    const QString fileName = FlashCacheFileName(m_flashId, m_url);
    m_localPath = QDir(folder).filePath(fileName);
    // A control an earlier version kept beside the program is copied over instead of downloaded.
    const QString legacy = m_legacyFolder.isNull() ? LegacyFlashCacheFolder() : m_legacyFolder;
    if (AdoptLegacyCachedControl(legacy, folder, fileName))
        return Done(true);
    if (!m_download.Start(QUrl(m_url, QUrl::StrictMode), m_localPath))
        return Done(false);
    m_busy = true;
    emit DownloadStarted();
    return Outcome::Started;
}

void CDownloadRequest::CancelDownload()
{
    m_download.Cancel();
    m_busy = false;
}

CDownloadRequest::Outcome CDownloadRequest::Done(bool success)
{
    emit DownloadDone(success);
    return success ? Outcome::Cached : Outcome::Failed;
}

void CDownloadRequest::OnFinished(bool ok)
{
    // Still busy while the result is handled, as a request arriving meanwhile is dropped.
    emit DownloadDone(ok);
    m_busy = false;
}
