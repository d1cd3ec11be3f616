#include "report_tool/commands.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "report_tool/grading/report_check.h"
#include "report_tool/parallel_map.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/picture/report_picture.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/text_encoding.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/report_files.h"
#include "report_tool/site/site_build.h"
#include "report_tool/summary/summary_output.h"

namespace {

std::string Where(const std::string& file, std::int64_t line) {
    return line > 0 ? file + ":" + std::to_string(line) + ": " : file + ": ";
}

void PrintFindings(const std::string& file, const Findings& findings, std::ostream& out) {
    for (const Finding& f : findings.problems()) {
        out << Where(file, f.line) << f.text << "\n";
    }
    for (const Finding& f : findings.warnings()) {
        out << Where(file, f.line) << "warning: " << f.text << "\n";
    }
    std::string verdict = findings.ok() ? "ok" : Counted(findings.problemCount(), "problem");
    if (findings.problemCount() > findings.problems().size()) {
        verdict += " (the first " + std::to_string(findings.problems().size()) + " listed)";
    }
    if (!findings.warnings().empty()) {
        verdict += ", " + Counted(findings.warnings().size(), "warning");
    }
    out << file << ": " << verdict << "\n";
}

bool WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream file(PathFromUtf8(name), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

std::string LowerExtension(const std::string& name) {
    std::string extension = PathToUtf8(PathFromUtf8(name).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c | 0x20); });
    return extension;
}

}  // namespace

int RunCheck(const std::vector<std::string>& names, const std::optional<CodePage>& serialCodePage,
             std::ostream& out) {
    const ReportInputs inputs = FindReports(names);
    bool allGood = inputs.notFound.empty();
    for (const std::string& missing : inputs.notFound) {
        out << missing << "\n";
    }
    const auto checks = ParallelMap<Findings>(inputs.files.size(), [&](std::size_t i) {
        return CheckReportFile(inputs.files[i], serialCodePage).findings;
    });
    for (std::size_t i = 0; i < checks.size(); ++i) {
        PrintFindings(PathToUtf8(inputs.files[i]), checks[i], out);
        allGood = allGood && checks[i].ok();
    }
    return allGood ? exit_code::kOk : exit_code::kProblems;
}

int RunShow(const std::string& name, const std::string& output, const ShowOptions& options,
            std::ostream& err) {
    const std::string extension = LowerExtension(output);
    const bool html = extension == ".html" || extension == ".htm";
    if (!html && extension != ".svg") {
        err << "show: the output must end in .svg, .html or .htm: " << output << "\n";
        return exit_code::kUsage;
    }
    FileSource file(PathFromUtf8(name));
    if (!file.isOpen()) {
        err << name << ": " << file.openError() << "\n";
        return exit_code::kProblems;
    }
    const CheckedReport checked = CheckReport(file, options.serialCodePage);
    const std::string bytes =
        html ? RenderReportHtml(name, checked, options.debug) : RenderReportSvg(name, checked);
    if (!WriteFile(output, bytes)) {
        err << output << ": cannot be written\n";
        return exit_code::kProblems;
    }
    if (!checked.findings.ok()) {
        err << name << ": " << Counted(checked.findings.problemCount(), "problem")
            << "; the picture shows what could be read (`rimtrace-report check` lists them)\n";
        return exit_code::kProblems;
    }
    return exit_code::kOk;
}

int RunSummary(const std::vector<std::string>& names, const std::string& output, bool json,
               const std::optional<CodePage>& serialCodePage, std::ostream& out,
               std::ostream& err) {
    const ReportInputs inputs = FindReports(names);
    for (const std::string& missing : inputs.notFound) {
        err << missing << "\n";
    }
    auto rows = ParallelMap<SummaryRow>(inputs.files.size(), [&](std::size_t i) {
        const auto& path = inputs.files[i];
        return SummarizeReport(PathToUtf8(path), CheckReportFile(path, serialCodePage));
    });
    SortRows(rows);
    std::ostringstream text;
    std::ostream& target = output.empty() ? out : text;
    if (json) {
        WriteSummaryJson(target, rows);
    } else {
        WriteSummaryCsv(target, rows);
    }
    if (!output.empty() && !WriteFile(output, text.str())) {
        err << output << ": cannot be written\n";
        return exit_code::kProblems;
    }
    return inputs.notFound.empty() ? exit_code::kOk : exit_code::kProblems;
}

int RunSite(const std::vector<std::string>& names, const std::string& folder,
            const std::optional<CodePage>& serialCodePage, std::ostream& out, std::ostream& err) {
    const ReportInputs inputs = FindReports(names);
    for (const std::string& missing : inputs.notFound) {
        err << missing << "\n";
    }
    const SiteOutcome site = BuildSite(inputs.files, PathFromUtf8(folder), serialCodePage);
    if (!site.refusal.empty()) {
        err << folder << ": not used for the site: " << site.refusal << "\n";
        return exit_code::kUsage;
    }
    for (const std::string& failure : site.failures) {
        err << failure << "\n";
    }
    if (!site.failures.empty()) {
        err << folder << ": the site is not complete; the next run finishes it\n";
        return exit_code::kProblems;
    }
    out << folder << ": " << Counted(site.reports, "report") << " of "
        << Counted(site.boards, "board") << "; " << site.added << " new, " << site.changed
        << " read again, " << site.touched << " touched only, " << site.removed << " removed; "
        << Counted(site.boardPages, "board page") << " written, the index "
        << (site.indexWritten ? "written" : "as it was") << "\n";
    return inputs.notFound.empty() ? exit_code::kOk : exit_code::kProblems;
}
