#include "GuiTestEnvironment.h"

#include "playerview/PlayerAccess.h"
#include "playerview/TPlayerViewServer.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <vector>

using namespace mecovnik;
using namespace std::chrono_literals;

namespace {

const std::string kToken = "abcdefghijklmnopqrstuvwx";
const QByteArray kPage = QByteArrayLiteral("<!DOCTYPE html><title>Pohled</title>");
const std::string kJson = R"({"version":1,"characters":[],"monsters":[]})";

// Waits, running the event loop (the server lives in this thread), until done
// or the time is up.
template <class TDone> bool WaitFor(TDone done, int ms = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// A viewer on loopback.
struct TClient
{
    std::unique_ptr<QTcpSocket> Socket = std::make_unique<QTcpSocket>();
    QByteArray Received;
    bool Closed = false;

    explicit TClient(quint16 port)
    {
        QObject::connect(Socket.get(), &QTcpSocket::readyRead, Socket.get(),
                         [this] { Received += Socket->readAll(); });
        QObject::connect(Socket.get(), &QTcpSocket::disconnected, Socket.get(),
                         [this] { Closed = true; });
        Socket->connectToHost(QHostAddress::LocalHost, port);
    }
    bool Connected()
    {
        return WaitFor([this] { return Socket->state() == QAbstractSocket::ConnectedState; });
    }
    void Send(const QByteArray& bytes) { Socket->write(bytes); }
    // Waits for an answer's head and its Content-Length bytes of body (none
    // for HEAD).
    bool Answered(bool headOnly = false)
    {
        return WaitFor([this, headOnly] {
            const qsizetype end = Received.indexOf("\r\n\r\n");
            if (end < 0)
                return false;
            if (headOnly)
                return true;
            const qsizetype at = Received.indexOf("Content-Length: ");
            const qsizetype length =
                at < 0 ? 0
                       : Received.mid(at + 16, Received.indexOf("\r\n", at) - at - 16).toLongLong();
            return Received.size() >= end + 4 + length;
        });
    }
    [[nodiscard]] QByteArray Status() const { return Received.left(Received.indexOf("\r\n")); }
    [[nodiscard]] QByteArray Body() const { return Received.mid(Received.indexOf("\r\n\r\n") + 4); }
};

QByteArray Get(const QByteArray& path, const QByteArray& method = "GET")
{
    return method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

} // namespace

class PlayerViewServerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TPlayerViewServer> m_server;
    quint16 m_port = 0;

    void Serve(TPlayerViewLimits limits = {})
    {
        m_server = std::make_unique<TPlayerViewServer>(kPage, kToken, kJson, limits);
        QString failure;
        QVERIFY2(m_server->Listen(0, failure), qPrintable(failure));
        m_port = m_server->Port();
    }

    const QByteArray base = QByteArray("/") + kToken.c_str();

private slots:
    void cleanup() { m_server.reset(); }

    void answersOnlyWithTheToken()
    {
        Serve();
        const struct
        {
            QByteArray Request;
            QByteArray Status;
            QByteArray Body;
        } cases[] = {
            {Get(base), "HTTP/1.1 200 OK", kPage},
            {Get(base + "/"), "HTTP/1.1 200 OK", kPage},
            {Get(base + "/data"), "HTTP/1.1 200 OK", QByteArray::fromStdString(kJson)},
            {Get(base + "/data?t=5"), "HTTP/1.1 200 OK", QByteArray::fromStdString(kJson)},
            {Get(base, "HEAD"), "HTTP/1.1 200 OK", ""},
            {Get(base + "/other"), "HTTP/1.1 404 Not Found", ""},
            {Get("/"), "HTTP/1.1 403 Forbidden", ""},
            {Get("/abcdefghijklmnopqrstuvwy/data"), "HTTP/1.1 403 Forbidden", ""},
            {Get(base.left(base.size() - 1) + "/data"), "HTTP/1.1 403 Forbidden", ""},
            {Get(base + "/data", "DELETE"), "HTTP/1.1 403 Forbidden", ""},
            {Get("/../../etc/passwd"), "HTTP/1.1 403 Forbidden", ""},
        };
        for (const auto& c : cases) {
            TClient client(m_port);
            QVERIFY(client.Connected());
            client.Send(c.Request);
            QVERIFY2(client.Answered(c.Request.startsWith("HEAD")), c.Request.constData());
            QCOMPARE(client.Status(), c.Status);
            QCOMPARE(client.Body(), c.Body);
        }
        // A wrong key's answer says nothing: an empty body, and the
        // connection is closed.
        TClient wrong(m_port);
        QVERIFY(wrong.Connected());
        wrong.Send(Get("/wrong/data"));
        QVERIFY(WaitFor([&] { return wrong.Closed; }));
        QVERIFY(wrong.Received.endsWith("Content-Length: 0\r\nConnection: close\r\n\r\n"));

        // One connection asks again and again.
        TClient polling(m_port);
        QVERIFY(polling.Connected());
        for (int i = 0; i < 3; ++i) {
            polling.Received.clear();
            polling.Send(Get(base + "/data"));
            QVERIFY(polling.Answered());
            QCOMPARE(polling.Status(), QByteArray("HTTP/1.1 200 OK"));
        }
    }

    void refusesWhatIsNoPlainRequest()
    {
        Serve();
        const QByteArray cases[] = {
            "BAD REQUEST\r\n\r\n",
            "GET " + base + " HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello",
            "GET " + base + " HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
            "GET " + base + " HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n",
            "GET " + base + " HTTP/1.1\r\nX: " + QByteArray(20000, 'a') + "\r\n\r\n",
            QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11),
            "GET " + base + " HTTP/1.1\n\n",
        };
        for (const QByteArray& request : cases) {
            TClient client(m_port);
            QVERIFY(client.Connected());
            client.Send(request);
            QVERIFY2(WaitFor([&] { return client.Closed; }), request.left(40).constData());
            QVERIFY2(client.Received.startsWith("HTTP/1.1 403 Forbidden\r\n"),
                     request.left(40).constData());
            QVERIFY(client.Body().isEmpty());
        }
        // The server still serves.
        TClient after(m_port);
        QVERIFY(after.Connected());
        after.Send(Get(base + "/data"));
        QVERIFY(after.Answered());
        QCOMPARE(after.Status(), QByteArray("HTTP/1.1 200 OK"));
    }

