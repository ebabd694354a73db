#include "platform/inet.h"

#include "platform/core/http_connection.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <memory>
#include <optional>

namespace {

constexpr int32_t kDefaultTimeoutSeconds = 60;
constexpr int kMaxRedirects = 5;

int timeoutMilliseconds(int32_t seconds) {
    if (seconds <= 0) seconds = kDefaultTimeoutSeconds;
    return static_cast<int>(std::min<int64_t>(int64_t{seconds} * 1000, INT_MAX));
}

bool fetchable(const QUrl& url) {
    return url.isValid() && url.scheme().toLower() == "http" && !url.host().isEmpty();
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A plain GET: the only headers are the two HTTP/1.1 asks for.
std::string requestFor(const QUrl& url) {
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/')) target.prepend('/');
    const QByteArray host = url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toUtf8();
    return ("GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n")
        .toStdString();
}

}  // namespace

// One fetch: the host lookup, the connection and the redirects it follows. The socket
// notifiers and the lookup raise no events, they only mark progress and wake the loop; the
// fetch's own frame advances the exchange and raises the events, outside any Qt signal, so
// that a handler may cancel, fetch on another instance or run a loop of its own.
class InetFetch {
public:
    QEventLoop loop;
    QTimer deadline;
    QUrl url;
    int64_t maxBytes = 0;
    int redirects = 0;
    int lookupId = -1;
    QList<QHostAddress> addresses;  // of url's host, not yet tried
    std::unique_ptr<HttpConnection> connection;
    std::unique_ptr<QSocketNotifier> readable, writable;
    std::string body;
    bool ready = false;  // the socket can be advanced
    bool requestSent = false;
    bool responseStarted = false;
    bool finished = false;
    bool failed = false;
    bool cancelled = false;
    bool news = false;  // recorded since the loop last woke
    int16_t raised = InetState::icNone;

    ~InetFetch() { close(); }

    void wake() {
        news = true;
        loop.quit();
    }
    void fail() {
        failed = true;
        finished = true;
        close();  // at once: a time-out or a cancel leaves no connection behind
        wake();
    }
    void cancel() {
        cancelled = true;
        fail();
    }

    // Starts the exchange with target, looking its host up unless it is a numeric address.
    void open(const QUrl& target) {
        close();
        url = target;
        const QHostAddress numeric(url.host());
        if (!numeric.isNull()) {
            addresses = {numeric};
            connectNext();
            return;
        }
        lookupId = QHostInfo::lookupHost(url.host(), &loop, [this](const QHostInfo& info) {
            lookupId = -1;
            addresses = info.addresses();
            connectNext();
            wake();
        });
    }

    // Advances the exchange once the socket has been reported ready.
    void step() {
        if (!ready || !connection) return;
        ready = false;
        const bool wasConnecting = connection->state() == HttpConnection::State::Connecting;
        connection->Advance();
        const HttpConnection::State state = connection->state();
        if (state == HttpConnection::State::Failed) {
            if (wasConnecting)
                connectNext();
            else
                fail();
            return;
        }
        requestSent = requestSent || state >= HttpConnection::State::ReceivingHead;
        if (state >= HttpConnection::State::ReceivingBody) {
            responseStarted = true;
            if (!judgeHead()) return;
        }
        if (state == HttpConnection::State::Complete) {
            body = connection->TakeBody();
            finished = true;
            close();
            return;
        }
        readable->setEnabled(true);
        writable->setEnabled(connection->WantsWrite());
    }

private:
    void close() {
        readable.reset();
        writable.reset();
        connection.reset();
        if (lookupId >= 0) QHostInfo::abortHostLookup(lookupId);
        lookupId = -1;
    }

    // Tries the host's addresses in turn until one takes the connection.
    void connectNext() {
        close();
        while (!addresses.isEmpty()) {
            connection = std::make_unique<HttpConnection>(
                addresses.takeFirst().toString().toStdString(), uint16_t(url.port(80)),
                requestFor(url), maxBytes);
            if (connection->state() != HttpConnection::State::Failed) {
                watch(connection->fd());
                return;
            }
        }
        fail();
    }

