#pragma once
// A small HTTP server on 127.0.0.1 that answers every request as told: whole, cut short,
// without a length, with any status, or stalled with the connection left open.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace skintest {

struct Answer {
    int status = 200;
    QByteArray body;
    bool sendLength = true;
    qint64 bytesSent = -1; // of the body, then the connection closes; -1: all
    bool stall = false;    // after bytesSent, keep the connection open and send nothing
    QByteArray headers{};  // more header lines, each ending in CRLF
};

class TestServer : public QObject {
public:
    TestServer();
    QString Url(const char* path) const;

    Answer answer;
    int requests = 0;
    int closed = 0; // connections the client closed or the server ended
    QByteArray lastRequest;

private:
    void OnRead(QTcpSocket* socket);

    QHash<QTcpSocket*, QByteArray> m_pending; // outlives the server, whose sockets report closing
    QTcpServer m_server;
};

// The generated clock movie padded with zero bytes to the size, its header's length made the size.
QByteArray MovieOfSize(int size);

} // namespace skintest
