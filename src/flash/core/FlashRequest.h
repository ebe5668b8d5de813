#pragma once
// The text a gallery page hands over when the user picks a control: lines of key=value, for
// example "method=download", "flashid=clock01", "name=时钟", "url=http://…/clock01.swf".
#include <QString>
#include <QStringView>

class QUrl;

struct FlashRequest {
    QString method;
    QString flashId;
    QString name;
    QString url;
    QString width; // accepted, not used
    QString height;

    bool IsDownload() const { return method == QLatin1String("download"); }
};

// Lines split at CR and LF, empty ones skipped; the key is the text before the first "=". A
// method other than "download" stops reading; a later key replaces an earlier one; unknown keys
// are ignored.
FlashRequest ParseFlashRequest(const QString& text);

// True when a flash id can be a cache file name as it stands: 1 to 64 letters, digits, "_", "-"
// or ".", not starting with a dot.
bool IsPlainFlashId(QStringView id);

// Whether a download from `from` may follow a redirect to `to`: the same host and port with the
// same scheme, or the same host over https (at its default port or the same one) from http.
bool IsAllowedRedirect(const QUrl& from, const QUrl& to);
