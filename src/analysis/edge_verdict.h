#pragma once
#include "analysis/edge_stats.h"

// The verdict of a first-pass edge from the spread max - min, taken in unsigned 32-bit
// arithmetic: an edge with no points keeps min 4096 and max 0, wraps to a huge spread and so is
// not correctable.
EdgeVerdict ClassifyEdge(const EdgeStats& stats);

// The number shown for an edge in the first-pass result line: the spread in steps of 50.
std::uint32_t SpreadInFifties(const EdgeStats& stats);
