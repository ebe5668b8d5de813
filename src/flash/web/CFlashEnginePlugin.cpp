#include "flash/web/CFlashEnginePlugin.h"

#include "flash/web/CAppWebWnd.h"
#include "flash/web/CWebFlashStage.h"
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"

void CFlashEnginePlugin::StartEngine()
{
    PrepareWebEngine();
}

CFlashStage* CFlashEnginePlugin::CreateStage(QWidget* anchor, const QString& playerFolder)
{
    LocalWebHost* host = LocalWebHost::Shared(playerFolder);
    return host != nullptr ? new CWebFlashStage(anchor, *host) : nullptr;
}

QString CFlashEnginePlugin::SiteBase(const QString& playerFolder)
{
    LocalWebHost* host = LocalWebHost::Shared(playerFolder);
    return host != nullptr ? host->BaseUrl().toString() : QString();
}

CGalleryView* CFlashEnginePlugin::CreateGalleryView(QWidget* parent, const QUrl& galleryUrl)
{
    PrepareWebEngine();
    return new CAppWebWnd(galleryUrl, parent);
}
