// The local web host over raw HTTP: what it serves, what it refuses, where it listens.
#include "flash/web/LocalWebHost.h"
#include "flash/ui/FlashEngine.h"
#include "flash/web/PeerUser.h"
#include "platform/SiteLinks.h"
#include "support/HostileInput.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

struct Reply {
    int status = 0;
    QByteArray headers;
    QByteArray body;
};

class LocalWebHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(m_files.file("player")));
        ASSERT_TRUE(WriteAll(m_files.file("player/ruffle.js"), "// player"));
        ASSERT_TRUE(WriteAll(m_files.file("player/core.wasm"), QByteArray("\0asm", 4)));
        ASSERT_TRUE(WriteAll(m_files.file("player/notes.md"), "not served"));
        ASSERT_TRUE(WriteAll(m_files.file("secret.txt"), "secret"));
        ASSERT_TRUE(WriteAll(m_files.file("clock.swf"), "FWS movie bytes"));
        m_host = std::make_unique<LocalWebHost>(m_files.file("player"));
        ASSERT_TRUE(m_host->Start());
    }

    QByteArray OwnHost() const { return "127.0.0.1:" + QByteArray::number(m_host->Port()); }

    // One request as written, answered over a fresh connection.
    Reply Raw(const QByteArray& request, const QString& address = QStringLiteral("127.0.0.1"),
              quint16 port = 0)
    {
        QTcpSocket socket;
        socket.connectToHost(address, port != 0 ? port : m_host->Port());
        QByteArray data;
        QElapsedTimer timer;
        timer.start();
        bool sent = false;
        qsizetype expected = -1;
        while (timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (socket.state() == QAbstractSocket::UnconnectedState && !sent)
                return {};
            if (socket.state() == QAbstractSocket::ConnectedState && !sent) {
                socket.write(request);
                sent = true;
            }
            data += socket.readAll();
            const qsizetype end = data.indexOf("\r\n\r\n");
            if (end < 0)
                continue;
            if (expected < 0) {
                const QByteArray head = data.left(end).toLower();
                const qsizetype at = head.indexOf("content-length:");
                const qsizetype length =
                    at < 0 ? 0 : head.mid(at + 15, head.indexOf('\r', at) - at - 15).trimmed().toLongLong();
                expected = request.startsWith("HEAD") ? end + 4 : end + 4 + length;
            }
            if (data.size() >= expected) {
                // Give a body sent against the rules a moment to show up.
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                data += socket.readAll();
                break;
            }
        }
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end < 0)
            return {};
        return {data.mid(9, 3).toInt(), data.left(end), data.mid(end + 4)};
    }

    Reply Get(const QByteArray& path, const QByteArray& method = "GET")
    {
        return Raw(method + " " + path + " HTTP/1.1\r\nHost: " + OwnHost() + "\r\n\r\n");
    }

    ScratchDir m_files;
    std::unique_ptr<LocalWebHost> m_host;
};

} // namespace

TEST_F(LocalWebHostTest, MoviesOnlyUnderTheirTokens)
{
    const QUrl first = m_host->RegisterMovie(m_files.file("clock.swf"));
    const QUrl second = m_host->RegisterMovie(m_files.file("clock.swf"));
    ASSERT_TRUE(first.isValid());
    EXPECT_EQ(first.host(), "127.0.0.1");
    EXPECT_NE(first.path(), second.path());
    EXPECT_GE(first.path().size(), QStringLiteral("/movie/.swf").size() + 32);
    EXPECT_TRUE(m_host->RegisterMovie(m_files.file("missing.swf")).isEmpty());

    const Reply movie = Get(first.path().toLatin1());
    EXPECT_EQ(movie.status, 200);
    EXPECT_EQ(movie.body, "FWS movie bytes");
    EXPECT_TRUE(movie.headers.contains("application/x-shockwave-flash"));
    // A replaced file plays anew.
    ASSERT_TRUE(WriteAll(m_files.file("clock.swf"), "FWS new bytes"));
    EXPECT_EQ(Get(first.path().toLatin1()).body, "FWS new bytes");

    m_host->UnregisterMovie(first);
    EXPECT_EQ(Get(first.path().toLatin1()).status, 404);
    EXPECT_EQ(Get(second.path().toLatin1()).status, 200);
    EXPECT_EQ(Get("/movie/clock.swf").status, 404);
    EXPECT_EQ(Get("/movie/").status, 404);
}

