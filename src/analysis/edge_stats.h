#pragma once
#include <cstdint>

#include "trace/edge.h"

// Per-edge result record: seven 32-bit words. A first-pass record uses all of them; a
// second-pass comparison sets only count, max and avg.
struct EdgeStats {
    std::uint32_t count = 0;
    std::uint32_t min = 0;
    std::uint32_t max = 0;
    float avg = 0.0f;
    std::uint32_t minGap = 0;
    std::uint32_t maxGap = 0;
    float avgGap = 0.0f;
};
static_assert(sizeof(EdgeStats) == 28, "EdgeStats is seven 32-bit words");

enum class EdgeVerdict { Passed, Correctable, NotCorrectable };
