#pragma once
// The local web host: an HTTP server on 127.0.0.1 (a free port) that serves the flash player's
// files, the pages that host movies, the movies the program registered (each under a token nobody
// can guess) and the program's own site. Every path is looked up in a table of what is served;
// nothing is ever joined onto a folder. Only GET and HEAD; a Host header other than the host's own
// address gets 400, an unknown path 404.
//
// Any local user can connect, so the host takes connections only from the program's own user
// (looked up by the peer's port in the kernel's socket tables; others are closed at once) and
// reads no more than it needs: a request that announces a body is refused before a byte of it is
// read, a head longer than kMaxHeadBytes is refused, any 4xx answer closes the connection, at
// most kMaxConnections are open at once (more wait in the system's queue), and a connection that
// neither completes a request nor takes the answer it is sent for the idle time is closed. What
// waits to be sent on a connection stays under kMaxPendingOutput: files go out in pieces read as
// the client takes them, and the next pipelined request is read only after the answer before it
// has gone. Every answer forbids framing and type sniffing, and carries a Content-Security-Policy
// that keeps the pages, and the movies they play, on this host's own origin.
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

struct HttpRequestHead;
class QTcpServer;
class QTcpSocket;
class QTimer;

class LocalWebHost : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxHeadBytes = 8 * 1024;
    static constexpr int kMaxConnections = 32;
    static constexpr int kIdleMs = 5000;
    static constexpr qint64 kMaxPendingOutput = 1 << 20;
    static const QByteArray kContentSecurityPolicy;

    // playerFolder holds the player's files (flashplayer/ beside the program); the pages come from resources.
    explicit LocalWebHost(const QString& playerFolder, QObject* parent = nullptr);
    ~LocalWebHost() override;

    // The program's host, made with the player's files from playerFolder on first use and started;
    // null when it cannot listen.
    static LocalWebHost* Shared(const QString& playerFolder);
    // Serves the player's files from another folder from now on.
    void SetPlayerFolder(const QString& playerFolder);
    // Listens on 127.0.0.1 at a free port; true when listening (also when it already was).
    bool Start();
    quint16 Port() const { return m_port; }
    // http://127.0.0.1:port
    QUrl BaseUrl() const;
    QUrl Url(const QString& pathAndQuery) const;

    // True when the player's script and its WebAssembly are there.
    bool HasPlayer() const;
    // The movie served under a fresh token, or an empty URL when the file is not there. The file is
    // read on each request, so a movie replaced on disk plays anew.
    QUrl RegisterMovie(const QString& path);
    void UnregisterMovie(const QUrl& url);

    // Serves bytes under a path (a page or picture made by the program), replacing any earlier ones.
    void AddContent(const QString& path, const QByteArray& mimeType, const QByteArray& bytes);

    // A connection that neither completes a request nor takes answer bytes for this long is closed.
    void SetIdleTimeout(int milliseconds) { m_idleMs = milliseconds; }
    int OpenConnections() const { return static_cast<int>(m_connections.size()); }
    // Connections closed at once because another user's process opened them.
    int ForeignConnectionsRefused() const { return m_foreignRefused; }

signals:
    // Every request answered: its target as sent and the status.
    void Served(const QByteArray& target, int status);

private:
    struct Entry {
        QByteArray mimeType;
        QString file;     // read on each request when set
        QByteArray bytes; // served as they are otherwise
    };
    void AddPlayerFiles();
    void AddSitePages();
    void AddResourceFiles(const QString& resourceFolder, const QString& urlFolder);
    // One open connection: the head arriving, the answer going out.
    struct Connection {
        QByteArray head; // what has arrived of the next request's head
        QTimer* idle = nullptr;
        bool closing = false;
        bool closeAfterAnswer = false;
        // The body being sent: from a file, read piece by piece, or from bytes shared with an entry.
        std::shared_ptr<QFile> file; // shared: the table copies connections when it grows
        QByteArray bytes;
        qint64 bodyLeft = 0;
    };
    void Accept();
    // True when the peer's socket belongs to the program's own user (or no one can tell).
    bool FromOwnUser(const QTcpSocket& socket) const;
    void Read(QTcpSocket* socket);
    // Writes the head of the answer to one request and sets up its body; the status.
    int Answer(QTcpSocket* socket, Connection& connection, const HttpRequestHead& request);
    // Writes more of the body while little waits to be sent; then closes or reads the next request.
    void Send(QTcpSocket* socket);
    // Closes a connection once what was written has gone out (within the idle time).
    void Close(QTcpSocket* socket);
    // Forgets a connection that has ended.
    void Forget(QTcpSocket* socket);

    QString m_playerFolder;
    std::unique_ptr<QTcpServer> m_server;
    QHash<QTcpSocket*, Connection> m_connections; // every connection until it has ended
    int m_foreignRefused = 0;
    int m_idleMs = kIdleMs;
    quint16 m_port = 0;
    QHash<QString, Entry> m_entries; // by decoded path (and "?query" where a page has one)
};

// The Content-Type for a served file name.
QByteArray MimeTypeForName(const QString& name);
// The resource of one of the local site's pages (index.html, gallery.html, ...) in the language of
// the program's texts: the English one when the English catalogue is installed and the page has
// one. The pages' pictures are chosen the same way.
QString LocalSitePage(const QString& fileName);
