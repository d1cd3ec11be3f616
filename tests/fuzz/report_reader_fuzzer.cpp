// libFuzzer target: any bytes through everything rimtrace-report does with a report. Besides
// surviving, a report the check passes must be exactly the bytes the program's writer makes of
// what was read: nothing the check accepts can differ from what the program writes. A serial
// number, read in any code page, shows as text without a control character. Every page made of it
// is well-formed XML (libxml2 reads it strictly), every file name made of what it says is one the
// site makes, and its row comes back from the site's manifest as it went in.
#include <libxml/parser.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "report_tool/grading/report_check.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/site/board_page.h"
#include "report_tool/site/index_page.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_manifest.h"
#include "report_tool/summary/summary_output.h"
#include "support/rewritten_report.h"

namespace {

void ExpectWellFormed(const std::string& page) {
    xmlDocPtr document =
        xmlReadMemory(page.data(), static_cast<int>(page.size()), "page.html", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
    if (document == nullptr) {
        __builtin_trap();
    }
    xmlFreeDoc(document);
}

void ExpectSiteName(const std::string& name) {
    if (!IsSiteFileName(name)) {
        __builtin_trap();
    }
}

// The site's view of the report, its file named by the same bytes.
void ThroughTheSite(std::string_view bytes, const CheckedReport& checked) {
    const SummaryRow row = SummarizeReport(std::string(bytes.substr(0, 300)), checked);
    ExpectWellFormed(RenderReportHtml(row.file, checked, true, {{"All reports", "../index.html"}}));
    ExpectWellFormed(
        RenderIndexPage({{&row, ReportPageName(row.file), BoardPageName(row.serialBytes)}}, {}));
    ExpectWellFormed(RenderBoardPage({&row, &row}));
    ExpectSiteName(BoardPageName(row.serialBytes));
    ExpectSiteName(ReportPageName(row.file));

    const std::string manifest =
        ManifestText({{{row.file, bytes.size(), 1, "d", row}}, {}, SerialReading({})});
    const auto back = ParseManifest(manifest);
    if (!back || back->reports.size() != 1 || ManifestText(*back) != manifest) {
        __builtin_trap();
    }
    // A manifest or journal edited by anyone names no file but the site's own.
    if (const auto edited = ParseManifest(bytes)) {
        for (const std::string& name : edited->files) {
            ExpectSiteName(name);
        }
    }
    for (const std::string& name : ParsePending(bytes)) {
        ExpectSiteName(name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    const CheckedReport checked = CheckReport(source);

    std::ostringstream sink;
    const std::vector<SummaryRow> rows = {SummarizeReport("fuzz.pts", checked)};
    WriteSummaryCsv(sink, rows);
    WriteSummaryJson(sink, rows);
    ThroughTheSite(bytes, checked);

    for (const unsigned codePage : {932U, 1258U, 65001U}) {
        const std::string shown = ShowText(checked.report.serialNumber, CodePage{codePage}).utf8;
        if (std::any_of(shown.begin(), shown.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            __builtin_trap();
        }
    }

    if (checked.findings.ok()) {
        std::string written = Rewritten(checked.report);
        if (written != bytes) {
            std::erase(written, '\r');  // read with a warning: LF line ends only
            if (written != bytes || checked.findings.warnings().empty()) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
