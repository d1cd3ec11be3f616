#pragma once
#include <string>
#include <string_view>

#include "framework/local_date_time.h"

// The report file name proposed to the user: LMEdgeReport_dd-mm-yyyy_h.mm.ss.pts in the
// directory of the program's executable (everything before the last backslash of `exePath`, the
// whole of it when it has none).
std::wstring DefaultReportName(std::wstring_view exePath, const LocalDateTime& time);
