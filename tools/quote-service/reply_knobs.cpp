#include "reply_knobs.h"

#include <algorithm>

ReplyKnobs KnobsFromQuery(const QueryWords& words) {
    ReplyKnobs knobs;
    knobs.latency_ms = std::clamp(words.Number("latency"), 0, kMaxLatencyMs);
    knobs.drop = words.Get("drop") == "1";
    knobs.empty = words.Get("empty") == "1";
    knobs.no_commas = words.Get("nocommas") == "1";
    const int status = words.Number("status");
    knobs.status = status >= 100 && status <= 599 ? status : 0;
    knobs.huge = words.Get("huge") == "1";
    knobs.trickle = words.Get("trickle") == "1";
    return knobs;
}

ReplyKnobs Combine(const ReplyKnobs& always, const ReplyKnobs& asked) {
    ReplyKnobs knobs;
    knobs.latency_ms = asked.latency_ms ? asked.latency_ms : always.latency_ms;
    knobs.drop = always.drop || asked.drop;
    knobs.empty = always.empty || asked.empty;
    knobs.no_commas = always.no_commas || asked.no_commas;
    knobs.status = asked.status ? asked.status : always.status;
    knobs.huge = always.huge || asked.huge;
    knobs.trickle = always.trickle || asked.trickle;
    return knobs;
}
