#include "platform/inet.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <optional>

namespace {

constexpr int32_t kDefaultTimeoutSeconds = 60;
constexpr int kMaxRedirects = 5;

int timeoutMilliseconds(int32_t seconds) {
    if (seconds <= 0) seconds = kDefaultTimeoutSeconds;
    return static_cast<int>(std::min<int64_t>(int64_t{seconds} * 1000, INT_MAX));
}

std::optional<QUrl> fetchableUrl(const std::string& text) {
    const QUrl url(QString::fromStdString(text));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != "http" && scheme != "https") || url.host().isEmpty())
        return std::nullopt;
    return url;
}

}  // namespace

// What the reply's signals have reported so far. The signals only record and wake the loop;
// the events are raised from the fetch's own frame, outside any Qt signal, so that a handler
// may cancel, fetch on another instance or run a loop of its own.
struct InetFetch {
    QEventLoop loop;
    QTimer deadline;
    QNetworkReply* reply = nullptr;
    QByteArray body;
    int64_t maxBytes = 0;
    bool requestSent = false;
    bool responseStarted = false;
    bool finished = false;
    bool failed = false;
    bool cancelled = false;
    bool news = false;  // recorded since the loop last woke
    int16_t raised = InetState::icNone;

    void wake() {
        news = true;
        loop.quit();
    }
    void fail() {
        failed = true;
        if (reply && !finished) reply->abort();  // finishes the reply at once
        wake();
    }
    void cancel() {
        cancelled = true;
        fail();
    }
};

class InetSession {
public:
    using Raise = std::function<void(int16_t)>;

    InetSession() { manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy)); }

    bool busy() const { return current_ != nullptr; }

    void cancel() { current_->cancel(); }

    std::optional<QByteArray> fetch(const QUrl& url, int timeoutMs, int64_t maxBytes,
                                    const Raise& raise) {
        InetFetch f;
        f.maxBytes = maxBytes;
        current_ = &f;
        run(f, url, timeoutMs, raise);
        current_ = nullptr;
        if (f.reply) {
            f.reply->disconnect();
            if (!f.finished) f.reply->abort();
            delete f.reply;
        }
        if (f.failed) return std::nullopt;
        return f.body;
    }

private:
    void run(InetFetch& f, const QUrl& url, int timeoutMs, const Raise& raise) {
        raiseUpTo(f, InetState::icConnecting, raise);
        if (f.cancelled) return;
        start(f, url, timeoutMs);
        for (;;) {
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

    void start(InetFetch& f, const QUrl& url, int timeoutMs) {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(kMaxRedirects);
        request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
        request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);

        QNetworkReply* reply = manager_.get(request);
        f.reply = reply;
        QObject::connect(reply, &QNetworkReply::requestSent, reply, [&f] {
            f.requestSent = true;
            f.wake();
        });
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&f, reply] {
            f.responseStarted = true;
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > f.maxBytes)
                f.fail();
            else
                f.wake();
        });
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [&f, reply] {
            f.responseStarted = true;
            f.body += reply->readAll();
            if (f.body.size() > f.maxBytes)
                f.fail();
            else
                f.wake();
        });
        QObject::connect(reply, &QNetworkReply::finished, reply, [&f, reply] {
            f.finished = true;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->error() != QNetworkReply::NoError || status >= 400)
                f.failed = true;
            else
                f.body += reply->readAll();
            f.wake();
        });

        f.deadline.setSingleShot(true);
        QObject::connect(&f.deadline, &QTimer::timeout, &f.loop, [&f] { f.fail(); });
        f.deadline.start(timeoutMs);
    }

    QNetworkAccessManager manager_;
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
    const std::optional<QUrl> address = fetchableUrl(url);
    if (!address || StillExecuting()) return {};
    if (!session_) session_ = std::make_unique<InetSession>();

    const auto raise = [this](int16_t state) {
        const auto handler = OnStateChanged;  // the handler may replace itself
        if (handler) handler(state);
    };
    const std::optional<QByteArray> body =
        session_->fetch(*address, timeoutMilliseconds(requestTimeout_), maxReplyBytes_, raise);
    lastFetchFailed_ = !body;
    if (!body) return {};
    return {body->constData(), static_cast<size_t>(body->size())};
}
