#include "report_tool/report_files.h"

#include <algorithm>
#include <utility>
#include <system_error>

#include "report_tool/reading/text_encoding.h"

namespace {

bool IsReportName(const std::filesystem::path& path) {
    std::string extension = PathToUtf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c | 0x20); });
    return extension == ".pts";
}

// A path's text in which the order of strings is that of std::filesystem::path, component by
// component: the paths found under one folder all begin with its name as given, and below it a
// separator sorts before any other character, as the end of a component does. Strings compare
// far faster than paths.
std::filesystem::path::string_type OrderKey(const std::filesystem::path& path) {
    std::filesystem::path::string_type key = path.native();
    for (auto& c : key) {
        if (c == std::filesystem::path::preferred_separator || c == '/') {
            c = 0;
        }
    }
    return key;
}

// Every report file under a folder; folders that cannot be entered are passed by.
void AddFolder(const std::filesystem::path& folder, ReportInputs& inputs) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && IsReportName(it->path())) {
            found.push_back(it->path());
        }
    }
    if (error) {
        inputs.notFound.push_back(PathToUtf8(folder) + ": " + error.message());
    }
    // Sorted as paths are, by their keys; each path is then moved once, as a path is dear to move.
    std::vector<std::pair<std::filesystem::path::string_type, std::size_t>> order;
    order.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        order.emplace_back(OrderKey(found[i]), i);
    }
    std::sort(order.begin(), order.end());
    inputs.files.reserve(inputs.files.size() + found.size());
    for (const auto& [key, i] : order) {
        inputs.files.push_back(std::move(found[i]));
    }
}

}  // namespace

ReportInputs FindReports(const std::vector<std::string>& names) {
    ReportInputs inputs;
    for (const std::string& name : names) {
        const std::filesystem::path path = PathFromUtf8(name);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            AddFolder(path, inputs);
        } else if (std::filesystem::exists(path, error)) {
            inputs.files.push_back(path);
        } else {
            inputs.notFound.push_back(name + ": no such file or folder");
        }
    }
    return inputs;
}
