#pragma once
// The local web host: an HTTP server on 127.0.0.1 (a free port) that serves the flash player's
// files, the pages that host movies, the movies the program registered (each under a token nobody
// can guess) and the program's own site. Every path is looked up in a table of what is served;
// nothing is ever joined onto a folder. Only GET and HEAD; a Host header other than the host's own
// address gets 400, an unknown path 404.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;

class LocalWebHost : public QObject {
    Q_OBJECT
public:
    // playerFolder holds the player's files (flashplayer/ beside the program); the pages come from resources.
    explicit LocalWebHost(const QString& playerFolder, QObject* parent = nullptr);
    ~LocalWebHost() override;

    // The program's host, made with the player's files from playerFolder on first use and started;
    // null when it cannot listen.
    static LocalWebHost* Shared(const QString& playerFolder);
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

private:
    struct Entry {
        QByteArray mimeType;
        QString file;     // read on each request when set
        QByteArray bytes; // served as they are otherwise
    };
    void AddPlayerFiles();
    void AddSitePages();
    void AddResourceFiles(const QString& resourceFolder, const QString& urlFolder);
    void Answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) const;

    QString m_playerFolder;
    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
    QHash<QString, Entry> m_entries; // by decoded path (and "?query" where a page has one)
};

// The Content-Type for a served file name.
QByteArray MimeTypeForName(const QString& name);
