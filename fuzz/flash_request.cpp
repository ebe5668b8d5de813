// Reads arbitrary bytes as the text a gallery page hands over, the way a download request does:
// the request parsed, its id checked as a cache file name, its address checked as a web address.
#include "flash/core/FlashCache.h"
#include "flash/core/FlashRequest.h"

#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const FlashRequest request = ParseFlashRequest(text);
    // No field keeps a line break: each is one line of the text.
    for (const QString* field : {&request.method, &request.flashId, &request.name, &request.url})
        if (field->contains(QLatin1Char('\r')) || field->contains(QLatin1Char('\n')))
            std::abort();
    if (IsPlainFlashId(request.flashId)) {
        const QString file = FlashCacheFileName(request.flashId, request.url);
        if (file.contains(QLatin1Char('/')) || file.startsWith(QLatin1Char('.')) || !file.endsWith(".swf"))
            std::abort();
    }
    const QUrl url(request.url, QUrl::StrictMode);
    const QUrl next(request.name, QUrl::StrictMode);
    if (IsAllowedRedirect(url, next) && url.host().compare(next.host(), Qt::CaseInsensitive) != 0)
        std::abort();
    return 0;
}
