#pragma once
// Ways to make a reply misbehave, for trying the ticker against a poor service: set for every
// request from the command line, or for one request by query words.

#include "query_words.h"

inline constexpr int kMaxLatencyMs = 10 * 60 * 1000;

struct ReplyKnobs {
    int latency_ms = 0;      // wait this long before answering
    bool drop = false;       // close the connection without a reply
    bool empty = false;      // 200 with an empty body
    bool no_commas = false;  // the reply with its commas taken out
    int status = 0;          // answer with this status; 0 keeps the route's own
    bool huge = false;       // about 16 MiB of reply
    bool trickle = false;    // one byte every 100 ms until the client goes away
};

// latency=N, drop=1, empty=1, nocommas=1, status=N, huge=1, trickle=1.
ReplyKnobs KnobsFromQuery(const QueryWords& words);

// What either asks for; the query's latency and status win when it gives them.
ReplyKnobs Combine(const ReplyKnobs& always, const ReplyKnobs& asked);
