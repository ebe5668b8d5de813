#include "flash/core/FlashRequest.h"

#include <QUrl>

FlashRequest ParseFlashRequest(const QString& text)
{
    FlashRequest request;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (line.isEmpty())
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals < 0 ? QStringView() : line.left(equals);
        const QString value = equals < 0 ? QString() : line.mid(equals + 1).toString();
        if (key == u"method") {
            request.method = value;
            if (!request.IsDownload())
                break;
        } else if (key == u"flashid") {
            request.flashId = value;
        } else if (key == u"name") {
            request.name = value;
        } else if (key == u"url") {
            request.url = value;
        } else if (key == u"width") {
            request.width = value;
        } else if (key == u"height") {
            request.height = value;
        }
    }
    return request;
}

bool IsPlainFlashId(QStringView id)
{
    if (id.isEmpty() || id.size() > 64 || id.front() == u'.')
        return false;
    for (const QChar c : id) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                           c == u'_' || c == u'-' || c == u'.';
        if (!plain)
            return false;
    }
    return true;
}

bool IsAllowedRedirect(const QUrl& from, const QUrl& to)
{
    if (!to.isValid() || to.host().isEmpty() || from.host().compare(to.host(), Qt::CaseInsensitive) != 0)
        return false;
    const QString scheme = from.scheme().toLower();
    const QString next = to.scheme().toLower();
    const int port = from.port(scheme == QLatin1String("https") ? 443 : 80);
    if (next == scheme && (next == QLatin1String("http") || next == QLatin1String("https")))
        return to.port(next == QLatin1String("https") ? 443 : 80) == port;
    return scheme == QLatin1String("http") && next == QLatin1String("https") &&
           (to.port(443) == 443 || to.port(443) == port);
}
