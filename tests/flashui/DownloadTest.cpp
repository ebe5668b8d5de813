// Downloading a control against a small HTTP server on 127.0.0.1 that answers each request as
// told: whole, cut short, without a length, with an error status, or stalled.
#include "flash/core/FlashCache.h"
#include "flash/ui/CDownloadRequest.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using Outcome = CDownloadRequest::Outcome;
using skintest::Answer;
using skintest::MovieOfSize;
using skintest::TestServer;

namespace {

QString Request(const QString& url, const QString& flashId = QStringLiteral("clock01"))
{
    return QStringLiteral("method=download\r\nflashid=%1\r\nname=时钟\r\nurl=%2").arg(flashId, url);
}

struct Fixture {
    skintest::ScratchDir scratch;
    TestServer server;
    CDownloadRequest request;
    QSignalSpy done{&request, &CDownloadRequest::DownloadDone};
    QSignalSpy started{&request, &CDownloadRequest::DownloadStarted};

    Fixture()
    {
        request.SetCacheFolder(scratch.file("cache"));
        request.Download().SetStallTimeout(60000);
    }
    // The result of a request that started a download.
    std::optional<bool> Run(const QString& text)
    {
        const int before = done.count();
        if (request.HandleRequest(text) != Outcome::Started)
            return std::nullopt;
        if (!QTest::qWaitFor([&] { return done.count() > before; }, 10000))
            return std::nullopt;
        return done.last().at(0).toBool();
    }
    QStringList CacheFiles() const
    {
        return QDir(scratch.file("cache")).entryList(QDir::Files | QDir::Hidden);
    }
};

} // namespace

TEST(Download, ClockIntoTheCacheThenFromTheCache)
{
    Fixture f;
    f.server.answer.body = MovieOfSize(5000);
    EXPECT_EQ(f.Run(Request(f.server.Url("/c/clock01.swf"))), true);
    EXPECT_EQ(f.request.Name(), QStringLiteral("时钟"));
    EXPECT_EQ(f.request.LocalPath(),
              f.scratch.file("cache/" + FlashCacheFileName("clock01", f.server.Url("/c/clock01.swf"))));
    EXPECT_EQ(skintest::ReadAll(f.request.LocalPath()), MovieOfSize(5000));
    EXPECT_FALSE(f.request.IsBusy());
    EXPECT_TRUE(f.server.lastRequest.startsWith("GET /c/clock01.swf HTTP/1.1\r\n"));
    EXPECT_TRUE(f.server.lastRequest.contains("Accept-Encoding: identity"));

    // The same request again: success at once, without a download or its start.
    EXPECT_EQ(f.request.HandleRequest(Request(f.server.Url("/c/clock01.swf"))), Outcome::Cached);
    EXPECT_EQ(f.done.count(), 2);
    EXPECT_TRUE(f.done.last().at(0).toBool());
    EXPECT_EQ(f.started.count(), 1);
    EXPECT_EQ(f.server.requests, 1);
    EXPECT_EQ(f.CacheFiles(), QStringList{QFileInfo(f.request.LocalPath()).fileName()});

    // Without a length, everything the connection delivers counts.
    f.server.answer = {200, MovieOfSize(7000), false, -1, false};
    EXPECT_EQ(f.Run(Request(f.server.Url("/c.swf"), "clock02")), true);
    EXPECT_EQ(skintest::ReadAll(f.request.LocalPath()), MovieOfSize(7000));
}

TEST(Download, RequestsThatDownloadNothing)
{
    Fixture f;
    const QString url = f.server.Url("/c.swf");
    EXPECT_EQ(f.request.HandleRequest("method=get\nmethod=download\nflashid=a\nurl=" + url),
              Outcome::Ignored);
    // Ids that are no plain file name, and addresses that are not on the web, fail the request.
    for (const char* id : {"../../outside", "a/b", ".hidden", "", "时钟"})
        EXPECT_EQ(f.request.HandleRequest(Request(url, QString::fromUtf8(id))), Outcome::Failed) << id;
    for (const char* other :
         {"file:///etc/passwd", "ftp://127.0.0.1/c.swf", "data:,FWS", "http:///c.swf", "c.swf"})
        EXPECT_EQ(f.request.HandleRequest(Request(QString::fromLatin1(other))), Outcome::Failed) << other;
    EXPECT_EQ(f.done.count(), 10);
    EXPECT_EQ(f.done.last().at(0).toBool(), false);
    EXPECT_EQ(f.server.requests, 0);
    EXPECT_EQ(f.started.count(), 0);
    EXPECT_TRUE(f.CacheFiles().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.scratch.file("outside.swf")));
}

