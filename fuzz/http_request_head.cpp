// Reads arbitrary bytes as the head of a request to the local web host: parsed as the host parses
// what arrives before the blank line, then asked what the host asks of it.
#include "flash/web/HttpRequestHead.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool HasLineBreakOrNul(const QByteArray& text)
{
    return text.contains('\r') || text.contains('\n') || text.contains('\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView head(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<HttpRequestHead> request = ParseRequestHead(head);
    if (!request)
        return 0;
    // What is taken is one request line and whole fields: nothing can smuggle a second request.
    if (request->method.isEmpty() || !request->target.startsWith('/') ||
        (request->version != "HTTP/1.1" && request->version != "HTTP/1.0") ||
        HasLineBreakOrNul(request->method) || HasLineBreakOrNul(request->target) ||
        request->target.contains(' '))
        std::abort();
    for (const auto& [name, value] : request->fields) {
        if (name.isEmpty() || name.contains(':') || name.contains(' ') || HasLineBreakOrNul(name) ||
            HasLineBreakOrNul(value))
            std::abort();
    }
    (void)request->KeepsAlive();
    // A head that names a length other than a single 0, or any transfer coding, announces a body.
    const QList<QByteArray> lengths = request->Values("Content-Length");
    if (!request->Values("Transfer-Encoding").isEmpty() && !request->AnnouncesBody())
        std::abort();
    if (lengths.size() == 1 && lengths.front() != "0" && !request->AnnouncesBody())
        std::abort();
    return 0;
}
