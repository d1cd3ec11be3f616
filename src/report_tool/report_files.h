#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The reports named on a command line: a file stands for itself, a folder for every .pts file
// under it (any letter case, searched recursively, in name order). Names that are neither are
// collected with the reason.
struct ReportInputs {
    std::vector<std::filesystem::path> files;
    std::vector<std::string> notFound;  // "NAME: reason"
};

ReportInputs FindReports(const std::vector<std::string>& names);
