#include "playerview/TPlayerViewServer.h"

#include <QDeadlineTimer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace mecovnik {

// A viewer's connection and what the server knows of it.
class TPlayerViewSocket final : public QTcpSocket
{
public:
    using QTcpSocket::QTcpSocket;

    // The request head so far, until it is complete; then its line.
    std::string Head;
    std::string Method;
    std::string Target;
    // A whole request must come before this.
    QDeadlineTimer Deadline;
    // An event stream, taken over from Qt's server.
    bool Streaming = false;
    // Answered with 403 and closing: nothing more is read.
    bool Refused = false;
    // The newest view waits until the viewer has taken what went before.
    bool Pending = false;
    // The viewer takes nothing: closed at this time.
    QDeadlineTimer StallLimit{QDeadlineTimer::Forever};
    QDeadlineTimer NextKeepAlive;
    // Bytes a stream or a refused connection sent and that were thrown away.
    qint64 Discarded = 0;
};

// Takes connections for the server: refuses those beyond the limit and lets
// the server see each one before Qt's server does.
class TPlayerViewListener final : public QTcpServer
{
public:
    explicit TPlayerViewListener(TPlayerViewServer& server) : m_server(server) {}

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new TPlayerViewSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        if (m_server.Connections() >= m_server.m_limits.MaxConnections) {
            socket->abort();
            delete socket;
            return;
        }
        m_server.Accept(*socket);
        addPendingConnection(socket);
    }

private:
    TPlayerViewServer& m_server;
};

