#include "support/TestHttpServer.h"

#include "support/TestSupport.h"

#include <QTcpSocket>

namespace skintest {

TestServer::TestServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                ++closed;
                m_pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

QString TestServer::Url(const char* path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path));
}

void TestServer::OnRead(QTcpSocket* socket)
{
    QByteArray& got = m_pending[socket];
    got += socket->readAll();
    if (!got.contains("\r\n\r\n"))
        return;
    ++requests;
    lastRequest = got;
    const QByteArray body = answer.bytesSent < 0 ? answer.body : answer.body.left(answer.bytesSent);
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\nConnection: close\r\n" + answer.headers;
    if (answer.sendLength)
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    socket->write(head + "\r\n" + body);
    socket->flush();
    if (!answer.stall)
        socket->disconnectFromHost();
}

QByteArray MovieOfSize(int size)
{
    QByteArray bytes = ReadAll(QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"));
    bytes.resize(size, '\0');
    const quint32 length = static_cast<quint32>(size);
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace skintest
