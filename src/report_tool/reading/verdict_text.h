#pragma once
#include <string>

#include "analysis/edge_stats.h"

// The verdict as its report line ("# passed") and as a word ("passed").
std::string VerdictLine(EdgeVerdict verdict);
std::string VerdictWord(EdgeVerdict verdict);
