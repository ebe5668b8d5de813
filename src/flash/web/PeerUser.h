#pragma once
// Who is at the other end of a loopback TCP connection: the user owning the peer's socket, looked
// up in the kernel's socket tables (/proc/net/tcp and /proc/net/tcp6 on Linux).
#include <QByteArrayView>
#include <QHostAddress>

#include <optional>

// One end of a TCP connection.
struct TcpEnd {
    QHostAddress address;
    quint16 port = 0;
};

// The uid column of the row of a socket table (the text of /proc/net/tcp or tcp6) whose local end
// is local and whose remote end is remote; nullopt when no row is. IPv4 addresses also match their
// IPv4-mapped IPv6 form.
std::optional<uint> SocketOwnerInTable(QByteArrayView table, const TcpEnd& local, const TcpEnd& remote);

// The user owning the socket at the peer's end of a connection this process accepted on
// loopback (seen from here: peer and own end); nullopt when it cannot be found.
std::optional<uint> LoopbackPeerUser(const TcpEnd& peer, const TcpEnd& own);

// True where LoopbackPeerUser can judge a connection (Linux with /proc mounted).
bool CanLookUpPeerUsers();
