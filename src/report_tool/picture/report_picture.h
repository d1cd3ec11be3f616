#pragma once
#include <string>

#include "report_tool/grading/report_check.h"

// The picture of a report for a support engineer: a header with serial number, date, check
// result and each edge's verdict and coverage; per edge a panel with the trace across the edge
// magnified between its 50 and 300 bands, coloured by verdict, the second pass over it and the
// stretches no point covers; a small board overview with every stroke, the internal lines and
// the extra strokes.
std::string RenderReportSvg(const std::string& fileName, const CheckedReport& checked);
