#include "analysis/edge_verdict.h"
#include "rules/board_rules.h"

namespace {
std::uint32_t Spread(const EdgeStats& stats) {
    return stats.max - stats.min;
}
}  // namespace

EdgeVerdict ClassifyEdge(const EdgeStats& stats) {
    const std::uint32_t spread = Spread(stats);
    if (spread <= rules::kPassedSpread) {
        return EdgeVerdict::Passed;
    }
    if (spread <= rules::kCorrectableSpread) {
        return EdgeVerdict::Correctable;
    }
    return EdgeVerdict::NotCorrectable;
}

std::uint32_t SpreadInFifties(const EdgeStats& stats) {
    return Spread(stats) / rules::kResultStep;
}
