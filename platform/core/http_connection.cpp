#include "platform/core/http_connection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/core/ascii_case.h"
#include "platform/core/text_trim.h"

namespace {

constexpr size_t kReadBytes = 64 * 1024;
constexpr size_t kMaxChunkLineBytes = 1024;

// A whole decimal or hexadecimal number, nothing else around it; nullopt when malformed or
// too large for a length.
std::optional<int64_t> parseNumber(std::string_view text, int base) {
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > uint64_t(INT64_MAX))
        return std::nullopt;
    return int64_t(value);
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The line of text at at, without its "\n" (a "\r" before it stays); at moves past it.
std::string_view lineAt(std::string_view text, size_t& at) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    return line;
}

// Where the head ends (after its empty line), or npos; a bare LF ends lines too. The search
// starts at from, so that a head arriving in small pieces is not scanned again and again.
size_t headEnd(const std::string& head, size_t from) {
    for (size_t at = head.find('\n', from); at != std::string::npos; at = head.find('\n', at + 1)) {
        if (at + 1 < head.size() && head[at + 1] == '\n') return at + 2;
        if (at + 2 < head.size() && head[at + 1] == '\r' && head[at + 2] == '\n') return at + 3;
    }
    return std::string::npos;
}

bool fillAddress(const std::string& address, uint16_t port, sockaddr_storage& storage,
                 socklen_t& length) {
    storage = {};
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    if (::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        length = sizeof(sockaddr_in);
        return true;
    }
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
        return true;
    }
    return false;
}

}  // namespace

HttpConnection::HttpConnection(const std::string& address, uint16_t port, std::string request,
                               int64_t maxBodyBytes)
    : request_(std::move(request)), maxBodyBytes_(maxBodyBytes) {
    sockaddr_storage storage;
    socklen_t length = 0;
    if (!fillAddress(address, port, storage, length)) {
        state_ = State::Failed;
        return;
    }
    fd_ = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        state_ = State::Failed;
        return;
    }
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&storage), length) == 0)
        state_ = State::Sending;
    else if (errno != EINPROGRESS)
        finish(State::Failed);
}

HttpConnection::~HttpConnection() {
    if (fd_ >= 0) ::close(fd_);
}

void HttpConnection::Advance() {
    if (state_ == State::Connecting) connected();
    if (state_ == State::Sending) send();
    if (state_ == State::ReceivingHead || state_ == State::ReceivingBody) receive();
}

void HttpConnection::connected() {
    int error = 0;
    socklen_t size = sizeof(error);
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
    if (error == 0)
        state_ = State::Sending;
    else if (error != EINPROGRESS && error != EALREADY)
        finish(State::Failed);
}

void HttpConnection::send() {
    while (sent_ < request_.size()) {
        const ssize_t n = ::send(fd_, request_.data() + sent_, request_.size() - sent_, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) finish(State::Failed);
            return;
        }
        sent_ += size_t(n);
    }
    state_ = State::ReceivingHead;
}

// One read per call, so that a flood cannot keep the user interface from its other events.
void HttpConnection::receive() {
    std::array<char, kReadBytes> buffer;
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (n > 0) {
        feed(buffer.data(), size_t(n));
    } else if (n == 0) {
        // An orderly close ends only a body that is delimited by it.
        finish(state_ == State::ReceivingBody && framing_ == Framing::Close ? State::Complete
                                                                            : State::Failed);
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        finish(State::Failed);  // a reset is never the end of a reply
    }
}

void HttpConnection::feed(const char* data, size_t size) {
    if (state_ == State::ReceivingBody) {
        feedBody(data, size);
        return;
    }
    // "\n\r\n" may straddle two reads.
    size_t from = std::max(headStart_, head_.size() < 3 ? 0 : head_.size() - 3);
    head_.append(data, size);
    // Interim replies stay in head_, so that the head limit holds for all of them together
    // and none is copied.
    for (;; from = headStart_) {
        const size_t end = headEnd(head_, from);
        if (end == std::string::npos || end > kMaxHeadBytes) {
            if (head_.size() > kMaxHeadBytes || end != std::string::npos) finish(State::Failed);
            return;
        }
        if (!parseHead(std::string_view(head_).substr(headStart_, end - headStart_))) {
            finish(State::Failed);
            return;
        }
        headStart_ = end;
        if (status_ >= 200) {
            state_ = State::ReceivingBody;
            trailerRoom_ = kMaxHeadBytes - end;
            if (framing_ == Framing::None || (framing_ == Framing::Length && length_ == 0))
                finish(State::Complete);
            else if (end < head_.size())
                feedBody(head_.data() + end, head_.size() - end);
            return;
        }
    }
}

