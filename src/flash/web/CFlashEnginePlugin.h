#pragma once
// The flash engine module's plugin object: makes stages and gallery views, and answers the local
// host's address.
#include "flash/web/FlashEngineModule.h"

#include <QObject>

class CFlashEnginePlugin : public QObject, public FlashEngineModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FlashEngineModule_iid)
    Q_INTERFACES(FlashEngineModule)
public:
    void StartEngine() override;
    CFlashStage* CreateStage(QWidget* anchor, const QString& playerFolder) override;
    QString SiteBase(const QString& playerFolder) override;
    CGalleryView* CreateGalleryView(QWidget* parent, const QUrl& galleryUrl) override;
};
