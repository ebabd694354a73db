// vesk-registry-stress <settings folder> [<key name>]: rewrites every value of
// "Software\<key name>" (default "Stress") with the next round number, for ever, first
// finishing the round that an earlier run left half done. It prints "ready" once its first
// value is stored and "round N" once round N is stored whole. Whenever it is killed, the
// file must hold every value it stored: values 0 to k of one round and the rest of the
// round before. What the store tells of its problems goes to standard error, a line each.

#include <cstdio>
#include <string>

#include "platform/core/registry.h"

namespace {

constexpr int kValueCount = 50;

std::string ValueName(int index) { return "Value " + std::to_string(index); }

// Long enough that a kill often lands in the middle of writing the file.
std::string ValueText(long round) { return std::to_string(round) + ":" + std::string(150, 'x'); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vesk-registry-stress <settings folder> [<key name>]\n");
        return 2;
    }
    const std::string keyPath = std::string("Software\\") + (argc == 3 ? argv[2] : "Stress");
    Registry registry(argv[1]);
    const auto tell = [](const std::string& problem) { std::fprintf(stderr, "%s\n", problem.c_str()); };
    if (registry.LoadProblem()) tell(*registry.LoadProblem());
    registry.ReportProblemsTo(tell);
    HKEY key = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_ALL_ACCESS_LEGACY, key);
    char stored[256];
    uint32_t length = sizeof stored;
    long round = 1;
    if (registry.RegQueryValueExA(key, ValueName(0), nullptr, reinterpret_cast<uint8_t*>(stored),
                                  length) == ERROR_SUCCESS)
        round = std::stol(std::string(stored, length));
    bool announced = false;
    for (;; ++round) {
        for (int i = 0; i < kValueCount; ++i) {
            const std::string text = ValueText(round);
            registry.RegSetValueExA(key, ValueName(i), REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                                    static_cast<uint32_t>(text.size() + 1));
            if (!announced) {
                announced = true;
                std::puts("ready");
                std::fflush(stdout);
            }
        }
        std::printf("round %ld\n", round);
        std::fflush(stdout);
    }
}
