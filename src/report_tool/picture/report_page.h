#pragma once
#include <string>

#include "report_tool/grading/report_check.h"

// One self-contained HTML page: the picture, a table of the statistics and the check's findings;
// with `debug`, also a table of where each section was found in the file.
std::string RenderReportHtml(const std::string& fileName, const CheckedReport& checked,
                             bool debug = false);
