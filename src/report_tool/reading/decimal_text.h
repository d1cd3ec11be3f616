#pragma once
#include <string>

// A number with one decimal, as per cent and mean distances are shown: 46.4.
std::string OneDecimal(double value);
