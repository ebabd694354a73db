#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for fetch tests. It runs on the test's own thread
// and answers while the code under test spins an event loop, as a synchronous fetch does.

#include <QByteArray>
#include <QTcpServer>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QTcpSocket;

class TestHttpServer {
public:
    enum class Behaviour {
        Answer,   // status, headers and body, then the connection closes
        Drop,     // the connection closes without a reply
        Trickle,  // a large body is announced and one byte follows every 50 ms, forever
        Endless,  // a body without a length that never ends
        Silent,   // the request is read and never answered
        EndlessHeader,  // a status line, then header lines that never end
        Reset,    // status, headers and body, then the connection is reset, not closed
    };
    struct Route {
        Behaviour behaviour = Behaviour::Answer;
        int status = 200;
        QByteArray body = {};
        QByteArray location = {};  // sent as the Location header when not empty
        QByteArray headers = {};   // further header lines, each ending in "\r\n"
        int delayMs = 0;           // the answer starts this long after the request
        bool declareLength = true; // false: no Content-Length of the server's own
        std::function<void()> arrived = {};  // runs when the request is in, before any answer
    };

    TestHttpServer();  // listens on a free port
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    // Routes match the request's path without its query; other paths answer 404.
    void setRoute(const std::string& path, Route route);
    // path/0 redirects to path/1 and so on; path/<hops> answers body. Returns path/0.
    std::string setRedirectChain(const std::string& path, int hops, const QByteArray& body);

    // "http://127.0.0.1:<port>" followed by pathAndQuery.
    std::string url(const std::string& pathAndQuery) const;
    // The request lines received so far, in order, e.g. "GET /a?b=c HTTP/1.1".
    const std::vector<QByteArray>& requestLines() const { return requestLines_; }
    // Connections accepted and not yet closed by either side.
    int openConnections() const { return openConnections_; }

    // Called with each request line as it arrives, before its route is looked up.
    std::function<void(const QByteArray& requestLine)> onRequest;

    // A port of 127.0.0.1 on which nothing listens.
    static quint16 unusedPort();

private:
    void accept(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& target);
    static void respond(QTcpSocket* socket, const Route& route);

    QTcpServer server_;
    std::map<std::string, Route> routes_;
    std::vector<QByteArray> requestLines_;
    int openConnections_ = 0;
};
