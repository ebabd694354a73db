#include "service.h"

#include <netinet/in.h>
#include <netinet/tcp.h>

#include "chart_drawing.h"
#include "connection_drop.h"

#include <sys/socket.h>

#include <algorithm>
#include <charconv>
#include <ctime>

namespace {

constexpr char kHost[] = "127.0.0.1";
constexpr std::size_t kNoChartLength = 150;
constexpr std::size_t kHugeLength = 16u << 20;
constexpr std::size_t kHugeChunk = 64u << 10;
constexpr auto kTrickleGap = std::chrono::milliseconds(100);
constexpr std::size_t kTrickleBytes = 10 * 60 * 10;  // ten minutes of bytes
constexpr int kMaxRedirects = 100;
constexpr std::size_t kWorkerThreads = 32;
constexpr auto kStartWait = std::chrono::seconds(5);

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string Page(std::string_view title, std::string_view subject) {
    const std::string name = HtmlEscaped(subject);
    return "<html><head><title>" + std::string(title) + ": " + name + "</title></head><body><h1>" +
           name + "</h1><p>" + std::string(title) + "</p></body></html>\r\n";
}

// The ticker takes a reply of exactly this length to mean that there is no chart.
std::string NoChartPage() {
    std::string page = "<html><body>No chart is available for this symbol.</body></html>";
    page.resize(kNoChartLength, ' ');
    return page;
}

Reply TextReply(std::string body) { return {200, "text/plain", std::move(body), {}}; }
Reply PageReply(std::string_view title, std::string_view subject) {
    return {200, "text/html", Page(title, subject), {}};
}
Reply StatusReply(int status) { return {status, "text/plain", {}, {}}; }

// A request target may hold one '?'; the decoded target may hold more, and spaces.
std::string LocationOf(std::string_view target) {
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos) return PercentEncode(target, "?#");
    return PercentEncode(target.substr(0, mark), "?#") + "?" +
           PercentEncode(target.substr(mark + 1), "?#");
}

// Later hops carry the target in their path, "/redirect/<hops left><target>", so that the
// target's query stays the request's own query.
constexpr std::string_view kHopPrefix = "/redirect/";

void SendRedirect(int hops, const std::string& target, httplib::Response& response) {
    // Only paths of this service: a redirect never leads to another host.
    if (!target.starts_with('/') || target.starts_with("//")) {
        response.status = 400;
        return;
    }
    response.status = 302;
    response.set_header("Location",
                        hops > 1 ? std::string(kHopPrefix) + std::to_string(hops - 1) + target : target);
}

std::string ResearchTitle(const std::string& section) {
    if (section == "n") return "News";
    if (section == "p") return "Company Profile";
    if (section == "e/l") return "SEC Filings";
    if (section == "z/a") return "Research";
    return "Insider Trading";
}

// SO_REUSEADDR alone: the library's default also shares the port with a second listener.
// Accepted connections inherit these. Without TCP_NODELAY a reply's body, written apart
// from its headers, waits on a reused connection for the client's delayed acknowledgement.
void ListenerSocketOptions(socket_t socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
}

}  // namespace

QuoteService::QuoteService(ServiceOptions options)
    : options_(std::move(options)), book_(options_.seed, options_.unknown_symbols) {}

QuoteService::~QuoteService() { Stop(); }

int QuoteService::Start() {
    if (server_) return port_;
    {
        std::lock_guard lock(stop_mutex_);
        stopping_ = false;
    }
    server_ = std::make_unique<httplib::Server>();
    server_->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server_->set_socket_options(ListenerSocketOptions);
    server_->set_keep_alive_timeout(1);
    // The library logs a request after its reply is written.
    if (options_.on_reply)
        server_->set_logger([on_reply = options_.on_reply](const httplib::Request& request,
                                                            const httplib::Response&) {
            on_reply(request.path);
        });
    AddRoutes();

    if (options_.port == 0)
        port_ = server_->bind_to_any_port(kHost);
    else
        port_ = server_->bind_to_port(kHost, options_.port) ? options_.port : -1;
    if (port_ <= 0) {
        server_.reset();
        return port_ = -1;
    }
    listener_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
    // stop() does nothing until the accept loop runs, so Stop() must not come before it.
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    while (!server_->is_running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port_;
}

void QuoteService::Stop() {
    {
        std::lock_guard lock(stop_mutex_);
        stopping_ = true;
    }
    stop_signal_.notify_all();
    if (server_) server_->stop();
    if (listener_.joinable()) listener_.join();
    server_.reset();
    port_ = -1;
}

bool QuoteService::Pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(stop_mutex_);
    return !stop_signal_.wait_for(lock, duration, [this] { return stopping_; });
}

bool QuoteService::Stopping() {
    std::lock_guard lock(stop_mutex_);
    return stopping_;
}