TEST(Download, AnswersThatFailLeaveNoFile)
{
    struct Case {
        const char* what;
        Answer answer;
        const char* why; // in the transfer's error
    };
    const Case cases[] = {
        {"closed at 3000 of 5000", {200, MovieOfSize(5000), true, 3000, false}, "closed"},
        {"404", {404, MovieOfSize(5000), true, -1, false}, "404"},
        {"407", {407, MovieOfSize(5000), true, -1, false}, "407"},
        {"500 without a body", {500, {}, true, -1, false}, "500"},
        {"stalled after 3000", {200, MovieOfSize(5000), true, 3000, true}, "nothing received"},
        {"stalled before any byte", {200, MovieOfSize(5000), true, 0, true}, "nothing received"},
        {"not a movie", {200, QByteArray(5000, 'x'), true, -1, false}, "not a flash movie"},
        {"empty without a length", {200, {}, false, -1, false}, "not a flash movie"},
        {"a movie's header followed by a web page",
         {200, skintest::ReadAll(SKIN_SOURCE_DIR "/res/flash/clock.swf").left(40) + "<html>gateway</html>",
          true, -1, false},
         "not a whole flash movie"},
        {"a whole movie and more",
         {200, MovieOfSize(5000) + "<html></html>", true, -1, false},
         "not a whole"},
        {"more than 32 MiB announced",
         {200, QByteArray(CSwfDownload::kMaxBytes + 1, 'F'), true, 0, true},
         "announced"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.server.answer = c.answer;
        f.request.Download().SetStallTimeout(c.answer.stall ? 1000 : 60000);
        QSignalSpy finished(&f.request.Download(), &CSwfDownload::Finished);
        EXPECT_EQ(f.Run(Request(f.server.Url("/c.swf"))), false) << c.what;
        EXPECT_TRUE(!finished.isEmpty() && finished.last().at(1).toString().contains(c.why)) << c.what;
        EXPECT_TRUE(f.CacheFiles().isEmpty()) << c.what;
        EXPECT_FALSE(f.request.IsBusy()) << c.what;
    }
}

TEST(Download, RefusedConnectionFails)
{
    Fixture f;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    EXPECT_EQ(f.Run(Request(QStringLiteral("http://127.0.0.1:%1/c.swf").arg(port))), false);
    EXPECT_TRUE(f.CacheFiles().isEmpty());
}

TEST(Download, BusyDropsThenCancelLeavesNothingAndTheNextDownloadsAnew)
{
    Fixture f;
    f.server.answer = {200, MovieOfSize(5000), true, 2500, true};
    QSignalSpy progress(&f.request, &CDownloadRequest::DownloadProgress);
    ASSERT_EQ(f.request.HandleRequest(Request(f.server.Url("/c.swf"))), Outcome::Started);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !progress.isEmpty() && progress.last().at(0).toLongLong() == 2500; }));
    EXPECT_EQ(progress.last().at(1).toLongLong(), 5000);

    // Any request while busy is dropped, even one for another control.
    EXPECT_EQ(f.request.HandleRequest(Request(f.server.Url("/d.swf"), "other")), Outcome::Dropped);
    EXPECT_EQ(f.request.FlashId(), "clock01");

    f.request.CancelDownload();
    EXPECT_FALSE(f.request.IsBusy());
    // The transfer really stops: the connection is closed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.server.closed == 1; }, 5000));
    EXPECT_EQ(f.done.count(), 0);
    EXPECT_TRUE(f.CacheFiles().isEmpty());

    f.server.answer = {200, MovieOfSize(5000), true, -1, false};
    EXPECT_EQ(f.Run(Request(f.server.Url("/c.swf"))), true);
    EXPECT_EQ(f.server.requests, 2);
    EXPECT_EQ(QFileInfo(f.request.LocalPath()).size(), 5000);
}

// The cache knows a control by its id and its address: the same id from another address is
// downloaded anew into a file of its own, and the first stays.
TEST(Download, SameIdFromAnotherAddressIsAnotherFile)
{
    Fixture f;
    f.server.answer.body = MovieOfSize(5000);
    ASSERT_EQ(f.Run(Request(f.server.Url("/a/clock01.swf"))), true);
    const QString first = f.request.LocalPath();
    f.server.answer.body = MovieOfSize(6000);
    ASSERT_EQ(f.Run(Request(f.server.Url("/b/clock01.swf"))), true);
    EXPECT_NE(f.request.LocalPath(), first);
    EXPECT_EQ(skintest::ReadAll(f.request.LocalPath()), MovieOfSize(6000));
    EXPECT_EQ(skintest::ReadAll(first), MovieOfSize(5000));
    EXPECT_EQ(f.server.requests, 2);
}

// A redirect to another host, another service of this machine included, fails the download
// before a request goes there (IsAllowedRedirect decides).
TEST(Download, RedirectsStayOnTheSameHost)
{
    Fixture f;
    TestServer elsewhere;
    elsewhere.answer.body = MovieOfSize(5000);
    f.server.answer = {302, {}, true, -1, false, "Location: " + elsewhere.Url("/c.swf").toLatin1() + "\r\n"};
    QSignalSpy finished(&f.request.Download(), &CSwfDownload::Finished);
    EXPECT_EQ(f.Run(Request(f.server.Url("/c.swf"))), false);
    EXPECT_TRUE(finished.last().at(1).toString().contains("another host"));
    EXPECT_EQ(elsewhere.requests, 0);
    EXPECT_TRUE(f.CacheFiles().isEmpty());
}

// A body trickled in slower than the whole transfer may take fails at the deadline, although
// bytes keep arriving within the stall time.
TEST(Download, TrickledBodyStopsAtTheDeadline)
{
    Fixture f;
    QTcpServer trickle;
    ASSERT_TRUE(trickle.listen(QHostAddress::LocalHost, 0));
    QTimer drip;
    QPointer<QTcpSocket> client;
    QObject::connect(&trickle, &QTcpServer::newConnection, [&] {
        client = trickle.nextPendingConnection();
        client->write("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nFWS");
        drip.start(50);
    });
    QObject::connect(&drip, &QTimer::timeout, [&] {
        if (client)
            client->write("x");
    });
    f.request.Download().SetStallTimeout(1000);
    f.request.Download().SetDeadline(800);
    QSignalSpy finished(&f.request.Download(), &CSwfDownload::Finished);
    EXPECT_EQ(f.Run(Request(QStringLiteral("http://127.0.0.1:%1/c.swf").arg(trickle.serverPort()))), false);
    EXPECT_TRUE(finished.last().at(1).toString().contains("not finished within"));
    EXPECT_TRUE(f.CacheFiles().isEmpty());
}
