#include "flash/web/LocalWebHost.h"

#include "flash/web/HttpRequestHead.h"
#include "flash/web/LocalGallery.h"
#include "flash/web/PeerUser.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <unistd.h>

namespace {

const QString kPlayerPath = QStringLiteral("/player/");
const QString kMoviePath = QStringLiteral("/movie/");

QString Token()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Content Too Large";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Error";
    }
}

// The status line and header fields of an answer, with the fields every answer carries.
QByteArray ResponseHead(int status, const QByteArray& mimeType, qint64 length, bool close,
                        const QByteArray& extra = {})
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + ReasonPhrase(status) + "\r\n";
    if (!mimeType.isEmpty())
        head += "Content-Type: " + mimeType + "\r\n";
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    head += "Cache-Control: no-store\r\n"
            "X-Content-Type-Options: nosniff\r\n"
            "X-Frame-Options: DENY\r\n"
            "Content-Security-Policy: " +
            LocalWebHost::kContentSecurityPolicy + "\r\n";
    if (close)
        head += "Connection: close\r\n";
    return head + extra + "\r\n";
}

} // namespace

// Scripts, movies and their data come from this host only: a movie cannot load variables, send
// forms or load other movies from anywhere else. The player needs inline scripts (its
// configuration) and WebAssembly.
const QByteArray LocalWebHost::kContentSecurityPolicy =
    "default-src 'self'; script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'self' "
    "'unsafe-inline'; "
    "connect-src 'self'; img-src 'self' data: blob:; media-src 'self' blob:; object-src 'none'; "
    "base-uri 'none'; form-action 'none'; frame-src 'none'; frame-ancestors 'none'";

QByteArray MimeTypeForName(const QString& name)
{
    static const QHash<QString, QByteArray> types{{"html", "text/html; charset=utf-8"},
                                                  {"js", "text/javascript; charset=utf-8"},
                                                  {"css", "text/css; charset=utf-8"},
                                                  {"wasm", "application/wasm"},
                                                  {"swf", "application/x-shockwave-flash"},
                                                  {"png", "image/png"},
                                                  {"bmp", "image/bmp"},
                                                  {"jpg", "image/jpeg"},
                                                  {"svg", "image/svg+xml"},
                                                  {"txt", "text/plain; charset=utf-8"}};
    return types.value(QFileInfo(name).suffix().toLower(), "application/octet-stream");
}

namespace {

// The catalogue installed says which language the program speaks, as Qt's own catalogues say
// their layout direction.
bool SpeaksEnglish()
{
    //: The language of the local help pages: "en" for the English pages
    return QCoreApplication::translate("LocalWebHost", "zh-CN") == QLatin1String("en");
}

// folder/en/name when the program speaks English and that resource exists, else folder/name.
QString InProgramLanguage(const QString& folder, const QString& name)
{
    const QString english = folder + QStringLiteral("/en/") + name;
    return SpeaksEnglish() && QFile::exists(english) ? english : folder + QLatin1Char('/') + name;
}

} // namespace

QString LocalSitePage(const QString& fileName)
{
    return InProgramLanguage(QStringLiteral(":/flash/site"), fileName);
}

LocalWebHost::LocalWebHost(const QString& playerFolder, QObject* parent)
    : QObject(parent), m_playerFolder(playerFolder)
{
}

LocalWebHost::~LocalWebHost()
{
    // The connections end with the server, while everything they report to still exists.
    m_server.reset();
}

LocalWebHost* LocalWebHost::Shared(const QString& playerFolder)
{
    static LocalWebHost* host = new LocalWebHost(playerFolder, QCoreApplication::instance());
    // The caller's folder wins: the first caller may have asked before the player's folder was set.
    host->SetPlayerFolder(playerFolder);
    return host->Start() ? host : nullptr;
}

void LocalWebHost::SetPlayerFolder(const QString& playerFolder)
{
    if (playerFolder == m_playerFolder)
        return;
    m_playerFolder = playerFolder;
    if (!m_server)
        return;
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = it.key().startsWith(kPlayerPath) ? m_entries.erase(it) : std::next(it);
    AddPlayerFiles();
}

bool LocalWebHost::Start()
{
    if (m_server)
        return true;
    auto server = std::make_unique<QTcpServer>();
    if (!server->listen(QHostAddress::LocalHost, 0))
        return false;
    // Few accepted connections wait beyond the cap; the rest stay in the system's queue.
    server->setMaxPendingConnections(4);
    connect(server.get(), &QTcpServer::newConnection, this, &LocalWebHost::Accept);
    m_server = std::move(server);
    m_port = m_server->serverPort();
    AddPlayerFiles();
    AddResourceFiles(QStringLiteral(":/flash"), QStringLiteral("/"));
    if (qEnvironmentVariableIsEmpty("SKINMAKER_SITE"))
        AddSitePages();
    return true;
}

QUrl LocalWebHost::BaseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
}

