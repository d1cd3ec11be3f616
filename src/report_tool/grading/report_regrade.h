#pragma once
#include "report_tool/reading/findings.h"
#include "report_tool/reading/report_model.h"

// Grades the stored points again with the program's own analysis and reports every stored line
// that disagrees: each first-pass statistic and verdict against the statistics of that edge's
// points, and each step of a traced edge or line against the rule by which the program accepts a
// point (1 to 300 units onward along the direction of travel). Sections that could not be read
// whole are left to the problems the reader found in them.
void RegradeReport(const ParsedReport& report, Findings& findings);
