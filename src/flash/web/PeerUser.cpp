#include "flash/web/PeerUser.h"

#include <QFile>
#include <QList>

#include <cstring>

namespace {

// An address as a socket table prints it: 8 or 32 hex digits, each group of 8 the bytes of one
// 32-bit word as the machine stores it, so the bytes in memory are those of the address in order.
std::optional<QHostAddress> TableAddress(QByteArrayView hex)
{
    if (hex.size() != 8 && hex.size() != 32)
        return std::nullopt;
    quint8 bytes[16] = {};
    for (qsizetype word = 0; word * 8 < hex.size(); ++word) {
        bool ok = false;
        const quint32 value = hex.sliced(word * 8, 8).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        std::memcpy(bytes + 4 * word, &value, 4);
    }
    if (hex.size() == 8)
        return QHostAddress(quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 |
                            bytes[3]);
    return QHostAddress(bytes);
}

// "ADDRESS:PORT" of a socket table.
std::optional<TcpEnd> TableEnd(QByteArrayView text)
{
    const qsizetype colon = text.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    bool ok = false;
    const uint port = text.sliced(colon + 1).toUInt(&ok, 16);
    const std::optional<QHostAddress> address = TableAddress(text.first(colon));
    if (!ok || port > 0xFFFF || !address)
        return std::nullopt;
    return TcpEnd{*address, quint16(port)};
}

bool SameEnd(const TcpEnd& a, const TcpEnd& b)
{
    return a.port == b.port && a.address.isEqual(b.address, QHostAddress::ConvertV4MappedToIPv4);
}

} // namespace

std::optional<uint> SocketOwnerInTable(QByteArrayView table, const TcpEnd& local, const TcpEnd& remote)
{
    // "sl local_address rem_address st tx_queue:rx_queue tr:tm->when retrnsmt uid timeout inode ..."
    for (QByteArrayView rest = table; !rest.isEmpty();) {
        const qsizetype newline = rest.indexOf('\n');
        const QByteArrayView line = newline < 0 ? rest : rest.first(newline);
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
        QList<QByteArrayView> fields;
        for (qsizetype at = 0; at < line.size() && fields.size() < 8;) {
            while (at < line.size() && line[at] == ' ')
                ++at;
            qsizetype end = at;
            while (end < line.size() && line[end] != ' ')
                ++end;
            if (end > at)
                fields.append(line.sliced(at, end - at));
            at = end;
        }
        if (fields.size() < 8 || !fields[0].endsWith(':'))
            continue; // the heading, or not a row
        const std::optional<TcpEnd> rowLocal = TableEnd(fields[1]);
        const std::optional<TcpEnd> rowRemote = TableEnd(fields[2]);
        if (!rowLocal || !rowRemote || !SameEnd(*rowLocal, local) || !SameEnd(*rowRemote, remote))
            continue;
        bool ok = false;
        const uint uid = fields[7].toUInt(&ok);
        if (ok)
            return uid;
    }
    return std::nullopt;
}

bool CanLookUpPeerUsers()
{
#ifdef Q_OS_LINUX
    return QFile::exists(QStringLiteral("/proc/net/tcp"));
#else
    return false;
#endif
}

std::optional<uint> LoopbackPeerUser(const TcpEnd& peer, const TcpEnd& own)
{
    // The peer's socket has the peer's end as its local one.
    for (const char* path : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(path));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // A table of the system's sockets: read whole (the kernel gives it in pieces).
        if (const std::optional<uint> uid = SocketOwnerInTable(file.readAll(), peer, own))
            return uid;
    }
    return std::nullopt;
}
