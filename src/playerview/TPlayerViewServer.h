#pragma once

#include "playerview/PlayerAccess.h"
#include "playerview/TShareModule.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <string>

class QTcpServer;

namespace mecovnik {

class TPlayerViewSocket;

// How much the server takes from its viewers; tests shorten the times.
struct TPlayerViewLimits
{
    int MaxConnections = kPlayerViewMaxConnections;
    std::chrono::milliseconds Idle{kPlayerViewIdleSeconds * 1000};
    std::chrono::milliseconds Stalled{kPlayerViewStalledSeconds * 1000};
    std::chrono::milliseconds KeepAlive{kPlayerViewKeepAliveSeconds * 1000};
};

// The players' view on the local network: Qt's HTTP server answering only
// requests with the token (ClassifyPlayerRequest) with the page, the view's
// JSON or its event stream, read-only.
//
// Qt's parser sees only request heads that ScreenRequestHead took whole: a
// connection sending anything else (malformed, more than 8 KiB, a body, an
// upgrade) gets 403 and is closed before the parser reads it. At most
// MaxConnections connections at once (more are closed at once); one that has
// not sent a whole request within Idle of opening or of its last answer is
// closed. An event stream is taken over from Qt's server once its head is
// written: it gets the newest view only (a viewer still taking an older one
// gets the newest when done; what came between is dropped), a comment every
// KeepAlive, and is closed when its viewer took nothing for Stalled.
//
// Destroying the server closes every connection. It lives in the sharing
// module (TShareModule::MakeServer).
class TPlayerViewServer final : public QAbstractHttpServer, public TPlayerViewSharing
{
    Q_OBJECT

public:
    // page: the page's bytes; token: the players' key; json: the view now.
    TPlayerViewServer(QByteArray page, std::string token, const std::string& json,
                      TPlayerViewLimits limits = {}, QObject* parent = nullptr);
    ~TPlayerViewServer() override;
    Q_DISABLE_COPY_MOVE(TPlayerViewServer)

    // See TPlayerViewSharing; Publish hands the view to every event stream.
    bool Listen(quint16 port, QString& failure) override;
    [[nodiscard]] quint16 Port() const override;
    void Publish(const std::string& json) override;

    // Open connections, and how many of them are event streams.
    [[nodiscard]] int Connections() const;
    [[nodiscard]] int Streams() const;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    friend class TPlayerViewListener;
    // A new connection from the listener, before Qt's server sees it.
    void Accept(TPlayerViewSocket& socket);
    // Bytes came: checks them before Qt's parser reads them.
    void Screen(TPlayerViewSocket& socket);
    // Answers 403 with an empty body and closes the connection.
    void Refuse(TPlayerViewSocket& socket);
    void StartStream(const QHttpServerRequest& request, TPlayerViewSocket& socket);
    void SendLatest(TPlayerViewSocket& socket);
    // Once a second: closes idle and stalled connections, keeps streams alive.
    void Sweep();

    QByteArray m_page;
    std::string m_token;
    QByteArray m_json;
    QByteArray m_event;
    TPlayerViewLimits m_limits;
    QTcpServer* m_listener = nullptr;
    QList<QPointer<TPlayerViewSocket>> m_sockets;
    QTimer m_sweep;
};

} // namespace mecovnik
