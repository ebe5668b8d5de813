#pragma once
// What the flash engine module (the web engine and the local web host, loaded on first need)
// offers the program: one interface, implemented by the module's plugin object and found with
// QPluginLoader. The header stays free of the web engine.
#include <QString>
#include <QtPlugin>

class CFlashStage;
class CGalleryView;
class QUrl;
class QWidget;

class FlashEngineModule {
public:
    virtual ~FlashEngineModule() = default;

    // Starts the web engine and its helper processes, so that the first view made later does not
    // wait for them.
    virtual void StartEngine() = 0;
    // A stage over the anchor, its page served by the program's host (started on first call with
    // the player's files from playerFolder); null when the host cannot listen. The caller owns it.
    virtual CFlashStage* CreateStage(QWidget* anchor, const QString& playerFolder) = 0;
    // The host's base URL, the host started on first call; empty when it cannot listen.
    virtual QString SiteBase(const QString& playerFolder) = 0;
    // A gallery web view in parent, opening galleryUrl (nothing when it is empty). The caller owns it.
    virtual CGalleryView* CreateGalleryView(QWidget* parent, const QUrl& galleryUrl) = 0;
};

#define FlashEngineModule_iid "org.skinmaker.FlashEngineModule/1.1"
Q_DECLARE_INTERFACE(FlashEngineModule, FlashEngineModule_iid)
