#pragma once
// What a child process has used so far, read from /proc.

#include <sys/types.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

// Processor time (user + system) in seconds.
inline double CpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), {});
    // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int number = 3; number <= 15 && rest >> field; ++number) {
        if (number == 14) utime = std::stoull(field);
        if (number == 15) stime = std::stoull(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}
