// libFuzzer target: any bytes through everything rimtrace-report does with a report. Besides
// surviving, a report the check passes must be exactly the bytes the program's writer makes of
// what was read: nothing the check accepts can differ from what the program writes. And a serial
// number, read in any code page, shows as text without a control character.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "report_tool/grading/report_check.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/picture/report_picture.h"
#include "report_tool/summary/summary_output.h"
#include "support/rewritten_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    const CheckedReport checked = CheckReport(source);

    std::ostringstream sink;
    const std::vector<SummaryRow> rows = {SummarizeReport("fuzz.pts", checked)};
    WriteSummaryCsv(sink, rows);
    WriteSummaryJson(sink, rows);
    sink << RenderReportHtml("fuzz.pts", checked, true);

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
