#pragma once
// One transfer of a control's movie (SWF) over HTTP or HTTPS into a file. The body is written to
// a temporary file beside the target, which takes the target's name only when the whole body has
// arrived and reads as a movie: the target is never a partial or foreign file. Runs on the
// thread that owns it, through the event loop.
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

class CSwfDownload : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;
    static constexpr int kStallMs = 30000;

    explicit CSwfDownload(QObject* parent = nullptr);
    ~CSwfDownload() override;

    // True when a transfer has begun; Finished follows. False when one is running, the URL is not
    // http or https, or the temporary file cannot be made.
    bool Start(const QUrl& url, const QString& localPath);
    // Stops the running transfer and drops what it wrote; Finished is not emitted.
    void Cancel();
    bool IsRunning() const { return m_reply != nullptr; }
    // A transfer that receives nothing for this long fails (connecting included).
    void SetStallTimeout(int milliseconds) { m_stallMs = milliseconds; }

    static bool IsWebUrl(const QUrl& url);

signals:
    // total is -1 when the server did not announce a length.
    void Progress(qint64 received, qint64 total);
    // error says why a transfer failed (for logs and tests; the user sees one message).
    void Finished(bool ok, const QString& error);

private:
    void OnMetaData();
    void OnReadyRead();
    void OnFinished();
    // Takes what has arrived; false after it failed the transfer.
    bool Take();
    void Stop();
    void Fail(const QString& error);

    QNetworkAccessManager* m_manager;
    QNetworkReply* m_reply = nullptr;
    std::unique_ptr<QSaveFile> m_file;
    QByteArray m_head; // the first bytes, to check that the body is a movie
    qint64 m_received = 0;
    qint64 m_announced = -1; // -1: not known yet or not sent
    QTimer m_stall;
    int m_stallMs = kStallMs;
};
