#include "analysis/edge_verdict.h"

namespace {
std::uint32_t Spread(const EdgeStats& stats) {
    return stats.max - stats.min;
}
}  // namespace

EdgeVerdict ClassifyEdge(const EdgeStats& stats) {
    const std::uint32_t spread = Spread(stats);
    if (spread <= 50) {
        return EdgeVerdict::Passed;
    }
    if (spread <= 300) {
        return EdgeVerdict::Correctable;
    }
    return EdgeVerdict::NotCorrectable;
}

std::uint32_t SpreadInFifties(const EdgeStats& stats) {
    return Spread(stats) / 50;
}