TEST_F(LocalWebHostTest, NoPathReachesBeyondTheTable)
{
    EXPECT_EQ(Get("/player/ruffle.js").status, 200);
    for (const QByteArray path :
         {"/player/notes.md", "/player/../secret.txt", "/player/..%2fsecret.txt", "/player/%2e%2e/secret.txt",
          "/player/%2e%2e%2fsecret.txt", "/player//ruffle.js", "/player/./ruffle.js", "/secret.txt",
          "/../secret.txt", "/player/ruffle.js/", "/player/RUFFLE.JS", "/player/ruffle.js%00.txt",
          "/nothing"}) {
        const Reply reply = Get(path);
        EXPECT_EQ(reply.status, 404) << path.constData();
        EXPECT_FALSE(reply.body.contains("secret")) << path.constData();
    }
}

TEST_F(LocalWebHostTest, HostHeaderMustNameTheHost)
{
    const QByteArray request = "GET /player/ruffle.js HTTP/1.1\r\n";
    EXPECT_EQ(Raw(request + "Host: " + OwnHost() + "\r\n\r\n").status, 200);
    EXPECT_EQ(Raw(request + "Host: evil.example:" + QByteArray::number(m_host->Port()) + "\r\n\r\n").status,
              400);
    EXPECT_EQ(Raw(request + "Host: localhost:" + QByteArray::number(m_host->Port()) + "\r\n\r\n").status,
              400);
    EXPECT_EQ(Raw(request + "Host: 127.0.0.1\r\n\r\n").status, 400);
    EXPECT_EQ(Raw(request + "\r\n").status, 400);
    EXPECT_EQ(Raw(request + "Host: " + OwnHost() + "\r\nHost: evil.example\r\n\r\n").status, 400);
}

TEST_F(LocalWebHostTest, HeadSendsHeadersOnlyAndOtherMethodsAreRefused)
{
    const Reply head = Get("/player/core.wasm", "HEAD");
    EXPECT_EQ(head.status, 200);
    EXPECT_TRUE(head.headers.contains("Content-Type: application/wasm"));
    EXPECT_TRUE(head.headers.contains("Content-Length: 4"));
    EXPECT_TRUE(head.body.isEmpty());
    EXPECT_EQ(Get("/player/core.wasm").body, QByteArray("\0asm", 4));
    EXPECT_EQ(Get("/player/ruffle.js", "POST").status, 405);
    EXPECT_EQ(Get("/player/ruffle.js", "DELETE").status, 405);
}

TEST_F(LocalWebHostTest, ListensOnLoopbackOnly)
{
    EXPECT_TRUE(m_host->HasPlayer());
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        EXPECT_EQ(Get("/player/ruffle.js").status, 200);
        EXPECT_EQ(Raw("GET /player/ruffle.js HTTP/1.1\r\nHost: " + OwnHost() + "\r\n\r\n", address.toString())
                      .status,
                  0)
            << address.toString().toStdString();
    }
    LocalWebHost empty(m_files.file("nothing-here"));
    ASSERT_TRUE(empty.Start());
    EXPECT_NE(empty.Port(), m_host->Port());
    EXPECT_FALSE(empty.HasPlayer());
}

