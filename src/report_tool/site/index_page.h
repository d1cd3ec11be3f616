#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/reading/text_encoding.h"
#include "report_tool/summary/summary_row.h"

// The site's index: counts of reports, boards, reports with an edge not correctable and reports
// failing the check; which code page serial numbers were read in (`serialCodePage`, none for
// UTF-8 or else cp1252); filters (shown by the script); a table of every report in the order
// given, with each edge's verdict graded again from its points and the report's own claim where it
// differs, the overall verdict, the check and the serial's code page, its serial number linking to
// the board's page and its date to the report's page.
struct IndexRow {
    const SummaryRow* report;
    std::string_view reportPage;  // the names of the pages it links to (see page_names.h)
    std::string_view boardPage;
};
std::string RenderIndexPage(const std::vector<IndexRow>& newestFirst,
                            const std::optional<CodePage>& serialCodePage);