void QuoteService::AddRoutes() {
    httplib::Server& server = *server_;
    server.Get("/d/quotes.csv", Answer([this](const httplib::Request&, const QueryWords& words) {
                   return TextReply(book_.NextQuoteLine(words.Get("s"), std::time(nullptr)));
               }));
    server.Get("/t", Answer([this](const httplib::Request&, const QueryWords& words) {
                   return Chart(words.Get("s"), ChartPeriod::kOneDay);
               }));
    server.Get("/v", Answer([this](const httplib::Request&, const QueryWords& words) {
                   return Chart(words.Get("s"), ChartPeriod::kFiveDays);
               }));
    server.Get(R"(/c/0b/[^/]+/([^/]+)\.gif)",
               Answer([this](const httplib::Request& request, const QueryWords&) {
                   return Chart(request.matches[1], ChartPeriod::kOneYear);
               }));
    server.Get("/currentversion.txt", Answer([this](const httplib::Request&, const QueryWords&) {
                   return TextReply(options_.version_text + "\r\n");
               }));
    server.Get(R"(/(n|p|e/l|z/a|t)/[^/]+/([^/]+)\.html)",
               Answer([](const httplib::Request& request, const QueryWords&) {
                   return PageReply(ResearchTitle(request.matches[1]), request.matches[2].str());
               }));
    server.Get("/q", Answer([](const httplib::Request&, const QueryWords& words) {
                   return PageReply("Chart " + words.Get("d"), words.Get("s"));
               }));
    server.Get("/", Answer([](const httplib::Request&, const QueryWords& words) {
                   if (!words.Has("board")) return StatusReply(404);
                   return PageReply("Message Board", words.Get("board"));
               }));
    server.Get("/l", Answer([](const httplib::Request&, const QueryWords& words) {
                   std::string search = words.Get("s");
                   std::replace(search.begin(), search.end(), '+', ' ');
                   return PageReply("Symbol Lookup", search);
               }));
    // Redirects answer plainly: a target's query words are for the target, not for the hops.
    server.Get("/redirect", [](const httplib::Request& request, httplib::Response& response) {
        const QueryWords words(request.target);
        SendRedirect(std::clamp(words.Number("n"), 1, kMaxRedirects), LocationOf(words.Get("to")),
                     response);
    });
    server.Get(R"(/redirect/\d+/.*)", [](const httplib::Request& request, httplib::Response& response) {
        const std::string_view rest = std::string_view(request.target).substr(kHopPrefix.size());
        int hops = 0;
        const auto [target, error] = std::from_chars(rest.data(), rest.data() + rest.size(), hops);
        if (error != std::errc()) hops = kMaxRedirects;
        SendRedirect(std::clamp(hops, 1, kMaxRedirects), std::string(target, rest.data() + rest.size()),
                     response);
    });
}

Reply QuoteService::Chart(const std::string& symbol, ChartPeriod period) const {
    const std::vector<double> prices = book_.ChartSeries(symbol, period);
    if (prices.empty()) return {200, "text/html", NoChartPage(), {}};
    return {200, "image/gif", EncodeGif(DrawPriceChart(prices)), {}};
}

httplib::Server::Handler QuoteService::Answer(Route route) {
    return
        [this, route = std::move(route)](const httplib::Request& request, httplib::Response& response) {
            const QueryWords words(request.target);
            const ReplyKnobs knobs = Combine(options_.knobs, KnobsFromQuery(words));
            if (knobs.latency_ms > 0 && !Pause(std::chrono::milliseconds(knobs.latency_ms))) return;
            if (knobs.drop) {
                if (!DropConnection(request)) response.status = 500;
                return;
            }
            Send(route(request, words), knobs, response);
        };
}

void QuoteService::Send(Reply reply, const ReplyKnobs& knobs, httplib::Response& response) {
    if (knobs.empty) reply.body.clear();
    if (knobs.no_commas) std::replace(reply.body.begin(), reply.body.end(), ',', ' ');
    response.status = knobs.status ? knobs.status : reply.status;
    if (!reply.location.empty()) response.set_header("Location", reply.location);

    if (knobs.trickle) {
        // The reply's own bytes first, then spaces, one byte at a time.
        response.set_chunked_content_provider(
            reply.content_type,
            [this, body = std::move(reply.body)](std::size_t offset, httplib::DataSink& sink) {
                if (offset >= kTrickleBytes) {
                    sink.done();
                    return true;
                }
                const char byte = offset < body.size() ? body[offset] : ' ';
                return sink.write(&byte, 1) && Pause(kTrickleGap);
            });
    } else if (knobs.huge) {
        // The reply over and over, to the full length.
        const std::string pattern = reply.body.empty() ? std::string(" ") : reply.body;
        response.set_content_provider(
            kHugeLength, reply.content_type,
            [this, pattern](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                std::string chunk(std::min(length, kHugeChunk), ' ');
                for (std::size_t i = 0; i < chunk.size(); ++i)
                    chunk[i] = pattern[(offset + i) % pattern.size()];
                return !Stopping() && sink.write(chunk.data(), chunk.size());
            });
    } else {
        response.set_content(reply.body, reply.content_type);
    }
}