TEST_F(LocalWebHostTest, OwnSiteAnswersTheWizardsLinks)
{
    const Reply help = Get("/cafe/st/SubContent?subid=310652");
    EXPECT_EQ(help.status, 200);
    EXPECT_TRUE(help.headers.contains("text/html"));
    EXPECT_TRUE(QString::fromUtf8(help.body).contains(QStringLiteral("扩展区域")));
    for (const QByteArray path : {"/", "/cafe/st/SubContent?subid=310650", "/cafe/st/SubContent?subid=310655",
                                  "/cafe/st/SubContent?subid=568288", "/skin/st/UpSkin", "/site/site.css"})
        EXPECT_EQ(Get(path).status, 200) << path.constData();
    // Every picture a page shows is served.
    const QRegularExpression image(QStringLiteral("src=\"(/site/img/[^\"]+)\""));
    for (const auto& match :
         image.globalMatch(QString::fromUtf8(Get("/cafe/st/SubContent?subid=310650").body)))
        EXPECT_EQ(Get(match.captured(1).toLatin1()).status, 200);
    EXPECT_EQ(Get("/cafe/st/SubContent?subid=1").status, 404);
    EXPECT_EQ(Get("/cafe/st/SubContent").status, 404);

    // The wizard's links lead to the program's own host (the engine module's), which answers them.
    ServeSiteLinksLocally();
    const QUrl link(SiteUrl(SitePage::StretchHelp));
    SetLocalSiteBase({});
    ASSERT_EQ(link.host(), "127.0.0.1");
    const QByteArray own = "127.0.0.1:" + QByteArray::number(link.port());
    const Reply linked = Raw("GET " + link.path().toLatin1() + "?" + link.query().toLatin1() +
                                 " HTTP/1.1\r\nHost: " + own + "\r\n\r\n",
                             QStringLiteral("127.0.0.1"), link.port());
    EXPECT_EQ(linked.status, 200);
    EXPECT_TRUE(QString::fromUtf8(linked.body).contains(QStringLiteral("扩展区域")));
}

// The program's one host serves the player from the folder its latest user names: a user that came
// first (a help link, before the player's folder was chosen) must not leave later stages without it.
TEST(SharedLocalWebHost, FollowsThePlayerFolderOfItsLatestUser)
{
    const ScratchDir empty;
    LocalWebHost* host = LocalWebHost::Shared(empty.path());
    ASSERT_NE(host, nullptr);
    EXPECT_FALSE(host->HasPlayer());
    EXPECT_EQ(LocalWebHost::Shared(QStringLiteral(SKIN_BINARY_DIR "/flashplayer")), host);
    if (!QFileInfo::exists(QStringLiteral(SKIN_BINARY_DIR "/flashplayer/ruffle.js")))
        GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
    EXPECT_TRUE(host->HasPlayer());
}

// What a local user can send costs the host next to nothing: a request that announces a body is
// refused before the body is read, and so is a head over the limit or one that is not HTTP.
TEST_F(LocalWebHostTest, BodiesAndOversizedOrBrokenHeadsAreRefusedUnread)
{
    const QByteArray host = "Host: " + OwnHost() + "\r\n";
    const struct {
        QByteArray request;
        int status;
    } cases[] = {
        {"POST /player/ruffle.js HTTP/1.1\r\n" + host + "Content-Length: 1073741824\r\n\r\n" +
             QByteArray(64 * 1024, 'x'),
         413},
        {"GET /player/ruffle.js HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n",
         413},
        {"GET /player/ruffle.js HTTP/1.1\r\n" + host + "Content-Length: 5\r\n\r\nhello", 413},
        {"GET /player/ruffle.js HTTP/1.1\r\n" + host + "X-Filler: " + QByteArray(20 * 1024, 'a') + "\r\n\r\n",
         431},
        {"GET /player/ruffle.js HTTP/1.1\r\n" + QByteArray(LocalWebHost::kMaxHeadBytes + 10, 'a'), 431},
        {"GET /player/ruffle.js\r\n" + host + "\r\n", 400},
        {"GET http://127.0.0.1/player/ruffle.js HTTP/1.1\r\n" + host + "\r\n", 400},
        {"GET /player/ruffle.js HTTP/1.1\r\n" + host + "Content-Length: 0\r\n\r\n", 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Raw(c.request).status, c.status) << c.request.left(60).constData();
}

// Every answer forbids sniffing and framing and keeps what its page loads on the host's origin;
// two requests on one connection get two answers.
TEST_F(LocalWebHostTest, AnswersCarryTheSecurityHeadersOnKeptConnections)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_host->Port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    const QByteArray get = "GET /stage.html HTTP/1.1\r\nHost: " + OwnHost() + "\r\n\r\n";
    socket.write(get + "GET /nothing HTTP/1.1\r\nHost: " + OwnHost() + "\r\nConnection: close\r\n\r\n");
    QByteArray data;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            data += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        10000));
    data += socket.readAll();
    EXPECT_TRUE(data.startsWith("HTTP/1.1 200 OK\r\n"));
    const qsizetype second = data.indexOf("HTTP/1.1 404 Not Found\r\n");
    ASSERT_GT(second, 0);
    for (const QByteArray& head : {data.left(second), data.mid(second)}) {
        EXPECT_TRUE(head.contains("\r\nX-Content-Type-Options: nosniff\r\n"));
        EXPECT_TRUE(head.contains("\r\nX-Frame-Options: DENY\r\n"));
        EXPECT_TRUE(
            head.contains("\r\nContent-Security-Policy: " + LocalWebHost::kContentSecurityPolicy + "\r\n"));
    }
    EXPECT_TRUE(LocalWebHost::kContentSecurityPolicy.contains("default-src 'self'"));
    EXPECT_TRUE(LocalWebHost::kContentSecurityPolicy.contains("connect-src 'self'"));
    EXPECT_TRUE(LocalWebHost::kContentSecurityPolicy.contains("form-action 'none'"));
}

