#pragma once
// What the flash engine module (web engine and local web host, loaded on first need) offers the
// program: plain C entry points, looked up by name after loading.
#include <QString>

class CFlashStage;
class CGalleryView;
class QUrl;
class QWidget;

extern "C" {
// A stage over the anchor, its page served by the program's host (started on first call with the
// player's files from playerFolder); null when the host cannot listen. The caller owns it.
using CreateFlashStageFn = CFlashStage* (*)(QWidget* anchor, const QString* playerFolder);
Q_DECL_EXPORT CFlashStage* skinflash_create_stage(QWidget* anchor, const QString* playerFolder);
// The host's base URL into *base, started on first call; empty when it cannot listen.
using LocalSiteBaseFn = void (*)(const QString* playerFolder, QString* base);
Q_DECL_EXPORT void skinflash_site_base(const QString* playerFolder, QString* base);
// A gallery web view in parent, opening galleryUrl (nothing when it is empty). The caller owns it.
using CreateGalleryViewFn = CGalleryView* (*)(QWidget* parent, const QUrl* galleryUrl);
Q_DECL_EXPORT CGalleryView* skinflash_create_gallery_view(QWidget* parent, const QUrl* galleryUrl);
}
