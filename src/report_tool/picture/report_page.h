#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/edge_stats.h"
#include "report_tool/grading/report_check.h"

// A link at the top of the page, to the pages around it (the site's index, the board's history).
struct PageLink {
    std::string text;  // UTF-8
    std::string href;  // a relative URL the caller made safe (the site's own page names)
};

// One self-contained, well-formed (XML-compatible) HTML page: the picture, a table of the
// statistics and the check's findings; with `debug`, also a table of where each section was found
// in the file.
std::string RenderReportHtml(const std::string& fileName, const CheckedReport& checked,
                             bool debug = false, const std::vector<PageLink>& links = {});

// The page's style, which pages made with it share: fonts, tables, and each verdict's colour on
// the class VerdictClass names ("passed", "correctable", "not"; "" for none).
std::string PageStyle();
std::string_view VerdictClass(std::optional<EdgeVerdict> verdict);