bool HttpConnection::parseHead(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;  // HTTP allows no NUL in a head
    size_t at = 0;
    const std::string_view statusLine = Trimmed(lineAt(text, at));
    // "HTTP/1.1 200 OK": the code is the three digits after the first space.
    if (!statusLine.starts_with("HTTP/") || statusLine.size() < 12 || statusLine[8] != ' ')
        return false;
    const std::optional<int64_t> status = parseNumber(statusLine.substr(9, 3), 10);
    if (!status || (statusLine.size() > 12 && statusLine[12] != ' ')) return false;
    status_ = int(*status);
    // The request asks for no upgrade, so another protocol could not be read.
    if (status_ == 101) return false;

    std::optional<int64_t> length;
    bool encoded = false;
    int codings = 0;  // transfer codings named, the last one chunked or not
    bool chunkedLast = false;
    std::optional<std::string> location;
    // The head ends with its empty line, so a line always follows a field line.
    for (std::string_view line = lineAt(text, at); !line.empty() && line != "\r";
         line = lineAt(text, at)) {
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) return false;
        const std::string_view name = line.substr(0, colon);
        std::string folded(Trimmed(line.substr(colon + 1)));
        // A line that starts with a blank continues the value, folded as older servers do.
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            folded.append(" ").append(Trimmed(lineAt(text, at)));
        const std::string_view value = Trimmed(folded);
        if (EqualsIgnoringAsciiCase(name, "Content-Length")) {
            const std::optional<int64_t> parsed = parseNumber(value, 10);
            if (!parsed || (length && *length != *parsed)) return false;
            length = parsed;
        } else if (EqualsIgnoringAsciiCase(name, "Transfer-Encoding")) {
            encoded = true;
            for (size_t from = 0; from <= value.size();) {
                const size_t comma = std::min(value.find(',', from), value.size());
                const std::string_view coding = Trimmed(value.substr(from, comma - from));
                from = comma + 1;
                if (coding.empty()) continue;
                ++codings;
                chunkedLast = EqualsIgnoringAsciiCase(coding, "chunked");
            }
        } else if (EqualsIgnoringAsciiCase(name, "Location") && isRedirect(status_)) {
            if (location && *location != value) return false;
            location = std::string(value);
        }
    }
    location_ = location.value_or("");

    // A redirect's body is never read, whatever it declares.
    if (status_ < 200 || status_ == 204 || status_ == 304 || !location_.empty()) {
        framing_ = Framing::None;
    } else if (encoded) {
        // The request asks for no coding, so a body in any other than chunked cannot be used.
        if (codings != 1 || !chunkedLast) return false;
        framing_ = Framing::Chunked;
    } else if (length) {
        if (*length > maxBodyBytes_) return false;
        framing_ = Framing::Length;
        length_ = *length;
    } else {
        framing_ = Framing::Close;
    }
    return true;
}

void HttpConnection::feedBody(const char* data, size_t size) {
    switch (framing_) {
    case Framing::None:
        return;
    case Framing::Length: {
        const size_t wanted = std::min(size, size_t(length_ - int64_t(body_.size())));
        append(data, wanted);
        if (state_ != State::Failed && int64_t(body_.size()) == length_) finish(State::Complete);
        return;
    }
    case Framing::Close:
        append(data, size);
        return;
    case Framing::Chunked:
        pending_.append(data, size);
        feedChunked();
        return;
    }
}

void HttpConnection::feedChunked() {
    size_t at = 0;
    while (state_ == State::ReceivingBody) {
        if (chunk_ == Chunk::Data) {
            const size_t take = std::min(size_t(chunkLeft_), pending_.size() - at);
            if (take == 0) break;
            append(pending_.data() + at, take);
            at += take;
            chunkLeft_ -= int64_t(take);
            if (chunkLeft_ == 0) chunk_ = Chunk::End;
            continue;
        }
        const size_t start = at;
        const std::optional<std::string_view> line =
            takeLine(at, chunk_ == Chunk::Trailers ? trailerRoom_ : kMaxChunkLineBytes);
        if (!line) break;
        if (chunk_ == Chunk::End) {
            if (!line->empty()) finish(State::Failed);
            chunk_ = Chunk::Size;
        } else if (chunk_ == Chunk::Size) {
            const std::optional<int64_t> size =
                parseNumber(Trimmed(line->substr(0, line->find(';'))), 16);
            if (!size || *size > maxBodyBytes_ - int64_t(body_.size()))
                finish(State::Failed);
            else if (*size == 0)
                chunk_ = Chunk::Trailers;
            else {
                chunkLeft_ = *size;
                chunk_ = Chunk::Data;
            }
        } else if (line->empty()) {  // the empty line after the trailers
            finish(State::Complete);
        } else {  // a trailer: not used, but counted with the heads
            trailerRoom_ -= at - start;
        }
    }
    pending_.erase(0, at);
}

// The line's cap holds whether it arrives whole in one read or in pieces, and fails the
// exchange as soon as pending_ shows the line is longer.
std::optional<std::string_view> HttpConnection::takeLine(size_t& at, size_t cap) {
    const std::string_view rest = std::string_view(pending_).substr(at);
    const size_t end = rest.substr(0, cap).find('\n');
    if (end == std::string_view::npos) {
        if (rest.size() >= cap) finish(State::Failed);
        return std::nullopt;
    }
    at += end + 1;
    return Trimmed(rest.substr(0, end));
}

void HttpConnection::append(const char* data, size_t size) {
    if (int64_t(body_.size() + size) > maxBodyBytes_) {
        finish(State::Failed);
        return;
    }
    body_.append(data, size);
}

// The socket closes as soon as the exchange is over, so that a flood stops at once.
void HttpConnection::finish(State state) {
    state_ = state;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}
