#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "report_tool/reading/text_encoding.h"

// The commands of rimtrace-report. Each returns the program's exit code: 0 when every
// report is valid and consistent (and any output was written), 1 when anything is wrong with a
// report or an output file could not be written, 2 for a usage error.
namespace exit_code {
inline constexpr int kOk = 0;
inline constexpr int kProblems = 1;
inline constexpr int kUsage = 2;
}  // namespace exit_code

// Every command reads serial numbers in `serialCodePage` (see ShowText).

// For every report (folders searched for .pts): one line per problem, "FILE:LINE: expected ...,
// found ...", warnings as "FILE: warning: ...", then "FILE: ok" or "FILE: N problems". Warnings
// alone do not fail a file.
int RunCheck(const std::vector<std::string>& names, const std::optional<CodePage>& serialCodePage,
             std::ostream& out);

struct ShowOptions {
    std::optional<CodePage> serialCodePage;
    bool debug = false;  // the page also lists where each section was found in the file
};

// The picture of one report, as SVG or (for .html / .htm) a page with the picture and tables.
int RunShow(const std::string& name, const std::string& output, const ShowOptions& options,
            std::ostream& err);

// One row per report, sorted by serial number and date; CSV, or JSON with `json`. An empty
// `output` writes to `out`.
int RunSummary(const std::vector<std::string>& names, const std::string& output, bool json,
               const std::optional<CodePage>& serialCodePage, std::ostream& out, std::ostream& err);

// The site of the reports in `folder`: an index, a page per board and per report; made anew or
// brought up to date (see site/site_build.h). Says what it did on `out`.
int RunSite(const std::vector<std::string>& names, const std::string& folder,
            const std::optional<CodePage>& serialCodePage, std::ostream& out, std::ostream& err);

// The whole command line, arguments without the program's name.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
