// The journal's lines (format in README.md). Lines carry no line ending.
#pragma once

#include <cstdint>
#include <string>

#include "tavlo_sim.h"

namespace tavlo_sim {

// "tavlo set board=1 setting=4 value=0x80000001"
std::string SettingWrittenLine(int board, int setting, std::uint32_t value);
// "tavlo orient board=2 top=3 bottom=5 left=4 right=4": points kept per edge.
std::string OrientReceivedLine(int board, const OrientPoints& points);

}  // namespace tavlo_sim
