#include "tests/support/test_http_server.h"

#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <cassert>
#include <memory>

namespace {

constexpr int kTrickleIntervalMs = 50;
constexpr qint64 kEndlessChunkBytes = 64 * 1024;
constexpr int kResetAfterMs = 50;  // lets the client read what came before the reset

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray head(int status, const QByteArray& extraHeaders) {
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n" +
           extraHeaders + "Connection: close\r\n\r\n";
}

bool connected(const QTcpSocket* socket) {
    return socket->state() == QAbstractSocket::ConnectedState;
}

}  // namespace

TestHttpServer::TestHttpServer() {
    const bool listening = server_.listen(QHostAddress::LocalHost, 0);
    assert(listening);
    (void)listening;
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) accept(socket);
    });
}

void TestHttpServer::setRoute(const std::string& path, Route route) {
    routes_[path] = std::move(route);
}

std::string TestHttpServer::setRedirectChain(const std::string& path, int hops,
                                             const QByteArray& body) {
    for (int hop = 0; hop < hops; ++hop) {
        const std::string next = url(path + '/' + std::to_string(hop + 1));
        setRoute(path + '/' + std::to_string(hop),
                 {.status = 302, .location = QByteArray::fromStdString(next)});
    }
    setRoute(path + '/' + std::to_string(hops), {.body = body});
    return path + "/0";
}

std::string TestHttpServer::url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + pathAndQuery;
}

quint16 TestHttpServer::unusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();  // free again once probe closes
}

void TestHttpServer::accept(QTcpSocket* socket) {
    struct Request {
        QByteArray head;
        bool answered = false;  // one request per connection; what follows is not read
    };
    auto request = std::make_shared<Request>();
    ++openConnections_;
    QObject::connect(socket, &QObject::destroyed, &server_, [this] { --openConnections_; });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
        if (request->answered) return;
        request->head += socket->readAll();
        if (!request->head.contains("\r\n\r\n")) return;
        request->answered = true;
        const QByteArray requestLine = request->head.left(request->head.indexOf("\r\n"));
        requestLines_.push_back(requestLine);
        if (onRequest) onRequest(requestLine);
        answer(socket, requestLine.split(' ').value(1));
    });
}

void TestHttpServer::answer(QTcpSocket* socket, const QByteArray& target) {
    const std::string path = target.split('?').front().toStdString();
    const auto found = routes_.find(path);
    const Route route = found != routes_.end() ? found->second
                                               : Route{.status = 404, .body = "no such page"};
    if (route.arrived) route.arrived();
    if (route.delayMs > 0)
        QTimer::singleShot(route.delayMs, socket, [socket, route] { respond(socket, route); });
    else
        respond(socket, route);
}

void TestHttpServer::respond(QTcpSocket* socket, const Route& route) {
    if (!connected(socket)) return;
    switch (route.behaviour) {
    case Behaviour::Answer:
    case Behaviour::Reset: {
        QByteArray headers = route.headers;
        if (!route.location.isEmpty()) headers += "Location: " + route.location + "\r\n";
        if (route.declareLength)
            headers += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
        socket->write(head(route.status, headers) + route.body);
        if (route.behaviour == Behaviour::Answer) {
            socket->disconnectFromHost();  // after the pending bytes are out
            break;
        }
        socket->flush();
        QTimer::singleShot(kResetAfterMs, socket, [socket] {
            const linger abortive = {.l_onoff = 1, .l_linger = 0};  // close sends a reset
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                         sizeof abortive);
            socket->abort();
        });
        break;
    }
    case Behaviour::Drop:
        socket->close();
        break;
    case Behaviour::Trickle: {
        socket->write(head(route.status, "Content-Length: 1000000\r\n"));
        auto* drip = new QTimer(socket);
        QObject::connect(drip, &QTimer::timeout, socket, [socket] {
            if (connected(socket)) socket->write("x");
        });
        drip->start(kTrickleIntervalMs);
        break;
    }
    case Behaviour::Endless: {
        const QByteArray chunk(kEndlessChunkBytes, 'x');
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, chunk] {
            if (connected(socket) && socket->bytesToWrite() < kEndlessChunkBytes)
                socket->write(chunk);
        });
        socket->write(head(route.status, {}) + chunk);
        break;
    }
    case Behaviour::Silent:
        break;
    case Behaviour::EndlessHeader: {
        QByteArray lines;
        while (lines.size() < kEndlessChunkBytes) lines += "X-Filler: xxxxxxxxxxxxxxxx\r\n";
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, lines] {
            if (connected(socket) && socket->bytesToWrite() < kEndlessChunkBytes)
                socket->write(lines);
        });
        socket->write("HTTP/1.1 200 OK\r\n" + lines);
        break;
    }
    }
}
