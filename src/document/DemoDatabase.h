#pragma once
#include <cstdint>
#include <vector>

struct DemoOptions {
    int tv = 1200;
    int radio = 300;
};

// A realistic, deterministic sample database as file bytes: a handful of
// satellites, about a hundred transponders, channels whose chains are
// scattered over the table's slots as on a receiver that has scanned often,
// favourite groups with factory and own names, and a few timers.
std::vector<uint8_t> BuildDemoDatabase(const DemoOptions& options = {});
