#pragma once
// One HTTP/1.1 exchange over a non-blocking TCP socket: it connects, sends a request and
// frames the reply. It never blocks and knows no event loop: its owner watches fd() and
// calls Advance whenever the socket is ready.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class HttpConnection {
public:
    enum class State { Connecting, Sending, ReceivingHead, ReceivingBody, Complete, Failed };

    // Response heads (interim replies included) and a chunked body's trailers together above
    // this size are refused, so that an endless header or trailer ends the fetch.
    static constexpr size_t kMaxHeadBytes = 64 * 1024;

    // Starts connecting to a numeric IPv4 or IPv6 address; Failed at once when it cannot.
    // A body above maxBodyBytes fails as soon as that is known.
    HttpConnection(const std::string& address, uint16_t port, std::string request,
                   int64_t maxBodyBytes);
    ~HttpConnection();  // closes the socket
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    int fd() const { return fd_; }
    State state() const { return state_; }
    bool WantsWrite() const { return state_ == State::Connecting || state_ == State::Sending; }
    // Does what the socket allows without blocking.
    void Advance();

    // Known once the head has arrived (ReceivingBody or Complete).
    int Status() const { return status_; }
    // Where a redirect (301, 302, 303, 307, 308) sends; empty for any other reply. A
    // redirect with a Location completes at its head: its body is not read.
    const std::string& Location() const { return location_; }
    std::string TakeBody() { return std::move(body_); }

private:
    enum class Framing { None, Length, Chunked, Close };
    enum class Chunk { Size, Data, End, Trailers };

    void connected();
    void send();
    void receive();
    void feed(const char* data, size_t size);
    bool parseHead(std::string_view head);
    void feedBody(const char* data, size_t size);
    void feedChunked();
    // The next line of pending_ from at, without its blanks and line end, once it is whole;
    // a line longer than cap bytes, its line end included, fails the exchange.
    std::optional<std::string_view> takeLine(size_t& at, size_t cap);
    void append(const char* data, size_t size);
    void finish(State state);

    int fd_ = -1;
    State state_ = State::Connecting;
    std::string request_;
    size_t sent_ = 0;
    int64_t maxBodyBytes_;

    std::string head_;
    size_t headStart_ = 0;  // where the reply's own head begins, after any interim replies
    int status_ = 0;
    std::string location_;
    Framing framing_ = Framing::Close;
    int64_t length_ = 0;

    Chunk chunk_ = Chunk::Size;
    size_t trailerRoom_ = 0;  // of kMaxHeadBytes, what the heads left for the trailers
    std::string pending_;  // chunked bytes not yet framed
    int64_t chunkLeft_ = 0;

    std::string body_;
};
