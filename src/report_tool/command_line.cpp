#include <CLI/CLI.hpp>

#include <algorithm>

#include "report_tool/commands.h"
#include "rimtrace_version.h"

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Reads the edge-trace reports (.pts) that rimtrace writes.", "rimtrace-report"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "rimtrace-report " RIMTRACE_VERSION_TEXT);

    std::vector<std::string> checkNames;
    CLI::App* check = app.add_subcommand(
        "check", "Read each report strictly and grade its points again; list every problem.");
    check->add_option("FILE", checkNames, "report files, or folders searched for .pts")->required();

    std::string showName;
    std::string showOutput;
    CLI::App* show = app.add_subcommand(
        "show", "Draw a report: each edge magnified across, its limits, what was not traced.");
    show->add_option("FILE", showName, "the report")->required();
    show->add_option("-o,--output", showOutput, "the picture, OUT.svg, or OUT.html with a table")
        ->required();

    std::vector<std::string> summaryNames;
    std::string summaryOutput;
    bool summaryJson = false;
    CLI::App* summary = app.add_subcommand(
        "summary", "One row per report, by serial number and date: statistics, coverage, check.");
    summary->add_option("FILE", summaryNames, "report files, or folders searched for .pts")
        ->required();
    summary->add_option("-o,--output", summaryOutput, "write to this file (CSV unless --json)");
    summary->add_flag("--json", summaryJson, "JSON instead of CSV");

    std::vector<std::string> siteNames;
    std::string siteFolder;
    CLI::App* site = app.add_subcommand(
        "site", "A web site of the reports: every report at a glance, each board's history.");
    site->add_option("FOLDER", siteNames, "report files, or folders searched for .pts")->required();
    site->add_option("-o,--output", siteFolder,
                     "the site's folder: new, empty, or a site made here before (brought up to "
                     "date)")
        ->required();

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? exit_code::kOk : exit_code::kUsage;
    }
    if (check->parsed()) {
        return RunCheck(checkNames, out);
    }
    if (show->parsed()) {
        return RunShow(showName, showOutput, err);
    }
    if (site->parsed()) {
        return RunSite(siteNames, siteFolder, out, err);
    }
    return RunSummary(summaryNames, summaryOutput, summaryJson, out, err);
}
