#include "platform/inet.h"

#include "platform/core/http_connection.h"
#include "platform/host_lookup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cassert>
#include <climits>
#include <deque>
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

// One fetch: the host lookup, the connection and the redirects it follows, moving through
// its stages in order. The socket notifiers, the lookup and the time-out raise no events,
// they only note what happened and wake the loop; the fetch's own frame (run) advances the
// exchange and raises the events, outside any Qt signal, so that a handler may cancel,
// fetch on another instance or run a loop of its own.
class Inet::Fetch {
public:
    // The progress stages raise their events in this order, each once, across redirects;
    // Failed raises icError, Cancelled nothing. Failed and Cancelled end the fetch.
    enum class Stage { Connecting, Requesting, Receiving, Completed, Failed, Cancelled };

    Fetch(Inet& inet, int64_t maxBytes) : inet_(inet), maxBytes_(maxBytes) {}
    ~Fetch() { close(); }

    // The reply body, or nullopt when the fetch failed or was cancelled.
    std::optional<std::string> run(const QUrl& url, int timeoutMs) {
        raise(InetState::icConnecting);
        if (stage_ != Stage::Cancelled) {
            deadline_.setSingleShot(true);
            QObject::connect(&deadline_, &QTimer::timeout, &loop_, [this] { fail(); });
            deadline_.start(timeoutMs);
            open(url);
        }
        for (;;) {
            step();
            if (stage_ == Stage::Failed) raise(InetState::icError);
            if (stage_ >= Stage::Completed) break;
            wait();
        }
        if (stage_ != Stage::Completed) return std::nullopt;
        return std::move(body_);
    }

    void cancel() {
        stage_ = Stage::Cancelled;
        close();  // at once: a cancel leaves no connection behind
        wake();
    }

private:
    static int16_t progressEvent(Stage stage) {
        switch (stage) {
        case Stage::Connecting: return InetState::icConnecting;
        case Stage::Requesting: return InetState::icRequesting;
        case Stage::Receiving: return InetState::icReceivingResponse;
        case Stage::Completed: return InetState::icResponseCompleted;
        case Stage::Failed:
        case Stage::Cancelled: break;
        }
        return InetState::icNone;
    }

    void raise(int16_t state) {
        const auto handler = inet_.OnStateChanged;  // the handler may replace itself
        if (handler) handler(state);
    }

    // Moves through the progress stages up to last, raising each one's event; a handler may
    // end the fetch on the way, which stops the walk.
    void advanceTo(Stage last) {
        while (stage_ < last) {
            stage_ = Stage(int(stage_) + 1);
            raise(progressEvent(stage_));
        }
    }

    // A failure ends only a fetch still under way: a time-out that fires while the last
    // event's handler runs does not undo the reply.
    void fail() {
        if (stage_ >= Stage::Completed) return;
        stage_ = Stage::Failed;
        close();  // at once: a time-out leaves no connection behind
        wake();
    }

    void wake() {
        woken_ = true;
        loop_.quit();
    }

    void wait() {
        if (!woken_) loop_.exec();
        // Only wake() quits this loop; any other return is the application leaving its
        // event loops (a quit), which must not wait for the reply.
        if (!woken_) cancel();
        woken_ = false;
    }

