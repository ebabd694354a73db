// vesk-quote-service: the local quote service for trying the ticker.

#include "command_line.h"
#include "service.h"

#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.wants_help || !line.error.empty()) {
        if (!line.error.empty()) std::fprintf(stderr, "vesk-quote-service: %s\n", line.error.c_str());
        std::fputs(kUsage, line.error.empty() ? stdout : stderr);
        return line.error.empty() ? 0 : 2;
    }

    // Blocked before any thread starts, so that only sigwait below receives them.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);

    QuoteService service(line.options);
    const int port = service.Start();
    if (port < 0) {
        std::fprintf(stderr, "vesk-quote-service: cannot listen on 127.0.0.1:%d\n", line.options.port);
        return 1;
    }
    std::printf("vesk-quote-service listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);

    int signal_number = 0;
    sigwait(&ending, &signal_number);
    service.Stop();
    return 0;
}
