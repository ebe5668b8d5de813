#include "flash/ui/CSwfDownload.h"

#include "flash/core/FlashRequest.h"
#include "flash/core/SwfHeader.h"

#include <QBuffer>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSaveFile>

namespace {

constexpr qsizetype kHeadBytes = 8 + 1024; // what the movie header reader looks at

// The system's proxy settings, except for this machine itself.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        const QString host = query.peerHostName();
        if (host == QLatin1String("localhost") || QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

bool ReadsAsMovie(QByteArray head)
{
    QBuffer buffer(&head);
    buffer.open(QIODevice::ReadOnly);
    return ReadSwfFrameSize(buffer).ok;
}

} // namespace

CSwfDownload::CSwfDownload(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
    m_manager->setProxyFactory(new SystemProxyFactory);
    m_manager->setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this,
            [this] { Fail(QStringLiteral("nothing received for %1 ms").arg(m_stallMs)); });
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { Fail(QStringLiteral("not finished within %1 s").arg(m_deadlineMs / 1000.0)); });
}

CSwfDownload::~CSwfDownload()
{
    Stop();
}

bool CSwfDownload::IsWebUrl(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool CSwfDownload::Start(const QUrl& url, const QString& localPath)
{
    if (m_reply || !IsWebUrl(url))
        return false;
    auto file = std::make_unique<QSaveFile>(localPath);
    if (!file->open(QIODevice::WriteOnly))
        return false;
    m_file = std::move(file);
    m_url = url;
    m_body.clear();
    m_received = 0;
    m_announced = -1;

    QNetworkRequest request(url);
    // The program's name is Chinese, which a header cannot carry as it is.
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("skinmaker"));
    // The length check needs the body as sent, not decompressed on the way.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::redirected, this, &CSwfDownload::OnRedirected);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &CSwfDownload::OnMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &CSwfDownload::OnReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CSwfDownload::OnFinished);
    m_stall.start(m_stallMs);
    m_deadline.start(m_deadlineMs);
    return true;
}

void CSwfDownload::Cancel()
{
    Stop();
}

void CSwfDownload::OnRedirected(const QUrl& url)
{
    if (IsAllowedRedirect(m_url, url))
        emit m_reply->redirectAllowed();
    else
        Fail(QStringLiteral("redirected to another host: %1").arg(url.toDisplayString()));
}

void CSwfDownload::OnMetaData()
{
    // A body too large to be a control is refused before it comes.
    if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return;
    bool known = false;
    const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && length > kMaxBytes)
        Fail(QStringLiteral("announced %1 bytes, more than a control may have").arg(length));
}

void CSwfDownload::OnReadyRead()
{
    if (Take())
        m_stall.start(m_stallMs);
}

bool CSwfDownload::Take()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200) {
        Fail(QStringLiteral("HTTP status %1").arg(status));
        return false;
    }
    if (m_announced < 0) {
        bool known = false;
        const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        m_announced = known ? length : 0;
    }
    const QByteArray data = m_reply->readAll();
    m_received += data.size();
    if (m_received > kMaxBytes) {
        Fail(QStringLiteral("more than %1 bytes").arg(kMaxBytes));
        return false;
    }
    m_body.append(data);
    emit Progress(m_received, m_announced > 0 ? m_announced : -1);
    return true;
}

void CSwfDownload::OnFinished()
{
    if (!m_reply)
        return;
    if (m_reply->error() != QNetworkReply::NoError) {
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        Fail(QStringLiteral("%1 (HTTP status %2)").arg(m_reply->errorString()).arg(status));
        return;
    }
    if (!Take())
        return;
    if (m_announced > 0 && m_received != m_announced) {
        Fail(QStringLiteral("ended after %1 of %2 bytes").arg(m_received).arg(m_announced));
        return;
    }
    if (!ReadsAsMovie(m_body.left(kHeadBytes))) {
        Fail(QStringLiteral("the body is not a flash movie"));
        return;
    }
    if (!IsWholeSwf(m_body)) {
        Fail(QStringLiteral("the body is not a whole flash movie: its header gives another length"));
        return;
    }
    if (m_file->write(m_body) != m_body.size() || !m_file->commit()) {
        Fail(QStringLiteral("cannot write: %1").arg(m_file->errorString()));
        return;
    }
    m_file.reset();
    Stop();
    emit Finished(true, QString());
}

void CSwfDownload::Stop()
{
    m_stall.stop();
    m_deadline.stop();
    m_body.clear();
    if (m_reply) {
        QNetworkReply* reply = std::exchange(m_reply, nullptr);
        reply->disconnect(this);
        // Deleting a running reply stops its transfer and closes its connection.
        reply->deleteLater();
    }
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset(); // the temporary file goes with it
    }
}

void CSwfDownload::Fail(const QString& error)
{
    Stop();
    emit Finished(false, error);
}