    void streamsTheNewestView()
    {
        Serve({.KeepAlive = 200ms});
        TClient viewer(m_port);
        QVERIFY(viewer.Connected());
        viewer.Send(Get(base + "/events"));
        QVERIFY(WaitFor([&] {
            return viewer.Received.contains("data: " + QByteArray::fromStdString(kJson) + "\n\n");
        }));
        QVERIFY(viewer.Received.contains("Content-Type: text/event-stream"));
        QCOMPARE(m_server->Streams(), 1);

        // Every new view reaches it; with nothing new, a comment keeps it open.
        m_server->Publish(R"({"version":2})");
        QVERIFY(WaitFor([&] { return viewer.Received.contains("data: {\"version\":2}\n\n"); }));
        QVERIFY(WaitFor([&] { return viewer.Received.endsWith(":\n\n"); }));
        for (int v = 3; v < 50; ++v)
            m_server->Publish("{\"version\":" + std::to_string(v) + "}");
        QVERIFY(WaitFor([&] { return viewer.Received.contains("data: {\"version\":49}\n\n"); }));
        // The page's data follows the newest view too.
        TClient data(m_port);
        QVERIFY(data.Connected());
        data.Send(Get(base + "/data"));
        QVERIFY(data.Answered());
        QCOMPARE(data.Body(), QByteArray("{\"version\":49}"));

        viewer.Socket->abort();
        QVERIFY(WaitFor([&] { return m_server->Streams() == 0; }));
    }

    void boundsConnectionsAndClosesIdleOnes()
    {
        Serve({.MaxConnections = 5, .Idle = 300ms});
        std::vector<std::unique_ptr<TClient>> clients;
        for (int i = 0; i < 8; ++i)
            clients.push_back(std::make_unique<TClient>(m_port));
        QVERIFY(WaitFor([&] { return m_server->Connections() == 5; }));
        // Those beyond the limit are closed at once.
        QVERIFY(WaitFor([&] {
            return std::count_if(clients.begin(), clients.end(),
                                 [](const auto& c) { return c->Closed; }) >= 3;
        }));
        QVERIFY(m_server->Connections() <= 5);
        // A slow request and silent connections are closed when their time is up.
        clients.front()->Send("GET " + base);
        QVERIFY(WaitFor([&] {
            return std::all_of(clients.begin(), clients.end(),
                               [](const auto& c) { return c->Closed; });
        }));
        QVERIFY(WaitFor([&] { return m_server->Connections() == 0; }));

        // And the server takes new ones.
        TClient later(m_port);
        QVERIFY(later.Connected());
        later.Send(Get(base + "/data"));
        QVERIFY(later.Answered());
        QCOMPARE(later.Status(), QByteArray("HTTP/1.1 200 OK"));
    }

    void aPortInUseIsSaid()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        TPlayerViewServer server(kPage, kToken, kJson);
        QString failure;
        QVERIFY(!server.Listen(taken.serverPort(), failure));
        QCOMPARE(failure,
                 QStringLiteral("port %1 už používá jiný program").arg(taken.serverPort()));
        QCOMPARE(server.Port(), quint16(0));
    }
};

MECOVNIK_GUI_TEST_MAIN(PlayerViewServerTest)
#include "PlayerViewServerTest.moc"
