#pragma once
// The local web host: an HTTP server on 127.0.0.1 (a free port) that serves the flash player's
// files, the pages that host movies, the movies the program registered (each under a token nobody
// can guess) and the program's own site. Every path is looked up in a table of what is served;
// nothing is ever joined onto a folder. Only GET and HEAD; a Host header other than the host's own
// address gets 400, an unknown path 404.
//
// Any local user can connect, so the host reads no more than it needs: a request that announces a
// body is refused before a byte of it is read, a head longer than kMaxHeadBytes is refused, at
// most kMaxConnections are open at once (more wait in the system's queue), and a connection that
// makes no progress for the idle time is closed. Every answer forbids framing and type sniffing,
// and carries a Content-Security-Policy that keeps the pages, and the movies they play, on this
// host's own origin.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
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
    int OpenConnections() const { return static_cast<int>(m_open.size()); }

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
    void Accept();
    void Read(QTcpSocket* socket);
    // Answers one request; false when the connection is to close after the answer.
    bool Answer(QTcpSocket* socket, const HttpRequestHead& request);
    // Closes a connection once what was written has gone out (within the idle time).
    void Close(QTcpSocket* socket);
    // Forgets a connection that has ended.
    void Forget(QTcpSocket* socket);

    QString m_playerFolder;
    std::unique_ptr<QTcpServer> m_server;
    QSet<QTcpSocket*> m_open;               // every connection until it has ended
    QSet<QTcpSocket*> m_closing;            // those that are closing
    QHash<QTcpSocket*, QByteArray> m_heads; // what has arrived of each connection's next head
    QHash<QTcpSocket*, QTimer*> m_idle;
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
