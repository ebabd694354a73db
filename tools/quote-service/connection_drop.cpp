#include "connection_drop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

int PortOf(const sockaddr_in& address) { return ntohs(address.sin_port); }

bool IsConnection(int fd, const httplib::Request& request) {
    sockaddr_in local{}, peer{};
    socklen_t local_size = sizeof local, peer_size = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_size) != 0) return false;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) != 0) return false;
    return local.sin_family == AF_INET && peer.sin_family == AF_INET &&
           PortOf(local) == request.local_port && PortOf(peer) == request.remote_port;
}

}  // namespace

// The handler is given no socket, but the two ports name the connection among our open files.
bool DropConnection(const httplib::Request& request) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        int fd = -1;
        if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc()) continue;
        if (IsConnection(fd, request)) return shutdown(fd, SHUT_RDWR) == 0;
    }
    return false;
}
