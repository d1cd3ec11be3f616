#include <CLI/CLI.hpp>

#include <algorithm>

#include "report_tool/commands.h"
#include "report_tool/reading/text_encoding.h"
#include "rimtrace_version.h"

namespace {

// --encoding, alike for every command that reads serial numbers. A name of no code page this
// system reads is a usage error.
void AddEncodingOption(CLI::App& command, std::optional<CodePage>& into) {
    command
        .add_option_function<std::string>(
            "--encoding", [&into](const std::string& name) { into = CodePageNamed(name); },
            "the Windows code page serial numbers were typed in: " + KnownCodePages() +
                "; without it, UTF-8 where they are, otherwise 1252")
        ->type_name("CODEPAGE")
        ->check(CLI::Validator(
            [](const std::string& name) {
                return CodePageNamed(name) ? std::string()
                                           : "not a code page this program reads: " + name +
                                                 "; it reads " + KnownCodePages();
            },
            ""));
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Reads the edge-trace reports (.pts) that rimtrace writes.", "rimtrace-report"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "rimtrace-report " RIMTRACE_VERSION_TEXT);

    std::vector<std::string> checkNames;
    CLI::App* check = app.add_subcommand(
        "check", "Read each report strictly and grade its points again; list every problem.");
    check->add_option("FILE", checkNames, "report files, or folders searched for .pts")->required();
    std::optional<CodePage> checkEncoding;
    AddEncodingOption(*check, checkEncoding);

    std::string showName;
    std::string showOutput;
    CLI::App* show = app.add_subcommand(
        "show", "Draw a report: each edge magnified across, its limits, what was not traced.");
    show->add_option("FILE", showName, "the report")->required();
    show->add_option("-o,--output", showOutput, "the picture, OUT.svg, or OUT.html with a table")
        ->required();
    ShowOptions showOptions;
    AddEncodingOption(*show, showOptions.serialCodePage);
    show->add_flag("--debug", showOptions.debug,
                   "OUT.html also lists where each section was found in the file");

    std::vector<std::string> summaryNames;
    std::string summaryOutput;
    bool summaryJson = false;
    CLI::App* summary = app.add_subcommand(
        "summary",
        "One row per report, by serial number and date: what its points say (positions in board "
        "units, 4096 across the board), coverage, check.");
    summary->add_option("FILE", summaryNames, "report files, or folders searched for .pts")
        ->required();
    summary->add_option("-o,--output", summaryOutput, "write to this file (CSV unless --json)");
    summary->add_flag("--json", summaryJson, "JSON instead of CSV");
    std::optional<CodePage> summaryEncoding;
    AddEncodingOption(*summary, summaryEncoding);

    std::vector<std::string> siteNames;
    std::string siteFolder;
    CLI::App* site = app.add_subcommand(
        "site", "A web site of the reports: every report at a glance, each board's history.");
    site->add_option("FOLDER", siteNames, "report files, or folders searched for .pts")->required();
    site->add_option("-o,--output", siteFolder,
                     "the site's folder: new, empty, or a site made here before (brought up to "
                     "date)")
        ->required();
    std::optional<CodePage> siteEncoding;
    AddEncodingOption(*site, siteEncoding);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? exit_code::kOk : exit_code::kUsage;
    }
    if (check->parsed()) {
        return RunCheck(checkNames, checkEncoding, out);
    }
    if (show->parsed()) {
        return RunShow(showName, showOutput, showOptions, err);
    }
    if (site->parsed()) {
        return RunSite(siteNames, siteFolder, siteEncoding, out, err);
    }
    return RunSummary(summaryNames, summaryOutput, summaryJson, summaryEncoding, out, err);
}
