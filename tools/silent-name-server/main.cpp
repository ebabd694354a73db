// vesk-silent-name-server <program> [<argument>...]: runs the program where every host name
// that /etc/hosts does not hold waits on a name server that never answers, as behind a
// captive portal or a dead VPN. It needs root: it makes a mount and network namespace of
// its own, with only the loopback interface up, whose /etc/resolv.conf names 127.0.0.1 and
// whose hosts come from files and DNS alone. The program inherits the UDP socket bound to
// 127.0.0.1:53, which nothing reads: the queries wait in its queue, where a test sees them
// (/proc/<pid>/net/udp), and no traffic leaves the machine. Exits with 77 and says why on
// standard error when the namespace cannot be made.

#include <arpa/inet.h>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kCannotIsolate = 77;

[[noreturn]] void Fail(int code, const char* what) {
    std::fprintf(stderr, "vesk-silent-name-server: %s: %s\n", what, std::strerror(errno));
    std::exit(code);
}

void BringLoopbackUp() {
    const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (control < 0) Fail(kCannotIsolate, "socket");
    ifreq request = {};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    if (::ioctl(control, SIOCGIFFLAGS, &request) != 0) Fail(kCannotIsolate, "reading lo's flags");
    request.ifr_flags = short(request.ifr_flags | IFF_UP);
    if (::ioctl(control, SIOCSIFFLAGS, &request) != 0) Fail(kCannotIsolate, "bringing lo up");
    ::close(control);
}

// Lays a file holding text over path, seen in this mount namespace alone.
void Overlay(const char* path, const std::string& text) {
    char name[] = "/tmp/vesk-silent-name-server-XXXXXX";
    const int file = ::mkstemp(name);
    if (file < 0) Fail(kCannotIsolate, "mkstemp");
    const bool written = ::write(file, text.data(), text.size()) == ssize_t(text.size());
    ::close(file);
    if (!written) Fail(kCannotIsolate, name);
    const bool laid = ::mount(name, path, nullptr, MS_BIND, nullptr) == 0;
    ::unlink(name);  // the mount holds it
    if (!laid) Fail(kCannotIsolate, path);
}

// Left open across exec, so that the queries are taken and wait, never refused.
void BindSilentNameServer() {
    const int server = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (server < 0) Fail(kCannotIsolate, "socket");
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(53);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        Fail(kCannotIsolate, "binding 127.0.0.1:53");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vesk-silent-name-server <program> [<argument>...]\n");
        return 2;
    }
    if (::unshare(CLONE_NEWNS | CLONE_NEWNET) != 0) Fail(kCannotIsolate, "unshare");
    // The overlays must not reach the mount namespace this one was copied from.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        Fail(kCannotIsolate, "making the mounts private");
    BringLoopbackUp();
    Overlay("/etc/resolv.conf", "nameserver 127.0.0.1\n");
    Overlay("/etc/nsswitch.conf", "hosts: files dns\n");
    BindSilentNameServer();
    ::execvp(argv[1], argv + 1);
    Fail(127, argv[1]);
}
