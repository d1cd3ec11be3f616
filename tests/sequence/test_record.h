#pragma once
#include <vector>

#include "app/rimtrace_dlg.h"
#include "report_tool/report_model.h"

// The points of a test at one moment — its twelve arrays, then its free strokes — as its report
// must hold them.
using TestPoints = std::vector<std::vector<BoardPoint>>;
TestPoints PointsOf(const CRimtraceDlg& dlg);
TestPoints PointsOf(const ParsedReport& report);
