#pragma once
// A host name looked up by the system's resolver (getaddrinfo: /etc/hosts, DNS and whatever
// else the system's name service adds) without waiting for it. The resolver cannot be
// interrupted and may hang for as long as its own time-outs say, so it runs on a thread
// nothing joins: a lookup can be given up at any moment, the program's end included.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
struct PendingLookup;

class HostLookup {
public:
    // Starts looking host up; arrived is called from this thread's event loop once the
    // lookup has ended, unless it has been destroyed first. A lookup that cannot start
    // (no descriptor left) has Ended at once, and arrived never comes.
    HostLookup(const std::string& host, std::function<void()> arrived);
    // Gives up a lookup still under way; its thread ends by itself, touching nothing freed.
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    bool Ended() const;
    // The host's numeric addresses in the resolver's order, once Ended; none for a host
    // that is not known.
    std::vector<std::string> TakeAddresses();

private:
    std::shared_ptr<PendingLookup> pending_;  // shared with the thread that looks it up
    std::unique_ptr<QSocketNotifier> ended_;
};