    // Advances the exchange once the socket has been reported ready, then raises the events
    // of the stages it reached. An exchange that is over (a reply, a refused status or a
    // redirect) closes before any handler runs.
    void step() {
        if (lookup_ && lookup_->Ended()) {
            const std::vector<std::string> found = lookup_->TakeAddresses();
            addresses_.assign(found.begin(), found.end());
            connectNext();
            return;
        }
        if (!ready_ || !connection_) return;
        ready_ = false;
        const bool wasConnecting = connection_->state() == HttpConnection::State::Connecting;
        connection_->Advance();
        const HttpConnection::State state = connection_->state();
        if (state == HttpConnection::State::Failed) {
            if (wasConnecting)
                connectNext();
            else
                fail();
            return;
        }
        if (state < HttpConnection::State::ReceivingBody) {
            listen();
            advanceTo(state == HttpConnection::State::ReceivingHead ? Stage::Requesting
                                                                    : Stage::Connecting);
            return;
        }
        const int status = connection_->Status();
        const std::string location = connection_->Location();
        // Only a success's body is the resource; a redirect without a place to go fails.
        const bool bodyUsed = status < 300;
        if (bodyUsed && state == HttpConnection::State::ReceivingBody) {
            listen();
            advanceTo(Stage::Receiving);
            return;
        }
        if (bodyUsed) body_ = connection_->TakeBody();
        close();
        advanceTo(bodyUsed ? Stage::Completed : Stage::Receiving);
        if (bodyUsed || stage_ != Stage::Receiving) return;  // done, or a handler ended it
        if (status >= 400 || location.empty()) {
            fail();
            return;
        }
        const QUrl next = url_.resolved(QUrl(QString::fromStdString(location)));
        if (++redirects_ > kMaxRedirects || !fetchable(next))
            fail();
        else
            open(next);
    }

    // Watches the socket again once the frame has advanced it.
    void listen() {
        readable_->setEnabled(true);
        writable_->setEnabled(connection_->WantsWrite());
    }

    void close() {
        readable_.reset();
        writable_.reset();
        connection_.reset();
        lookup_.reset();  // given up, not waited for: the resolver may hang far longer
    }

    // Starts the exchange with target, looking its host up unless it is a numeric address.
    void open(const QUrl& target) {
        close();
        url_ = target;
        const QHostAddress numeric(url_.host());
        if (!numeric.isNull()) {
            addresses_ = {numeric.toString().toStdString()};
            connectNext();
            return;
        }
        lookup_ = std::make_unique<HostLookup>(url_.host().toStdString(), [this] { wake(); });
        if (lookup_->Ended()) wake();
    }

    // Tries the host's addresses in turn until one takes the connection.
    void connectNext() {
        close();
        while (!addresses_.empty()) {
            const std::string address = std::move(addresses_.front());
            addresses_.pop_front();
            connection_ = std::make_unique<HttpConnection>(address, uint16_t(url_.port(80)),
                                                           requestFor(url_), maxBytes_);
            if (connection_->state() != HttpConnection::State::Failed) {
                watch(connection_->fd());
                return;
            }
        }
        fail();
    }

    void watch(int fd) {
        readable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        writable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        for (QSocketNotifier* notifier : {readable_.get(), writable_.get()})
            QObject::connect(notifier, &QSocketNotifier::activated, &loop_, [this, notifier] {
                notifier->setEnabled(false);  // until the frame has advanced the socket
                ready_ = true;
                wake();
            });
        writable_->setEnabled(connection_->WantsWrite());
    }

    Inet& inet_;
    const int64_t maxBytes_;
    Stage stage_ = Stage::Connecting;
    QEventLoop loop_;
    QTimer deadline_;
    QUrl url_;
    int redirects_ = 0;
    std::unique_ptr<HostLookup> lookup_;  // of url_'s host, while it runs
    std::deque<std::string> addresses_;   // of url_'s host, not yet tried
    std::unique_ptr<HttpConnection> connection_;
    std::unique_ptr<QSocketNotifier> readable_, writable_;
    bool ready_ = false;   // a notifier fired: the socket can be advanced
    bool woken_ = false;   // something happened since the loop last ran
    std::string body_;
};

Inet::Inet() = default;

Inet::~Inet() { assert(!StillExecuting() && "an Inet destroyed during its own fetch"); }

bool Inet::StillExecuting() const { return current_ != nullptr; }

void Inet::Cancel() {
    if (current_) current_->cancel();
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
    Fetch fetch(*this, maxReplyBytes_);
    current_ = &fetch;
    std::optional<std::string> body = fetch.run(address, timeoutMilliseconds(requestTimeout_));
    current_ = nullptr;
    lastFetchFailed_ = !body;
    return body ? std::move(*body) : std::string();
}
