#pragma once
// One transfer of a control's movie (SWF) over HTTP or HTTPS into a file. The body is written to
// a temporary file beside the target, which takes the target's name only when the whole body has
// arrived and is a whole movie (IsWholeSwf): the target is never a partial or foreign file.
// Redirects are followed only to the same host (or from http to https of it); a transfer that
// stalls, or does not end within the deadline, fails. Runs on the thread that owns it, through
// the event loop.
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
    static constexpr int kDeadlineMs = 3 * 60 * 1000;

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
    // A transfer that has not ended this long after it began fails.
    void SetDeadline(int milliseconds) { m_deadlineMs = milliseconds; }

    static bool IsWebUrl(const QUrl& url);

signals:
    // total is -1 when the server did not announce a length.
    void Progress(qint64 received, qint64 total);
    // error says why a transfer failed (for logs and tests; the user sees one message).
    void Finished(bool ok, const QString& error);

private:
    void OnRedirected(const QUrl& url);
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
    QUrl m_url;
    QByteArray m_body; // checked as a whole movie before it is written
    qint64 m_received = 0;
    qint64 m_announced = -1; // -1: not known yet or not sent
    QTimer m_stall;
    QTimer m_deadline;
    int m_stallMs = kStallMs;
    int m_deadlineMs = kDeadlineMs;
};