QUrl LocalWebHost::Url(const QString& pathAndQuery) const
{
    return QUrl(BaseUrl().toString() + pathAndQuery);
}

bool LocalWebHost::HasPlayer() const
{
    bool script = false;
    bool wasm = false;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (!it.key().startsWith(kPlayerPath))
            continue;
        script = script || it.key() == kPlayerPath + QStringLiteral("ruffle.js");
        wasm = wasm || it.key().endsWith(QStringLiteral(".wasm"));
    }
    return script && wasm;
}

QUrl LocalWebHost::RegisterMovie(const QString& path)
{
    if (!m_server || !QFileInfo(path).isFile())
        return {};
    const QString urlPath = kMoviePath + Token() + QStringLiteral(".swf");
    m_entries.insert(urlPath, {MimeTypeForName(urlPath), QFileInfo(path).absoluteFilePath(), {}});
    return Url(urlPath);
}

void LocalWebHost::UnregisterMovie(const QUrl& url)
{
    if (url.path().startsWith(kMoviePath))
        m_entries.remove(url.path());
}

void LocalWebHost::AddContent(const QString& path, const QByteArray& mimeType, const QByteArray& bytes)
{
    m_entries.insert(path, {mimeType, {}, bytes});
}

void LocalWebHost::AddPlayerFiles()
{
    // Only the player's own files: its script, its chunks and WebAssembly, its licences.
    const QDir folder(m_playerFolder);
    const QStringList names = folder.entryList({"*.js", "*.wasm", "LICENSE*"}, QDir::Files);
    for (const QString& name : names)
        m_entries.insert(kPlayerPath + name, {MimeTypeForName(name), folder.filePath(name), {}});
}

void LocalWebHost::AddSitePages()
{
    // The addresses the wizard links to, answered by the pages under /site/.
    static const struct {
        const char* path;
        const char* file;
    } kPages[] = {
        {"/", "index.html"},
        {"/cafe/st/SubContent?subid=310650", "help-making.html"},
        {"/cafe/st/SubContent?subid=310652", "help-stretch.html"},
        {"/cafe/st/SubContent?subid=310655", "help-frame.html"},
        {"/cafe/st/SubContent?subid=568288", "help-controls.html"},
        {"/skin/st/UpSkin", "upload.html"},
    };
    for (const auto& page : kPages) {
        const QString file = LocalSitePage(QString::fromLatin1(page.file));
        m_entries.insert(QString::fromLatin1(page.path), {MimeTypeForName(file), file, {}});
    }
    for (const char* picture : {"175.bmp", "176.bmp", "160.bmp"}) {
        const QString name = QString::fromLatin1(picture);
        m_entries.insert(
            QStringLiteral("/site/img/") + name,
            {MimeTypeForName(name), InProgramLanguage(QStringLiteral(":/res/bitmap"), name), {}});
    }
    AddLocalGallery(*this);
}

void LocalWebHost::AddResourceFiles(const QString& resourceFolder, const QString& urlFolder)
{
    QDirIterator it(resourceFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString urlPath = urlFolder + file.mid(resourceFolder.size() + 1);
        m_entries.insert(urlPath, {MimeTypeForName(file), file, {}});
    }
}

void LocalWebHost::Accept()
{
    while (m_server && m_connections.size() < kMaxConnections) {
        QTcpSocket* socket = m_server->nextPendingConnection();
        if (socket == nullptr)
            break;
        // Another user's process gets no slot and no answer.
        if (!FromOwnUser(*socket)) {
            ++m_foreignRefused;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Connection& connection = m_connections[socket];
        // Qt stops taking bytes from the system once this much waits unread: a body sent against
        // the rules, or requests beyond the one being answered, stay outside the program.
        socket->setReadBufferSize(kMaxHeadBytes + 4);
        connection.idle = new QTimer(socket);
        connection.idle->setSingleShot(true);
        connect(connection.idle, &QTimer::timeout, this, [this, socket] {
            const auto it = m_connections.find(socket);
            if (it != m_connections.end() && it->closing)
                socket->abort();
            else
                Close(socket);
        });
        // As the client takes the answer: more of its body, then the next pipelined request.
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
            Send(socket);
            Read(socket);
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Forget(socket); });
        connection.idle->start(m_idleMs);
        // What arrived while the connection waited to be taken.
        if (socket->bytesAvailable() > 0)
            QMetaObject::invokeMethod(
                this, [this, socket] { Read(socket); }, Qt::QueuedConnection);
    }
    // The rest wait in the system's queue, costing the program nothing, until one closes.
    if (m_server && m_connections.size() >= kMaxConnections)
        m_server->pauseAccepting();
}

bool LocalWebHost::FromOwnUser(const QTcpSocket& socket) const
{
    if (!CanLookUpPeerUsers())
        return true;
    const std::optional<uint> uid = LoopbackPeerUser({socket.peerAddress(), socket.peerPort()},
                                                     {socket.localAddress(), socket.localPort()});
    return uid && *uid == static_cast<uint>(::geteuid());
}

