#pragma once
// The stand-in for the quote, chart, research and version hosts, on 127.0.0.1 only.

#include "quote_book.h"
#include "reply_knobs.h"

#include <httplib.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

inline constexpr int kDefaultPort = 8317;

struct ServiceOptions {
    int port = kDefaultPort;  // 0 picks a free port
    std::uint64_t seed = 1;
    std::string version_text = "4.1";  // the version file, served with a line break
    std::vector<std::string> unknown_symbols = {"ZZZZ"};
    ReplyKnobs knobs;  // applied to every request
    // Called on a worker thread with the request's path once its reply has been sent.
    std::function<void(const std::string& path)> on_reply;
};

// What a route answers, before the reply knobs have their say.
struct Reply {
    int status = 200;
    std::string content_type;
    std::string body;
    std::string location;
};

class QuoteService {
public:
    explicit QuoteService(ServiceOptions options);
    ~QuoteService();
    QuoteService(const QuoteService&) = delete;
    QuoteService& operator=(const QuoteService&) = delete;

    // Listens on a background thread; returns the bound port, or -1 when it cannot listen.
    int Start();
    // Ends the listener and every reply still running, slow ones included.
    void Stop();

private:
    using Route = std::function<Reply(const httplib::Request&, const QueryWords&)>;

    void AddRoutes();
    httplib::Server::Handler Answer(Route route);
    void Send(Reply reply, const ReplyKnobs& knobs, httplib::Response& response);
    Reply Chart(const std::string& symbol, ChartPeriod period) const;
    // Waits unless the service stops first; false when it stopped.
    bool Pause(std::chrono::milliseconds duration);
    bool Stopping();

    ServiceOptions options_;
    QuoteBook book_;
    std::unique_ptr<httplib::Server> server_;
    std::thread listener_;
    int port_ = -1;
    std::mutex stop_mutex_;
    std::condition_variable stop_signal_;
    bool stopping_ = false;
};
