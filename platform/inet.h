#pragma once
// The Internet transfer control: a synchronous HTTP GET that keeps the user interface
// running while it waits. Timers, mouse and window events run nested inside a fetch.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// State numbers of the state-change event.
namespace InetState {
constexpr int16_t icNone = 0, icResolvingHost = 1, icHostResolved = 2, icConnecting = 3,
                  icConnected = 4, icRequesting = 5, icRequestSent = 6, icReceivingResponse = 7,
                  icResponseReceived = 8, icDisconnecting = 9, icDisconnected = 10, icError = 11,
                  icResponseCompleted = 12;
}

// A fetch raises icConnecting, icRequesting, icReceivingResponse and icResponseCompleted in
// that order on success, or icError (11) when it fails: refused connection, a connection
// closed or reset before the reply's end, time-out, an HTTP status of 300 or more other
// than a redirect with a Location, a redirect chain longer than 5, response heads and a
// chunked body's trailers above 64 KiB together (interim replies included), a head HTTP
// calls invalid (a NUL, a field line without a colon, a switch of protocols nothing asked
// for, two different Locations), a reply above the size limit, or one in a transfer
// coding other than chunked (the request asks for none).
// The events are raised before the fetch returns, from the fetch itself, so a handler may
// call Cancel. A URL that is not an http:// address with a host fails at once, without
// events. Fetches go out directly, never through a proxy, on this thread alone:
// a fetch that ends for any reason leaves no connection behind. The time-out covers the
// host's lookup too, and a lookup given up is never waited for, by the fetch or the quit.
// When the application quits its event loops, the fetch waiting (or any started after)
// is abandoned: it returns empty and counts as failed, without icError.
// An Inet must not be destroyed while its own fetch runs.
class Inet {
public:
    Inet();
    ~Inet();
    Inet(const Inet&) = delete;
    Inet& operator=(const Inet&) = delete;

    // The reply body as text, or empty text when nothing usable arrived. A call made while
    // this instance is already fetching (from a nested event) returns empty at once.
    std::string OpenURL(const std::string& url);
    // The reply body as bytes, exactly as received, or nothing.
    std::vector<uint8_t> OpenURLBytes(const std::string& url);
    // Tells an empty reply from a failed fetch: true when the last OpenURL or OpenURLBytes
    // to return got no usable reply.
    bool LastFetchFailed() const { return lastFetchFailed_; }

    // Seconds for the whole request; 0 or less means 60 seconds, so that a fetch always ends.
    int32_t RequestTimeout() const { return requestTimeout_; }
    void setRequestTimeout(int32_t seconds) { requestTimeout_ = seconds; }

    bool StillExecuting() const;
    // Abandons the request in progress; the waiting fetch returns empty, without icError.
    void Cancel();

    // Raised on the user-interface thread while a request runs; 11 means it failed.
    std::function<void(int16_t state)> OnStateChanged;

    // Replies above this size count as failed fetches; kMaxReplyBytes unless set.
    void setMaxReplyBytes(int64_t bytes) { maxReplyBytes_ = bytes; }
    static constexpr int64_t kMaxReplyBytes = 8 * 1024 * 1024;

private:
    class Fetch;
    std::string fetch(const std::string& url);

    int32_t requestTimeout_ = 60;
    int64_t maxReplyBytes_ = kMaxReplyBytes;
    bool lastFetchFailed_ = false;
    Fetch* current_ = nullptr;  // the fetch in progress, on the stack of fetch()
};
