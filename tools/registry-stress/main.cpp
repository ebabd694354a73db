// vesk-registry-stress <settings folder>: rewrites every value of "Software\Stress" with the
// next round number, then flushes, for ever. Every file it leaves must hold one round only.

#include <cstdio>
#include <string>

#include "platform/registry.h"

namespace {

constexpr int kValueCount = 300;

std::string ValueName(int index) { return "Value " + std::to_string(index); }

// Long enough that a kill often lands in the middle of writing the file.
std::string ValueText(long round) { return std::to_string(round) + ":" + std::string(150, 'x'); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-registry-stress <settings folder>\n");
        return 2;
    }
    Registry registry(argv[1]);
    HKEY key = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Stress", 0, KEY_ALL_ACCESS_LEGACY, key);
    char stored[256];
    uint32_t length = sizeof stored;
    long round = 0;
    if (registry.RegQueryValueExA(key, ValueName(0), nullptr, reinterpret_cast<uint8_t*>(stored),
                                  length) == ERROR_SUCCESS)
        round = std::stol(std::string(stored, length));
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        ++round;
        for (int i = 0; i < kValueCount; ++i) {
            const std::string text = ValueText(round);
            registry.RegSetValueExA(key, ValueName(i), REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                                    static_cast<uint32_t>(text.size() + 1));
        }
        registry.Flush();
    }
}
