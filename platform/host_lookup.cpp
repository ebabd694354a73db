#include "platform/host_lookup.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>
#include <utility>

// What a lookup's thread and its waiter share. It lives until both have let go, so a
// thread that ends after its waiter, or after the program's end began, touches nothing
// freed; its eventfd closes only then, so the late write never reaches a reused number.
struct PendingLookup {
    explicit PendingLookup(std::string name)
        : host(std::move(name)), ended(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~PendingLookup() {
        if (ended >= 0) ::close(ended);
    }
    PendingLookup(const PendingLookup&) = delete;
    PendingLookup& operator=(const PendingLookup&) = delete;

    // Set by the thread: the addresses first, then done, then a count on the eventfd.
    void finish() {
        done.store(true, std::memory_order_release);
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = ::write(ended, &one, sizeof one);
    }

    const std::string host;
    const int ended;
    std::vector<std::string> addresses;  // the thread's until done
    std::atomic<bool> done = false;
};

namespace {

void Resolve(const std::shared_ptr<PendingLookup>& pending) {
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    if (::getaddrinfo(pending->host.c_str(), nullptr, &hints, &found) == 0) {
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            const void* address = nullptr;
            if (entry->ai_family == AF_INET)
                address = &reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr;
            else if (entry->ai_family == AF_INET6)
                address = &reinterpret_cast<const sockaddr_in6*>(entry->ai_addr)->sin6_addr;
            char text[INET6_ADDRSTRLEN];
            if (address && ::inet_ntop(entry->ai_family, address, text, sizeof text))
                pending->addresses.emplace_back(text);
        }
        ::freeaddrinfo(found);
    }
    pending->finish();
}

// The thread takes no signal, so that a quit signal still reaches the event loop's thread.
void StartThread(const std::shared_ptr<PendingLookup>& pending) {
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try {
        std::thread(Resolve, pending).detach();
    } catch (const std::system_error&) {
        pending->finish();  // no thread to be had: the host counts as unknown
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

// Lookups given up while they ran, on the event loop's thread alone. The next lookup of the
// same host takes one over instead of starting a thread, so that a resolver that hangs
// holds one thread per host however many fetches time out on it. The threads outlive any
// fetch and any runtime, so the list is the process's own.
std::vector<std::shared_ptr<PendingLookup>>& GivenUp() {
    static std::vector<std::shared_ptr<PendingLookup>> givenUp;
    return givenUp;
}

std::shared_ptr<PendingLookup> TakeOver(const std::string& host) {
    std::vector<std::shared_ptr<PendingLookup>>& givenUp = GivenUp();
    // What one of them found unwatched may be long out of date.
    std::erase_if(givenUp, [](const auto& pending) { return pending->done.load(); });
    const auto same = std::find_if(givenUp.begin(), givenUp.end(),
                                   [&](const auto& pending) { return pending->host == host; });
    if (same == givenUp.end()) return nullptr;
    std::shared_ptr<PendingLookup> pending = std::move(*same);
    givenUp.erase(same);
    return pending;
}

}  // namespace

HostLookup::HostLookup(const std::string& host, std::function<void()> arrived)
    : pending_(TakeOver(host)) {
    if (!pending_) {
        pending_ = std::make_shared<PendingLookup>(host);
        if (pending_->ended < 0) {
            pending_->done = true;  // no eventfd: the host counts as unknown
            return;
        }
        StartThread(pending_);
    }
    ended_ = std::make_unique<QSocketNotifier>(pending_->ended, QSocketNotifier::Read);
    QObject::connect(ended_.get(), &QSocketNotifier::activated, ended_.get(),
                     [this, arrived = std::move(arrived)] {
                         ended_->setEnabled(false);
                         arrived();
                     });
}

HostLookup::~HostLookup() {
    ended_.reset();
    if (!Ended()) GivenUp().push_back(std::move(pending_));
}

bool HostLookup::Ended() const { return pending_->done.load(std::memory_order_acquire); }

std::vector<std::string> HostLookup::TakeAddresses() {
    if (!Ended()) return {};
    return std::move(pending_->addresses);
}