void LocalWebHost::Read(QTcpSocket* socket)
{
    while (true) {
        const auto it = m_connections.find(socket);
        // Nothing more is read while an answer is going out: pipelined requests wait their turn.
        if (it == m_connections.end() || it->closing || it->bodyLeft > 0 ||
            socket->bytesToWrite() > kMaxPendingOutput)
            return;
        Connection& connection = *it;
        QByteArray& buffer = connection.head;
        buffer += socket->read(kMaxHeadBytes + 4 - buffer.size());
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0 && buffer.size() <= kMaxHeadBytes)
            return; // more to come
        int refusal = 0;
        std::optional<HttpRequestHead> request;
        if (end < 0 || end > kMaxHeadBytes) {
            refusal = 431;
        } else {
            request = ParseRequestHead(QByteArrayView(buffer).first(end));
            buffer.remove(0, end + 4);
            refusal = !request ? 400 : request->AnnouncesBody() ? 413 : 0;
        }
        if (refusal != 0) {
            emit Served(request ? request->target : QByteArray(), refusal);
            socket->write(ResponseHead(refusal, {}, 0, true));
            Close(socket);
            return;
        }
        const int status = Answer(socket, connection, *request);
        // Only a complete request that is answered counts as progress; any refusal closes.
        connection.closeAfterAnswer = status != 200 || !request->KeepsAlive();
        if (status == 200)
            connection.idle->start(m_idleMs);
        Send(socket);
        emit Served(request->target, status);
    }
}

void LocalWebHost::Send(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->closing)
        return;
    Connection& connection = *it;
    if (connection.bodyLeft > 0) {
        // The client takes the answer: that is progress too, however long a large file takes.
        connection.idle->start(m_idleMs);
        constexpr qint64 kPiece = 64 * 1024;
        while (connection.bodyLeft > 0 && socket->bytesToWrite() < kMaxPendingOutput) {
            const qint64 size = std::min(kPiece, connection.bodyLeft);
            const QByteArray piece =
                connection.file
                    ? connection.file->read(size)
                    : connection.bytes.sliced(connection.bytes.size() - connection.bodyLeft, size);
            if (piece.size() != size) {
                // The file shrank under the answer: its length can no longer be kept.
                socket->abort();
                return;
            }
            socket->write(piece);
            connection.bodyLeft -= size;
        }
        if (connection.bodyLeft > 0)
            return; // more once some of it has gone
        connection.file.reset();
        connection.bytes.clear();
    }
    if (connection.closeAfterAnswer)
        Close(socket);
}

void LocalWebHost::Close(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->closing)
        return;
    it->closing = true;
    it->head.clear();
    it->file.reset();
    it->bytes.clear();
    it->bodyLeft = 0;
    // What was written still goes out, within the idle time; then the connection closes.
    it->idle->start(m_idleMs);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        Forget(socket);
}

void LocalWebHost::Forget(QTcpSocket* socket)
{
    if (!m_connections.remove(socket))
        return;
    socket->disconnect(this);
    socket->deleteLater();
    if (m_server && m_connections.size() < kMaxConnections) {
        m_server->resumeAccepting();
        QMetaObject::invokeMethod(this, &LocalWebHost::Accept,
                                  Qt::QueuedConnection); // those waiting in Qt's queue
    }
}

int LocalWebHost::Answer(QTcpSocket* socket, Connection& connection, const HttpRequestHead& request)
{
    const auto refuse = [socket](int status, const QByteArray& extra = {}) {
        socket->write(ResponseHead(status, {}, 0, true, extra));
        return status;
    };
    const QList<QByteArray> hosts = request.Values("Host");
    if (hosts.size() != 1 || hosts.front() != "127.0.0.1:" + QByteArray::number(m_port))
        return refuse(400);
    const bool head = request.method == "HEAD";
    if (!head && request.method != "GET")
        return refuse(405, "Allow: GET, HEAD\r\n");
    const QUrl url = QUrl::fromEncoded("http://127.0.0.1" + request.target, QUrl::StrictMode);
    if (!url.isValid())
        return refuse(400);
    // A page with a query of its own is served under both; other pages take any query.
    auto entry = m_entries.constFind(url.path() + '?' + url.query());
    if (!url.hasQuery() || entry == m_entries.cend())
        entry = m_entries.constFind(url.path());
    if (entry == m_entries.cend())
        return refuse(404);
    qint64 length = entry->bytes.size();
    if (!entry->file.isEmpty()) {
        // Read piece by piece as the answer goes out, never whole.
        auto file = std::make_shared<QFile>(entry->file);
        if (!file->open(QIODevice::ReadOnly))
            return refuse(404);
        length = file->size();
        if (!head)
            connection.file = std::move(file);
    } else if (!head) {
        connection.bytes = entry->bytes; // shared, not copied
    }
    socket->write(ResponseHead(200, entry->mimeType, length, !request.KeepsAlive()));
    connection.bodyLeft = head ? 0 : length;
    return 200;
}
