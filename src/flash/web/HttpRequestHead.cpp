#include "flash/web/HttpRequestHead.h"

namespace {

bool IsToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || QByteArrayView("()<>@,;:\\\"/[]?={}").contains(c))
            return false;
    }
    return true;
}

bool IsTarget(QByteArrayView text)
{
    if (!text.startsWith('/'))
        return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F)
            return false;
    }
    return true;
}

} // namespace

QList<QByteArray> HttpRequestHead::Values(QByteArrayView name) const
{
    QList<QByteArray> values;
    for (const auto& [fieldName, value] : fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            values << value;
    }
    return values;
}

bool HttpRequestHead::KeepsAlive() const
{
    bool close = version == "HTTP/1.0";
    for (const QByteArray& value : Values("Connection")) {
        for (const QByteArray& option : value.split(',')) {
            const QByteArray word = option.trimmed().toLower();
            if (word == "close")
                return false;
            if (word == "keep-alive")
                close = false;
        }
    }
    return !close;
}

bool HttpRequestHead::AnnouncesBody() const
{
    if (!Values("Transfer-Encoding").isEmpty())
        return true;
    const QList<QByteArray> lengths = Values("Content-Length");
    return lengths.size() > 1 || (lengths.size() == 1 && lengths.front() != "0");
}

std::optional<HttpRequestHead> ParseRequestHead(QByteArrayView head)
{
    const QList<QByteArray> lines = head.toByteArray().split('\n');
    HttpRequestHead request;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (!line.endsWith('\r') && i + 1 < lines.size())
            return std::nullopt; // a bare LF inside the head
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r') || line.contains('\0'))
            return std::nullopt;
        if (i == 0) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 3 || !IsToken(parts[0]) || !IsTarget(parts[1]) ||
                (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0"))
                return std::nullopt;
            request.method = parts[0];
            request.target = parts[1];
            request.version = parts[2];
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        // Folded lines and names with spaces before the colon are no longer HTTP.
        if (colon <= 0 || !IsToken(QByteArrayView(line).first(colon)))
            return std::nullopt;
        request.fields.append({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    if (request.method.isEmpty())
        return std::nullopt;
    return request;
}
