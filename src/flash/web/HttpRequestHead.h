#pragma once
// The head of one HTTP/1.x request as the local web host reads it: the request line and the
// header fields up to the blank line. The host never reads past a head: a request that announces
// a body is refused.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

#include <optional>

struct HttpRequestHead {
    QByteArray method;
    QByteArray target;                           // as sent, in origin form: "/path?query"
    QByteArray version;                          // "HTTP/1.0" or "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> fields; // names as sent, values trimmed

    // Every value of the named field (names compare case-insensitively).
    QList<QByteArray> Values(QByteArrayView name) const;
    // Whether the client wants the connection kept open after the answer.
    bool KeepsAlive() const;
    // A Transfer-Encoding, or a Content-Length other than a single 0.
    bool AnnouncesBody() const;
};

// The head before its blank line ("\r\n\r\n" not included); nullopt when it is not a well-formed
// HTTP/1.0 or HTTP/1.1 request head with a target in origin form.
std::optional<HttpRequestHead> ParseRequestHead(QByteArrayView head);