    void watch(int fd) {
        readable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        writable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        for (QSocketNotifier* notifier : {readable.get(), writable.get()})
            QObject::connect(notifier, &QSocketNotifier::activated, &loop, [this, notifier] {
                notifier->setEnabled(false);  // until the frame has advanced the socket
                ready = true;
                wake();
            });
        writable->setEnabled(connection->WantsWrite());
    }

    // Acts on the reply's status once its head is in; false when that ended this exchange.
    bool judgeHead() {
        const int status = connection->Status();
        if (status >= 400) {
            fail();
            return false;
        }
        if (!isRedirect(status) || connection->Location().empty()) return true;
        const QUrl next = url.resolved(QUrl(QString::fromStdString(connection->Location())));
        if (++redirects > kMaxRedirects || !fetchable(next))
            fail();
        else
            open(next);
        return false;
    }
};

class InetSession {
public:
    using Raise = std::function<void(int16_t)>;

    bool busy() const { return current_ != nullptr; }

    void cancel() { current_->cancel(); }

    std::optional<std::string> fetch(const QUrl& url, int timeoutMs, int64_t maxBytes,
                                     const Raise& raise) {
        InetFetch f;
        f.maxBytes = maxBytes;
        current_ = &f;
        run(f, url, timeoutMs, raise);
        current_ = nullptr;
        if (f.failed) return std::nullopt;
        return std::move(f.body);
    }

private:
    void run(InetFetch& f, const QUrl& url, int timeoutMs, const Raise& raise) {
        raiseUpTo(f, InetState::icConnecting, raise);
        if (f.cancelled) return;
        f.deadline.setSingleShot(true);
        QObject::connect(&f.deadline, &QTimer::timeout, &f.loop, [&f] { f.fail(); });
        f.deadline.start(timeoutMs);
        f.open(url);
        for (;;) {
            f.step();
            if (f.responseStarted)
                raiseUpTo(f, InetState::icReceivingResponse, raise);
            else if (f.requestSent)
                raiseUpTo(f, InetState::icRequesting, raise);
            if (f.cancelled) return;
            if (f.finished) {
                if (!f.failed) raiseUpTo(f, InetState::icReceivingResponse, raise);
                if (!f.cancelled)
                    raise(f.failed ? InetState::icError : InetState::icResponseCompleted);
                return;
            }
            if (!f.news) f.loop.exec();
            // Only wake() quits this loop; any other return is the application leaving its
            // event loops (a quit), which must not wait for the reply.
            if (!f.news) f.cancel();
            f.news = false;
        }
    }

    // Raises the progress states not yet raised, in order, up to and including last.
    static void raiseUpTo(InetFetch& f, int16_t last, const Raise& raise) {
        constexpr std::array<int16_t, 3> progress = {
            InetState::icConnecting, InetState::icRequesting, InetState::icReceivingResponse};
        for (int16_t state : progress) {
            if (f.cancelled || state > last) return;
            if (state <= f.raised) continue;
            f.raised = state;
            raise(state);
        }
    }

    InetFetch* current_ = nullptr;
};

Inet::Inet() = default;

Inet::~Inet() { assert(!StillExecuting() && "an Inet destroyed during its own fetch"); }

bool Inet::StillExecuting() const { return session_ && session_->busy(); }

void Inet::Cancel() {
    if (StillExecuting()) session_->cancel();
}

std::string Inet::OpenURL(const std::string& url) { return fetch(url); }

std::vector<uint8_t> Inet::OpenURLBytes(const std::string& url) {
    const std::string body = fetch(url);
    return {body.begin(), body.end()};
}

std::string Inet::fetch(const std::string& url) {
    assert(QCoreApplication::instance() && "fetching needs the application's event loop");
    lastFetchFailed_ = true;
    const QUrl address(QString::fromStdString(url));
    if (!fetchable(address) || StillExecuting()) return {};
    if (!session_) session_ = std::make_unique<InetSession>();

    const auto raise = [this](int16_t state) {
        const auto handler = OnStateChanged;  // the handler may replace itself
        if (handler) handler(state);
    };
    std::optional<std::string> body =
        session_->fetch(address, timeoutMilliseconds(requestTimeout_), maxReplyBytes_, raise);
    lastFetchFailed_ = !body;
    return body ? std::move(*body) : std::string();
}
