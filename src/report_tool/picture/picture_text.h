#pragma once
#include <string>
#include <vector>

#include "report_tool/picture/picture_layout.h"
#include "report_tool/reading/findings.h"
#include "report_tool/reading/report_model.h"

// The words of a report's picture and page.
std::string SerialTitle(const ParsedReport& report);
std::string WrittenLine(const ParsedReport& report, const std::string& fileName);
std::string CheckLine(const Findings& findings);
// A verdict of the points as a word, "not graded" when they could not all be read.
std::string GradeWord(std::optional<EdgeVerdict> verdict);
std::string OverallText(std::optional<EdgeVerdict> overall);
std::string ChipText(const EdgePicture& edge);
std::string EdgeName(Edge edge);  // "Left"
// The coordinate that runs along the edge ("y" for the left edge) and the one across it.
std::string AlongName(Edge edge);
std::string AcrossName(Edge edge);
std::string PanelTitle(const EdgePicture& edge, const ParsedReport& report);
// "the report says ..." where the report's verdict for the edge is not what its points say.
std::optional<std::string> ClaimText(const EdgePicture& edge);
std::string PanelDetails(const EdgePicture& edge, const ParsedReport& report);
std::string UntracedLabel(const EdgePicture& edge, const Stretch& stretch);
std::string InternalLegend(const ParsedReport& report);
std::string ExtraStrokeLegend(const ParsedReport& report);
std::vector<std::string> BandExplanation();
std::string OverviewTitle();
std::string WholeNumber(double value);