namespace {

using TStatus = QHttpServerResponder::StatusCode;

const QByteArray kRefusal =
    QByteArrayLiteral("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
// Rules the page also names in its meta tag: nothing from elsewhere, no frames.
const QByteArray kPagePolicy =
    QByteArrayLiteral("default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
                      "connect-src 'self'; frame-ancestors 'none'");

QByteArray FromStd(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// The headers every answer carries.
void WriteCommonHeaders(QHttpServerResponder& responder, const QByteArray& type)
{
    responder.writeHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    responder.writeHeader(QByteArrayLiteral("X-Content-Type-Options"),
                          QByteArrayLiteral("nosniff"));
    responder.writeHeader(QByteArrayLiteral("Referrer-Policy"), QByteArrayLiteral("no-referrer"));
    if (!type.isEmpty())
        responder.writeHeader(QByteArrayLiteral("Content-Type"), type);
}

void Answer(QHttpServerResponder& responder, TStatus status, const QByteArray& type,
            const QByteArray& body, bool headOnly, bool close)
{
    responder.writeStatusLine(status);
    WriteCommonHeaders(responder, type);
    if (type.startsWith("text/html")) {
        responder.writeHeader(QByteArrayLiteral("Content-Security-Policy"), kPagePolicy);
        responder.writeHeader(QByteArrayLiteral("X-Frame-Options"), QByteArrayLiteral("DENY"));
    }
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(body.size()));
    if (close)
        responder.writeHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
    responder.writeBody(headOnly ? QByteArray() : body);
}

QString ListenFailure(const QTcpServer& listener, quint16 port)
{
    switch (listener.serverError()) {
    case QAbstractSocket::AddressInUseError:
        return QStringLiteral("port %1 už používá jiný program").arg(port);
    case QAbstractSocket::SocketAccessError:
        return QStringLiteral("systém nedovolil použít port %1").arg(port);
    default:
        return QStringLiteral("port %1 nelze otevřít (%2)").arg(port).arg(listener.errorString());
    }
}

} // namespace

TPlayerViewServer::TPlayerViewServer(QByteArray page, std::string token, const std::string& json,
                                     TPlayerViewLimits limits, QObject* parent)
    : QAbstractHttpServer(parent), m_page(std::move(page)), m_token(std::move(token)),
      m_json(FromStd(json)), m_event(FromStd(ServerSentEvent(json))), m_limits(limits)
{
    const auto shortest = std::min({m_limits.Idle, m_limits.Stalled, m_limits.KeepAlive});
    m_sweep.setInterval(
        std::clamp(shortest / 4, std::chrono::milliseconds(20), std::chrono::milliseconds(1000)));
    connect(&m_sweep, &QTimer::timeout, this, &TPlayerViewServer::Sweep);
}

TPlayerViewServer::~TPlayerViewServer()
{
    // The connections go with the listener, before the server's own parts.
    delete m_listener;
}

bool TPlayerViewServer::Listen(quint16 port, QString& failure)
{
    auto* listener = new TPlayerViewListener(*this);
    bool listening = listener->listen(QHostAddress::Any, port);
    // A system without IPv6 takes IPv4 alone.
    if (!listening && listener->serverError() == QAbstractSocket::UnsupportedSocketOperationError)
        listening = listener->listen(QHostAddress::AnyIPv4, port);
    if (!listening) {
        failure = ListenFailure(*listener, port);
        delete listener;
        return false;
    }
    m_listener = listener;
    bind(listener);
    m_sweep.start();
    return true;
}

quint16 TPlayerViewServer::Port() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

int TPlayerViewServer::Connections() const
{
    return static_cast<int>(std::count_if(m_sockets.begin(), m_sockets.end(), [](const auto& s) {
        return s && s->state() != QAbstractSocket::UnconnectedState;
    }));
}

int TPlayerViewServer::Streams() const
{
    return static_cast<int>(std::count_if(m_sockets.begin(), m_sockets.end(), [](const auto& s) {
        return s && s->Streaming && s->state() == QAbstractSocket::ConnectedState;
    }));
}

void TPlayerViewServer::Accept(TPlayerViewSocket& socket)
{
    m_sockets.removeAll(nullptr);
    // Qt's server keeps what it read of a request until the request is
    // whole; this bounds it.
    socket.setReadBufferSize(static_cast<qint64>(kPlayerViewMaxRequestBytes));
    socket.Deadline.setRemainingTime(m_limits.Idle);
    // Connected before Qt's server connects its own, so the bytes are
    // screened before its parser reads them.
    TPlayerViewSocket* s = &socket;
    connect(s, &QIODevice::readyRead, s, [this, s] { Screen(*s); });
    connect(s, &QIODevice::bytesWritten, s, [this, s] {
        if (s->Streaming)
            SendLatest(*s);
    });
    m_sockets.append(s);
}

void TPlayerViewServer::Screen(TPlayerViewSocket& socket)
{
    if (socket.Streaming || socket.Refused) {
        // Nothing is asked on a stream; a viewer that talks on regardless is
        // let go once it has said more than a request may hold.
        socket.Discarded += socket.readAll().size();
        if (socket.Discarded > static_cast<qint64>(kPlayerViewMaxRequestBytes))
            socket.abort();
        return;
    }
    const QByteArray fresh = socket.peek(socket.bytesAvailable());
    socket.Head.append(fresh.constData(), static_cast<std::size_t>(fresh.size()));
    switch (ScreenRequestHead(socket.Head)) {
    case TRequestHead::Partial:
        return;
    case TRequestHead::Refused:
        Refuse(socket);
        return;
    case TRequestHead::Complete: {
        const TRequestLine line = RequestLineOf(socket.Head);
        socket.Method = line.Method;
        socket.Target = line.Target;
        socket.Head.clear();
        return;
    }
    }
}

void TPlayerViewServer::Refuse(TPlayerViewSocket& socket)
{
    // Qt's server reads no more of this connection.
    disconnect(&socket, &QIODevice::readyRead, this, nullptr);
    socket.Refused = true;
    socket.Head.clear();
    socket.Discarded += socket.readAll().size();
    socket.write(kRefusal);
    socket.disconnectFromHost();
}

bool TPlayerViewServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* tcp)
{
    auto& socket = static_cast<TPlayerViewSocket&>(*tcp);
    socket.Deadline.setRemainingTime(m_limits.Idle);
    const TPlayerRequest kind = ClassifyPlayerRequest(socket.Method, socket.Target, m_token);
    const bool headOnly = socket.Method == "HEAD";
    if (kind == TPlayerRequest::Events && !headOnly) {
        StartStream(request, socket);
        return true;
    }
    QHttpServerResponder responder = makeResponder(request, tcp);
    switch (kind) {
    case TPlayerRequest::Page:
        Answer(responder, TStatus::Ok, QByteArrayLiteral("text/html; charset=utf-8"), m_page,
               headOnly, false);
        break;
    case TPlayerRequest::Data:
        Answer(responder, TStatus::Ok, QByteArrayLiteral("application/json"), m_json, headOnly,
               false);
        break;
    case TPlayerRequest::Events:
        Answer(responder, TStatus::Ok, QByteArrayLiteral("text/event-stream"), {}, true, true);
        socket.disconnectFromHost();
        break;
    case TPlayerRequest::NotFound:
        Answer(responder, TStatus::NotFound, {}, {}, headOnly, false);
        break;
    case TPlayerRequest::Refused:
        Answer(responder, TStatus::Forbidden, {}, {}, headOnly, true);
        socket.disconnectFromHost();
        break;
    }
    return true;
}

void TPlayerViewServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // handleRequest answers every request; should Qt's server still ask,
    // nothing is told.
    QHttpServerResponder responder = makeResponder(request, socket);
    Answer(responder, TStatus::Forbidden, {}, {}, false, true);
    socket->disconnectFromHost();
}

void TPlayerViewServer::StartStream(const QHttpServerRequest& request, TPlayerViewSocket& socket)
{
    QHttpServerResponder responder = makeResponder(request, &socket);
    responder.writeStatusLine(TStatus::Ok);
    WriteCommonHeaders(responder, QByteArrayLiteral("text/event-stream"));
    responder.writeHeader(QByteArrayLiteral("X-Accel-Buffering"), QByteArrayLiteral("no"));
    responder.writeHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
    // The page tries again 2 s after a drop; then the view as it is now.
    responder.writeBody(QByteArrayLiteral("retry: 2000\n\n") + m_event);
    // From here on the stream is the server's own: Qt's parser reads no more.
    disconnect(&socket, &QIODevice::readyRead, this, nullptr);
    socket.Streaming = true;
    socket.NextKeepAlive.setRemainingTime(m_limits.KeepAlive);
}

void TPlayerViewServer::Publish(const std::string& json)
{
    m_json = FromStd(json);
    m_event = FromStd(ServerSentEvent(json));
    for (const QPointer<TPlayerViewSocket>& socket : std::as_const(m_sockets)) {
        if (socket && socket->Streaming) {
            socket->Pending = true;
            SendLatest(*socket);
        }
    }
}

void TPlayerViewServer::SendLatest(TPlayerViewSocket& socket)
{
    if (!socket.Pending || socket.bytesToWrite() > 0 ||
        socket.state() != QAbstractSocket::ConnectedState)
        return;
    socket.Pending = false;
    socket.write(m_event);
    socket.NextKeepAlive.setRemainingTime(m_limits.KeepAlive);
}

void TPlayerViewServer::Sweep()
{
    m_sockets.removeAll(nullptr);
    for (const QPointer<TPlayerViewSocket>& socket : std::as_const(m_sockets)) {
        if (!socket)
            continue;
        TPlayerViewSocket& s = *socket;
        bool close = false;
        if (!s.Streaming) {
            close = s.Deadline.hasExpired();
        } else if (s.bytesToWrite() > 0) {
            if (s.StallLimit.isForever())
                s.StallLimit.setRemainingTime(m_limits.Stalled);
            close = s.StallLimit.hasExpired();
        } else {
            s.StallLimit = QDeadlineTimer(QDeadlineTimer::Forever);
            if (s.NextKeepAlive.hasExpired() && s.state() == QAbstractSocket::ConnectedState) {
                s.write(QByteArrayLiteral(":\n\n"));
                s.NextKeepAlive.setRemainingTime(m_limits.KeepAlive);
            }
        }
        if (close) {
            s.abort();
            s.deleteLater();
        }
    }
}

} // namespace mecovnik