// Idle connections are closed, and the host never holds more than its cap: the clients beyond it
// wait in the system's queue and are served (here: closed when idle) in turn.
TEST_F(LocalWebHostTest, IdleConnectionsCloseAndTheCapHolds)
{
    m_host->SetIdleTimeout(400);
    std::vector<std::unique_ptr<QTcpSocket>> clients(LocalWebHost::kMaxConnections + 8);
    int ended = 0;
    for (auto& client : clients) {
        client = std::make_unique<QTcpSocket>();
        QObject::connect(client.get(), &QTcpSocket::disconnected, [&ended] { ++ended; });
        client->connectToHost(QHostAddress::LocalHost, m_host->Port());
    }
    int most = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            most = std::max(most, m_host->OpenConnections());
            return ended == static_cast<int>(clients.size());
        },
        30000));
    EXPECT_EQ(most, LocalWebHost::kMaxConnections);
    EXPECT_EQ(m_host->OpenConnections(), 0);
    EXPECT_EQ(Get("/player/ruffle.js").status, 200);
}

// A client of the host at the level of system calls: usable in a child process after fork.
int ConnectRaw(quint16 port, int receiveBuffer = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A client that pipelines requests for a large file and never reads: the host reads the next
// request only after the answer before it has gone, so what it holds stays small.
TEST_F(LocalWebHostTest, APipeliningClientThatNeverReadsCostsLittleMemory)
{
    ASSERT_TRUE(WriteAll(m_files.file("big.wasm"), QByteArray(14 << 20, 'w')));
    const QUrl big = m_host->RegisterMovie(m_files.file("big.wasm"));
    const QByteArray request =
        "GET " + big.path().toLatin1() + " HTTP/1.1\r\nHost: " + OwnHost() + "\r\n\r\n";
    const QByteArray requests = request.repeated(14600 / request.size() + 1);
    const bool peakCounted = skintest::ResetPeakResident();
    const long before = skintest::ResidentKiB();
    const int client = ConnectRaw(m_host->Port(), 4096);
    ASSERT_GE(client, 0);
    ::fcntl(client, F_SETFL, O_NONBLOCK);
    qsizetype written = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 3000) {
        if (written < requests.size()) {
            const ssize_t sent = ::send(client, requests.constData() + written, requests.size() - written, 0);
            written += std::max<ssize_t>(sent, 0);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(written, requests.size());
    const long after = peakCounted ? skintest::PeakResidentKiB() : skintest::ResidentKiB();
    if (skintest::MemoryIsMeasurable()) {
        EXPECT_LT(after - before, 64 * 1024);
    }
    ::close(client);
    // The whole file still goes out to a client that reads, and pipelined answers follow in turn.
    QTcpSocket reader;
    reader.connectToHost(QHostAddress::LocalHost, m_host->Port());
    ASSERT_TRUE(reader.waitForConnected(5000));
    reader.write(request + request);
    qint64 received = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            received += reader.readAll().size();
            return received >= 2 * (14 << 20);
        },
        20000));
}

