#include "flash/web/LocalWebHost.h"

#include "flash/web/LocalGallery.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRandomGenerator>

namespace {

using Status = QHttpServerResponder::StatusCode;

const QString kPlayerPath = QStringLiteral("/player/");
const QString kMoviePath = QStringLiteral("/movie/");

QString Token()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QByteArray HostHeader(const QHttpServerRequest& request)
{
    QByteArray host;
    for (const auto& [name, value] : request.headers()) {
        if (name.compare("host", Qt::CaseInsensitive) == 0) {
            if (!host.isNull())
                return {}; // two Host headers are no answerable request
            host = value;
        }
    }
    return host;
}

} // namespace

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

LocalWebHost::LocalWebHost(const QString& playerFolder, QObject* parent)
    : QObject(parent), m_playerFolder(playerFolder)
{
}

LocalWebHost::~LocalWebHost() = default;

LocalWebHost* LocalWebHost::Shared(const QString& playerFolder)
{
    static LocalWebHost* host = new LocalWebHost(playerFolder, QCoreApplication::instance());
    return host->Start() ? host : nullptr;
}

bool LocalWebHost::Start()
{
    if (m_server)
        return true;
    auto server = std::make_unique<QHttpServer>();
    server->setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        Answer(request, std::move(responder));
    });
    const quint16 port = server->listen(QHostAddress::LocalHost, 0);
    if (port == 0)
        return false;
    m_server = std::move(server);
    m_port = port;
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
        {"/", ":/flash/site/index.html"},
        {"/cafe/st/SubContent?subid=310650", ":/flash/site/help-making.html"},
        {"/cafe/st/SubContent?subid=310652", ":/flash/site/help-stretch.html"},
        {"/cafe/st/SubContent?subid=310655", ":/flash/site/help-frame.html"},
        {"/cafe/st/SubContent?subid=568288", ":/flash/site/help-controls.html"},
        {"/skin/st/UpSkin", ":/flash/site/upload.html"},
        {"/site/img/175.bmp", ":/res/bitmap/175.bmp"},
        {"/site/img/176.bmp", ":/res/bitmap/176.bmp"},
        {"/site/img/160.bmp", ":/res/bitmap/160.bmp"},
    };
    for (const auto& page : kPages) {
        const QString file = QString::fromLatin1(page.file);
        m_entries.insert(QString::fromLatin1(page.path), {MimeTypeForName(file), file, {}});
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

void LocalWebHost::Answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) const
{
    if (HostHeader(request) != "127.0.0.1:" + QByteArray::number(m_port)) {
        responder.write(Status::BadRequest);
        return;
    }
    const bool head = request.method() == QHttpServerRequest::Method::Head;
    if (!head && request.method() != QHttpServerRequest::Method::Get) {
        responder.write({{"Allow", "GET, HEAD"}}, Status::MethodNotAllowed);
        return;
    }
    const QUrl url = request.url();
    // A page with a query of its own is served under both; other pages take any query.
    auto entry = m_entries.constFind(url.path() + '?' + url.query());
    if (!url.hasQuery() || entry == m_entries.cend())
        entry = m_entries.constFind(url.path());
    if (entry == m_entries.cend()) {
        responder.write(Status::NotFound);
        return;
    }
    QByteArray body = entry->bytes;
    if (!entry->file.isEmpty()) {
        QFile file(entry->file);
        if (!file.open(QIODevice::ReadOnly)) {
            responder.write(Status::NotFound);
            return;
        }
        body = file.readAll();
    }
    if (!head) {
        responder.write(body, {{"Content-Type", entry->mimeType}, {"Cache-Control", "no-store"}}, Status::Ok);
        return;
    }
    // A response object would send the body with HEAD too: only the status line and headers here.
    responder.writeStatusLine(Status::Ok);
    responder.writeHeaders({{"Content-Type", entry->mimeType},
                            {"Content-Length", QByteArray::number(body.size())},
                            {"Cache-Control", "no-store"}});
    responder.writeBody(QByteArray());
}
