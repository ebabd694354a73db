#pragma once
// The service's flags: --port N, --seed N, --version-text T, --symbols-unknown A,B and the
// reply knobs --latency-ms N, --drop, --empty, --no-commas, --status N, --huge, --trickle.

#include "service.h"

#include <string>
#include <vector>

struct CommandLine {
    ServiceOptions options;
    bool wants_help = false;
    std::string error;  // empty when the flags made sense
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const char kUsage[];