// Any refusal closes the connection, so a client that asks wrongly holds no slot.
TEST_F(LocalWebHostTest, RefusalsCloseTheConnection)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_host->Port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("HEAD /player/ruffle.js HTTP/1.1\r\nHost: elsewhere\r\n\r\nHEAD /player/ruffle.js "
                 "HTTP/1.1\r\nHost: " +
                 OwnHost() + "\r\n\r\n");
    QByteArray data;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            data += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        3000));
    data += socket.readAll();
    EXPECT_TRUE(data.startsWith("HTTP/1.1 400 "));
    EXPECT_FALSE(data.contains("200 OK"));
}

TEST(PeerUser, TheRowOfThePeersSocketGivesItsUser)
{
    const QByteArray v4 =
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
        "   0: 0100007F:9C40 00000000:0000 0A 00000000:00000000 00:00000000 00000000  1000        0 1\n"
        "   1: 0100007F:D431 0100007F:9C40 01 00000000:00000000 00:00000000 00000000 65534        0 2\n"
        "   2: 0100007F:9C40 0100007F:D431 01 00000000:00000000 00:00000000 00000000  1000        0 3\n";
    const TcpEnd server{QHostAddress::LocalHost, 40000};
    const TcpEnd peer{QHostAddress::LocalHost, 54321};
    EXPECT_EQ(SocketOwnerInTable(v4, peer, server), 65534u);
    EXPECT_EQ(SocketOwnerInTable(v4, server, peer), 1000u);
    EXPECT_EQ(SocketOwnerInTable(v4, {QHostAddress::LocalHost, 54322}, server), std::nullopt);
    EXPECT_EQ(SocketOwnerInTable(v4, {QHostAddress("127.0.0.2"), 54321}, server), std::nullopt);
    // A dual-stack client: its socket is in tcp6 with the IPv4-mapped address.
    const QByteArray v6 =
        "  sl  local_address                         remote_address                        st\n"
        "   0: 0000000000000000FFFF00000100007F:D431 0000000000000000FFFF00000100007F:9C40 01 "
        "00000000:00000000 00:00000000 00000000   42        0 4\n";
    EXPECT_EQ(SocketOwnerInTable(v6, peer, server), 42u);
    EXPECT_EQ(SocketOwnerInTable("garbage\n1: x:y z:w", peer, server), std::nullopt);
}

// Another user's process holding connections, and asking for answers to keep them, gets none of
// the slots: a request of ours is answered at once throughout.
TEST_F(LocalWebHostTest, AnotherUsersConnectionsHoldNoSlot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "dropping to another user needs root";
    ASSERT_TRUE(CanLookUpPeerUsers());
    // A connection of our own is taken.
    EXPECT_EQ(Get("/player/ruffle.js").status, 200);
    const quint16 port = m_host->Port();
    const QByteArray ask = "HEAD /player/ruffle.js HTTP/1.1\r\nHost: elsewhere\r\n\r\n";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As nobody: 32 connections, each asking again every 200 ms and opened again when closed.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        int held[LocalWebHost::kMaxConnections];
        for (int& fd : held)
            fd = -1;
        for (;;) {
            for (int& fd : held) {
                if (fd < 0)
                    fd = ConnectRaw(port);
                if (fd >= 0 && ::send(fd, ask.constData(), ask.size(), MSG_NOSIGNAL) < 0) {
                    ::close(fd);
                    fd = -1;
                }
            }
            ::usleep(200 * 1000);
        }
    }
    QTest::qWait(500);
    // Every request of ours is answered (a held slot would leave it unanswered) while the other
    // user's connections are refused at once.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Get("/player/ruffle.js").status, 200);
        QTest::qWait(100);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_GE(m_host->ForeignConnectionsRefused(), LocalWebHost::kMaxConnections);
}
